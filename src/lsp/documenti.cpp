#include "lsp/documenti.h"

#include "platform/file.h"

namespace compattatore {

bool DocumentiAperti::cambia(const std::string& percorso, std::string testo) {
    auto it = testi_.find(percorso);
    if (it == testi_.end()) return false;
    it->second = std::move(testo);
    return true;
}

const std::string* DocumentiAperti::testo(const std::string& percorso) const {
    auto it = testi_.find(percorso);
    return it == testi_.end() ? nullptr : &it->second;
}

std::optional<std::string> byte_di(const DocumentiAperti& aperti, const std::string& percorso) {
    if (const std::string* t = aperti.testo(percorso)) return *t;
    try {
        if (!piattaforma::esiste(percorso)) return std::nullopt;
        return piattaforma::leggi(percorso, (uint64_t{64} << 20) + 1);
    } catch (const piattaforma::ErroreFile&) {
        return std::nullopt;
    }
}

}  // namespace compattatore
