#include "lsp/uri.h"

#include <cctype>

#include "platform/file.h"

namespace compattatore {

namespace {

constexpr std::string_view SCHEMA = "file://";

int cifra_esadecimale(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string uri_da_percorso(std::string_view percorso) {
    constexpr char CIFRE[] = "0123456789ABCDEF";
    std::string uri(SCHEMA);
    for (char c : piattaforma::percorso_in_forma_uri(std::string(percorso))) {
        const auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri.push_back(c);
        } else {
            uri.push_back('%');
            uri.push_back(CIFRE[b >> 4]);
            uri.push_back(CIFRE[b & 15]);
        }
    }
    return uri;
}

std::optional<std::string> percorso_da_uri(std::string_view uri) {
    if (!uri.starts_with(SCHEMA)) return std::nullopt;
    uri.remove_prefix(SCHEMA.size());
    // "file://host/path": only the local host is a file of this machine.
    if (uri.starts_with("localhost/")) uri.remove_prefix(9);
    if (!uri.starts_with('/')) return std::nullopt;
    std::string percorso;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            percorso.push_back(uri[i]);
            continue;
        }
        if (i + 2 >= uri.size()) return std::nullopt;
        const int alto = cifra_esadecimale(uri[i + 1]);
        const int basso = cifra_esadecimale(uri[i + 2]);
        // A NUL would end the path where the system reads it, at another file.
        if (alto < 0 || basso < 0 || alto * 16 + basso == 0) return std::nullopt;
        percorso.push_back(static_cast<char>(alto * 16 + basso));
        i += 2;
    }
    return piattaforma::percorso_da_forma_uri(percorso);
}

}  // namespace compattatore
