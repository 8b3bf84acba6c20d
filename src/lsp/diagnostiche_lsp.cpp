#include "lsp/diagnostiche_lsp.h"

#include <optional>

#include "compiler/compila.h"
#include "lsp/campi_riga.h"
#include "lsp/uri.h"
#include "model/nomi_file.h"
#include "model/testo_1252.h"
#include "platform/file.h"

namespace compattatore {

namespace {

Json posizione(int riga, int carattere) { return {{"line", riga}, {"character", carattere}}; }

// A file's text as the compiler reads it, with its lines.
struct TestoFile {
    std::string testo;  // Windows-1252
    std::vector<std::string_view> righe;
};

class Sorgenti {
public:
    Sorgenti(const DocumentiAperti& aperti) : aperti_(aperti) {}

    // The text of `percorso`, converted as `compile` converts it; none when
    // the file is not there, a diagnostic in `errore` when it cannot be read.
    const TestoFile* di(const std::string& percorso, std::optional<Diagnostica>& errore) {
        auto it = testi_.find(percorso);
        if (it == testi_.end()) {
            std::optional<std::string> byte = byte_di(aperti_, percorso);
            std::optional<TestoFile> t;
            std::optional<Diagnostica> e;
            if (byte) {
                TestoConvertito convertito = converti_in_1252(*byte);
                if (convertito.errore) e = diagnostica_carattere(percorso, *convertito.errore);
                t = TestoFile{std::move(convertito.testo), {}};
            }
            it = testi_.emplace(percorso, Voce{std::move(t), std::move(e)}).first;
            if (it->second.testo) it->second.testo->righe = righe_di(it->second.testo->testo);
        }
        errore = it->second.errore;
        return it->second.testo ? &*it->second.testo : nullptr;
    }

private:
    struct Voce {
        std::optional<TestoFile> testo;
        std::optional<Diagnostica> errore;
    };
    const DocumentiAperti& aperti_;
    std::map<std::string, Voce> testi_;
};

class Raccolta {
public:
    Raccolta(const GruppoScenari& gruppo, Sorgenti& sorgenti) : gruppo_(gruppo), sorgenti_(sorgenti) {
        elenco_[gruppo.linea] = Json::array();
        for (const std::string& t : gruppo.treni) elenco_[t] = Json::array();
    }

    void aggiungi(const Diagnostica& d) {
        // The scenario as a whole is told on the line file.
        const std::string& file = d.file.empty() ? gruppo_.linea : d.file;
        auto it = elenco_.find(file);
        if (it == elenco_.end()) return;  // the missing train file of a line alone
        Json voce = {{"range", intervallo(file, d.luogo)},
                     {"severity", d.livello == Livello::errore ? 1 : 2},
                     {"source", "compattatore"},
                     {"message", da_1252_a_utf8(messaggio_diagnostica(d))}};
        // A fix the compiler suggests ("did you mean 'pendenza'?") goes in
        // voce["data"] as {"title", "range", "replacement"}: the quick fixes
        // (azioni) offer what they find there.
        if (d.sostituzione) {
            Json campo = intervallo(file, d.sostituzione->luogo);
            campo["end"] = campo["start"];
            campo["end"]["character"] = campo["start"]["character"].get<int>() + d.sostituzione->lunghezza;
            const std::string nuovo = da_1252_a_utf8(d.sostituzione->testo);
            voce["data"] = {{"title", "Replace with '" + nuovo + "'"}, {"range", campo}, {"replacement", nuovo}};
        }
        if (d.codice)
            voce["code"] = "E" + std::to_string(*d.codice);
        else if (!d.gruppo.empty())
            voce["code"] = "-W" + std::string(d.gruppo);
        if (!d.note.empty()) {
            Json note = Json::array();
            for (const Nota& n : d.note) {
                const std::string& dove = n.file.empty() ? gruppo_.linea : n.file;
                note.push_back({{"location", {{"uri", uri_da_percorso(dove)}, {"range", intervallo(dove, n.luogo)}}},
                                {"message", da_1252_a_utf8(n.testo)}});
            }
            voce["relatedInformation"] = std::move(note);
        }
        // A line file's diagnostic that another train file's scenario finds again.
        if (!visti_.insert(file + '\n' + voce.dump()).second) return;
        it->second.push_back(std::move(voce));
    }

    std::map<std::string, Json> risultato() { return std::move(elenco_); }

private:
    Json intervallo(const std::string& file, Luogo luogo) {
        std::optional<Diagnostica> ignorato;
        const TestoFile* t = sorgenti_.di(file, ignorato);
        static const std::vector<std::string_view> NESSUNA;
        return intervallo_campo(t ? t->righe : NESSUNA, luogo.riga, luogo.colonna);
    }

    const GruppoScenari& gruppo_;
    Sorgenti& sorgenti_;
    std::map<std::string, Json> elenco_;
    std::set<std::string> visti_;
};

// The key of a file name as `compile` takes it: converted as the text is.
std::string chiave_1252(const std::string& chiave) { return converti_in_1252(chiave).testo; }

void compila_scenario(const GruppoScenari& g, const std::optional<std::string>& treno, Sorgenti& sorgenti,
                      const OpzioniDiagnostiche& opzioni, Raccolta& raccolta) {
    std::optional<Diagnostica> errore_linea;
    std::optional<Diagnostica> errore_treno;
    const TestoFile* linea = sorgenti.di(g.linea, errore_linea);
    const TestoFile* testo_treno = treno ? sorgenti.di(*treno, errore_treno) : nullptr;
    if (!linea) return;
    if (errore_linea || errore_treno) {
        // As `compile`: a file that cannot be converted is all that is said.
        if (errore_linea) raccolta.aggiungi(*errore_linea);
        if (errore_treno) raccolta.aggiungi(*errore_treno);
        return;
    }
    const std::string chiave_treno =
        treno ? *chiave_treno_da_nome(piattaforma::nome_in_percorso(*treno), g.chiave_linea) : std::string();
    // A line alone is read without a train file; what the reading says of
    // that missing file names a path of no file of the group, and is dropped.
    const SorgentiDescrizione s{g.linea, treno.value_or(g.linea + ":no-train-file"), linea->testo,
                                testo_treno ? std::optional<std::string>(testo_treno->testo) : std::nullopt};
    const Compilazione c =
        compila(s, {.chiave_linea = chiave_1252(g.chiave_linea),
                    .chiave_treno = chiave_1252(chiave_treno),
                    .crea_tracciato = opzioni.tracciato ? 1 : 0,
                    .lettura = {.tutti_gli_errori = true, .massimo_errori = opzioni.massimo_errori}});
    for (const Diagnostica& d : da_mostrare(c.diagnostiche.voci(), opzioni.silenziati)) raccolta.aggiungi(d);
}

}  // namespace

Json intervallo_campo(const std::vector<std::string_view>& righe, int riga, int colonna) {
    if (riga < 1) return {{"start", posizione(0, 0)}, {"end", posizione(0, 0)}};
    const int r = riga - 1;
    const std::string_view testo = static_cast<size_t>(r) < righe.size() ? righe[static_cast<size_t>(r)] : "";
    if (colonna < 1) return {{"start", posizione(r, 0)}, {"end", posizione(r, static_cast<int>(testo.size()))}};
    const auto inizio = static_cast<size_t>(colonna - 1);
    size_t fine = inizio + 1;
    const std::vector<CampoRiga> campi = campi_di(testo);
    if (const CampoRiga* c = campo_a(campi, inizio); c && c->fine > inizio) fine = c->fine;
    return {{"start", posizione(r, colonna - 1)}, {"end", posizione(r, static_cast<int>(fine))}};
}

std::map<std::string, Json> diagnostiche_gruppo(const GruppoScenari& gruppo, const DocumentiAperti& aperti,
                                                const OpzioniDiagnostiche& opzioni) {
    Sorgenti sorgenti(aperti);
    Raccolta raccolta(gruppo, sorgenti);
    if (!gruppo.linea_presente) {
        std::map<std::string, Json> elenco;
        const std::string nome = piattaforma::nome_in_percorso(gruppo.linea);
        for (const std::string& t : gruppo.treni)
            elenco[t] = Json::array({{{"range", intervallo_campo({}, 0, 0)},
                                      {"severity", 1},
                                      {"source", "compattatore"},
                                      {"message", "no line file " + nome +
                                                      " beside this train file: a train file "
                                                      "is compiled with its line"}}});
        return elenco;
    }
    if (gruppo.treni.empty()) compila_scenario(gruppo, std::nullopt, sorgenti, opzioni, raccolta);
    for (const std::string& t : gruppo.treni) compila_scenario(gruppo, t, sorgenti, opzioni, raccolta);
    return raccolta.risultato();
}

}  // namespace compattatore
