#include "cli/stampa_diagnostiche.h"

#include <algorithm>

#include "compiler/codici_errore.h"
#include "json/scrittore_json.h"
#include "model/modello.h"
#include "model/testo_1252.h"

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

std::string_view testo_di(const std::string& file, std::span<const SorgenteAutore> sorgenti) {
    auto it = std::ranges::find(sorgenti, file, &SorgenteAutore::percorso);
    return it == sorgenti.end() ? std::string_view{} : std::string_view(it->testo);
}

std::string cella_e_tratto(int64_t cella) {
    return "cell " + std::to_string(cella) + ", " + std::to_string(inizio_cella(cella)) + "-" +
           std::to_string(inizio_cella(cella + 1)) + " m";
}

std::string plurale(size_t n, const char* parola) { return std::to_string(n) + " " + parola + (n == 1 ? "" : "s"); }

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

std::string formatta_posto(std::string_view tipo, const std::string& file, Luogo luogo, const std::string& messaggio,
                           std::string_view sorgente) {
    std::string out = posto_nel_file(file, luogo.riga, luogo.colonna);
    out += (out.empty() ? "" : ": ") + std::string(tipo) + ": ";
    out += mostrabile(messaggio);  // it may quote a field of the file
    out += "\n";

    std::string_view riga = luogo.riga > 0 ? riga_di(sorgente, luogo.riga) : std::string_view{};
    if (riga.empty()) return out;
    out += "  " + mostrabile(riga) + "\n";
    if (luogo.colonna > 0) {
        // Tabs before the field stay tabs so the caret lines up in any terminal.
        std::string sotto = "  ";
        for (size_t i = 0; i + 1 < static_cast<size_t>(luogo.colonna) && i < riga.size(); ++i)
            sotto.push_back(riga[i] == '\t' ? '\t' : ' ');
        out += sotto + "^\n";
    }
    return out;
}

std::string significato_diagnostica(const Diagnostica& d) {
    if (!d.codice) return d.motivo;
    auto voce = voce_codice(*d.codice);
    std::string t(voce ? voce->significato : "unknown error");
    if (d.posizione) t += ", at " + std::to_string(*d.posizione) + " m";
    if (d.cella) t += d.posizione ? " (" + cella_e_tratto(*d.cella) + ")" : ", at " + cella_e_tratto(*d.cella);
    if (!d.motivo.empty() && (!voce || d.motivo != voce->significato)) t += ": " + d.motivo;
    return t;
}

std::string messaggio_diagnostica(const Diagnostica& d) {
    // A place no code of the table names (decompile's) carries its reason alone.
    if (!d.codice) return d.gruppo.empty() ? d.motivo : d.motivo + " [-W" + std::string(d.gruppo) + "]";
    return significato_diagnostica(d) + " [E" + std::to_string(*d.codice) + "]";
}

std::string formatta_diagnostica(const Diagnostica& d, std::span<const SorgenteAutore> sorgenti) {
    std::string out = formatta_posto(d.livello == Livello::errore ? "error" : "warning", d.file, d.luogo,
                                     messaggio_diagnostica(d), testo_di(d.file, sorgenti));
    for (const Nota& n : d.note) out += formatta_posto("note", n.file, n.luogo, n.testo, testo_di(n.file, sorgenti));
    return out;
}

std::string conteggio_diagnostiche(size_t errori, size_t avvisi) {
    return plurale(errori, "error") + ", " + plurale(avvisi, "warning");
}

std::vector<Diagnostica> da_mostrare(const std::vector<Diagnostica>& voci,
                                     const std::set<std::string, std::less<>>& silenziati) {
    std::vector<Diagnostica> scelte;
    for (const Diagnostica& d : voci)
        if (d.gruppo.empty() || !silenziati.contains(d.gruppo)) scelte.push_back(d);
    return scelte;
}

std::string diagnostiche_json(std::span<const Diagnostica> voci, bool troppi) {
    ScrittoreJson j;
    auto luogo = [&](const std::string& file, Luogo l) {
        j.chiave("file");
        if (file.empty())
            j.nullo();
        else
            j.valore(file);
        j.chiave("line");
        if (l.riga > 0)
            j.valore(int64_t{l.riga});
        else
            j.nullo();
        j.chiave("column");
        if (l.colonna > 0)
            j.valore(int64_t{l.colonna});
        else
            j.nullo();
    };
    size_t errori = 0;
    j.inizio_oggetto();
    j.chiave("diagnostics");
    j.inizio_lista();
    for (const Diagnostica& d : voci) {
        errori += d.livello == Livello::errore;
        j.inizio_oggetto();
        j.chiave("level");
        j.valore(d.livello == Livello::errore ? "error" : "warning");
        j.chiave("code");
        if (d.codice)
            j.valore(int64_t{*d.codice});
        else
            j.nullo();
        j.chiave("warning_kind");
        if (d.gruppo.empty())
            j.nullo();
        else
            j.valore(d.gruppo);
        j.chiave("meaning");
        auto voce = d.codice ? voce_codice(*d.codice) : std::nullopt;
        if (voce)
            j.valore(voce->significato);
        else
            j.nullo();
        luogo(d.file, d.luogo);
        j.chiave("position_m");
        if (d.posizione)
            j.valore(int64_t{*d.posizione});
        else
            j.nullo();
        j.chiave("cell");
        if (d.cella) {
            j.inizio_oggetto();
            j.chiave("index");
            j.valore(*d.cella);
            j.chiave("from_m");
            j.valore(inizio_cella(*d.cella));
            j.chiave("to_m");
            j.valore(inizio_cella(*d.cella + 1));
            j.fine_oggetto();
        } else {
            j.nullo();
        }
        j.chiave("reason");
        j.valore(da_1252_a_utf8(d.motivo));
        j.chiave("notes");
        j.inizio_lista();
        for (const Nota& n : d.note) {
            j.inizio_oggetto();
            luogo(n.file, n.luogo);
            j.chiave("text");
            j.valore(n.testo);
            j.fine_oggetto();
        }
        j.fine_lista();
        j.fine_oggetto();
    }
    j.fine_lista();
    j.chiave("errors");
    j.valore(static_cast<int64_t>(errori));
    j.chiave("warnings");
    j.valore(static_cast<int64_t>(voci.size() - errori));
    j.chiave("too_many_errors");
    j.valore(troppi);
    j.fine_oggetto();
    return j.testo() + "\n";
}

}  // namespace compattatore
