#include "cli/stampa_diagnostiche.h"

#include <algorithm>

#include "compiler/codici_errore.h"
#include "json/scrittore_json.h"
#include "model/modello.h"
#include "model/plurale.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

// File text as a terminal may safely show it: control characters other than
// tabs (escape sequences in a damaged file) stand as '?', one for one, so the
// caret keeps its column.
std::string mostrabile(std::string_view riga) {
    std::string t(riga);
    for (char& c : t)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = '?';
    return da_1252_a_utf8(t);
}

// The line at `luogo` with a caret under its column (none for column 0),
// cut to LARGHEZZA_RIGA_MOSTRATA columns around the caret when longer.
std::string riga_e_segno(std::string_view riga, int colonna) {
    size_t inizio = 0;
    size_t fine = riga.size();
    if (riga.size() > LARGHEZZA_RIGA_MOSTRATA) {
        const size_t segno = colonna > 0 ? static_cast<size_t>(colonna) - 1 : 0;
        inizio = std::min(segno > LARGHEZZA_RIGA_MOSTRATA / 2 ? segno - LARGHEZZA_RIGA_MOSTRATA / 2 : 0,
                          riga.size() - LARGHEZZA_RIGA_MOSTRATA);
        fine = inizio + LARGHEZZA_RIGA_MOSTRATA;
    }
    const std::string_view prima = inizio > 0 ? "..." : "";
    std::string out = "  " + std::string(prima) + mostrabile(riga.substr(inizio, fine - inizio)) +
                      (fine < riga.size() ? "..." : "") + "\n";
    if (colonna > 0) {
        // Tabs before the field stay tabs so the caret lines up in any terminal.
        std::string sotto = "  " + std::string(prima.size(), ' ');
        for (size_t i = inizio; i + 1 < static_cast<size_t>(colonna) && i < fine; ++i)
            sotto.push_back(riga[i] == '\t' ? '\t' : ' ');
        out += sotto + "^\n";
    }
    return out;
}

std::string intestazione_posto(std::string_view tipo, const std::string& file, Luogo luogo,
                               const std::string& messaggio) {
    std::string out = posto_nel_file(file, luogo.riga, luogo.colonna);
    out += (out.empty() ? "" : ": ") + std::string(tipo) + ": ";
    out += mostrabile(messaggio);  // it may quote a field of the file
    return out + "\n";
}

std::string formatta_in(std::string_view tipo, const std::string& file, Luogo luogo, const std::string& messaggio,
                        const SorgentiIndicizzate& sorgenti) {
    return formatta_riga(tipo, file, luogo, messaggio, sorgenti.riga(file, luogo.riga));
}

}  // namespace

std::string formatta_riga(std::string_view tipo, const std::string& file, Luogo luogo, const std::string& messaggio,
                          std::string_view riga) {
    return intestazione_posto(tipo, file, luogo, messaggio) + (riga.empty() ? "" : riga_e_segno(riga, luogo.colonna));
}

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

IndiceRighe::IndiceRighe(std::string_view testo) : testo_(testo), inizi_{0} {
    for (size_t i = 0; i < testo.size(); ++i) {
        if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
        if (testo[i] == '\r' || testo[i] == '\n') inizi_.push_back(i + 1);
    }
}

std::string_view IndiceRighe::riga(int riga) const {
    if (riga < 1 || static_cast<size_t>(riga) > inizi_.size()) return {};
    const size_t inizio = inizi_[static_cast<size_t>(riga) - 1];
    const size_t fine = testo_.find_first_of("\r\n", inizio);
    return testo_.substr(inizio, fine == std::string_view::npos ? std::string_view::npos : fine - inizio);
}

SorgentiIndicizzate::SorgentiIndicizzate(std::span<const SorgenteAutore> sorgenti) {
    for (const SorgenteAutore& s : sorgenti) indici_.emplace_back(s.percorso, IndiceRighe(s.testo));
}

std::string_view SorgentiIndicizzate::riga(const std::string& file, int riga) const {
    auto it = std::ranges::find(indici_, file, &std::pair<std::string, IndiceRighe>::first);
    return it == indici_.end() ? std::string_view{} : it->second.riga(riga);
}

std::string formatta_diagnostica(const Diagnostica& d, const SorgentiIndicizzate& sorgenti) {
    std::string out = formatta_in(d.livello == Livello::errore ? "error" : "warning", d.file, d.luogo,
                                  messaggio_diagnostica(d), sorgenti);
    for (const Nota& n : d.note) out += formatta_in("note", n.file, n.luogo, n.testo, sorgenti);
    return out;
}

std::string formatta_diagnostica(const Diagnostica& d, std::span<const SorgenteAutore> sorgenti) {
    return formatta_diagnostica(d, SorgentiIndicizzate(sorgenti));
}

std::string conteggio_diagnostiche(size_t errori, size_t avvisi) {
    return plurale(errori, "error") + ", " + plurale(avvisi, "warning");
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
        // The "did you mean" as an edit: the field's bytes on its line, and the text for them.
        j.chiave("replacement");
        if (d.sostituzione) {
            j.inizio_oggetto();
            j.chiave("line");
            j.valore(int64_t{d.sostituzione->luogo.riga});
            j.chiave("column");
            j.valore(int64_t{d.sostituzione->luogo.colonna});
            j.chiave("length");
            j.valore(int64_t{d.sostituzione->lunghezza});
            j.chiave("text");
            j.valore(da_1252_a_utf8(d.sostituzione->testo));
            j.fine_oggetto();
        } else {
            j.nullo();
        }
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
