#include "run/diagnostica.h"

#include "compiler/testo_1252.h"

namespace compattatore {

namespace {

// The text of line `riga` (1-based) without its line end; CR LF, CR and LF
// each end a line, as for the reader.
std::string_view riga_di(std::string_view s, int riga) {
    size_t inizio = 0;
    for (int r = 1; r < riga; ++r) {
        size_t fine = s.find_first_of("\r\n", inizio);
        if (fine == std::string_view::npos) return {};
        inizio = fine + (s[fine] == '\r' && fine + 1 < s.size() && s[fine + 1] == '\n' ? 2 : 1);
    }
    if (inizio > s.size()) return {};
    size_t fine = s.find_first_of("\r\n", inizio);
    return s.substr(inizio, fine == std::string_view::npos ? std::string_view::npos : fine - inizio);
}

// File text as a terminal may safely show it: control characters other than
// tabs (escape sequences in a damaged file) stand as '?', one for one, so the
// caret keeps its column.
std::string mostrabile(std::string_view riga) {
    std::string t(riga);
    for (char& c : t)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = '?';
    return da_1252_a_utf8(t);
}

}  // namespace

std::string posto_nel_file(const std::string& file, int riga, int colonna) {
    std::string posto = file;
    if (riga > 0) {
        posto += ':';
        posto += std::to_string(riga);
        if (colonna > 0) {
            posto += ':';
            posto += std::to_string(colonna);
        }
    }
    return posto;
}

std::string formatta_diagnostica(const Diagnostica& d, std::string_view sorgente) {
    std::string out = posto_nel_file(d.file, d.riga, d.colonna);
    out += d.livello == Diagnostica::Livello::errore ? ": error: " : ": warning: ";
    out += mostrabile(d.messaggio);  // it may quote a field of the file
    out += "\n";

    std::string_view riga = d.riga > 0 ? riga_di(sorgente, d.riga) : std::string_view{};
    if (riga.empty()) return out;
    out += "  " + mostrabile(riga) + "\n";
    if (d.colonna > 0) {
        // Tabs before the field stay tabs so the caret lines up in any terminal.
        std::string sotto = "  ";
        for (size_t i = 0; i + 1 < static_cast<size_t>(d.colonna) && i < riga.size(); ++i)
            sotto.push_back(riga[i] == '\t' ? '\t' : ' ');
        out += sotto + "^\n";
    }
    return out;
}

}  // namespace compattatore
