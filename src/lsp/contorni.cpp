// The answers that walk the whole file: inlay hints and the outline.
#include "lsp/aiuti.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

std::string campo_o_vuoto(const RigaRecord& r, size_t i) {
    return i < r.campi.size() ? std::string(r.campi[i].testo) : std::string();
}

// How the outline names a record it shows; empty for a record it leaves out.
std::string nome_simbolo(const RigaRecord& r) {
    const ParolaChiave* p = r.scheda->parola;
    const std::string posizione = campo_o_vuoto(r, 1) + " m";
    if (p == &STAZIONE) return campo_o_vuoto(r, 17) + " (" + posizione + ")";
    if (p == &SEGNALE) return "segnale at " + posizione;
    if (p == &RALLENTAMENTO) return "rallentamento at " + posizione + ", " + campo_o_vuoto(r, 2) + " km/h";
    if (p == &CARTELLO_INDICATORE) return campo_o_vuoto(r, 2) + " (" + posizione + ")";
    if (p == &INDICATORI_VMAX) return "indicatori_vmax at " + posizione;
    return {};
}

}  // namespace

Json suggerimenti_posizione(const Documento& d, const Json& parametri, const DocumentiAperti& /*aperti*/) {
    const std::vector<std::string_view> righe = righe_di(d.testo);
    const auto [da, a] = righe_richieste(parametri, righe.size());
    Json suggerimenti = Json::array();
    for (size_t riga = da; riga < a; ++riga) {
        const RigaRecord r = analizza_riga(righe[riga], d.linea());
        if (!r.scheda) continue;
        for (size_t n : r.scheda->posizioni) {
            if (n + 1 >= r.campi.size()) continue;
            const CampoRiga& c = r.campi[n + 1];
            const std::optional<int32_t> metri = metri_di(c.testo);
            if (!metri) continue;
            suggerimenti.push_back({{"position", {{"line", riga}, {"character", c.fine}}},
                                    {"label", cella_e_chilometro(cella_per(*metri, r.scheda->regola))},
                                    {"paddingLeft", true}});
        }
    }
    return suggerimenti;
}

Json simboli(const Documento& d, const Json& /*parametri*/, const DocumentiAperti& /*aperti*/) {
    const std::vector<std::string_view> righe = righe_di(d.testo);
    Json sezioni = Json::array();
    Json* sezione = nullptr;
    for (size_t riga = 0; riga < righe.size(); ++riga) {
        const RigaRecord r = analizza_riga(righe[riga], d.linea());
        if (r.campi.empty()) continue;
        const CampoRiga& primo = r.campi.front();
        if (primo.testo.starts_with('[')) {
            // A section runs to the line before the next one.
            if (sezione) (*sezione)["range"]["end"] = {{"line", riga}, {"character", 0}};
            sezioni.push_back({{"name", da_1252_a_utf8(primo.testo)},
                               {"kind", 3},
                               {"range", intervallo(riga, 0, righe[riga].size())},
                               {"selectionRange", intervallo(riga, primo.inizio, primo.fine)},
                               {"children", Json::array()}});
            sezione = &sezioni.back();
            continue;
        }
        if (!r.scheda || !sezione) continue;
        const std::string nome = nome_simbolo(r);
        if (nome.empty()) continue;
        const int tipo = r.scheda->parola == &STAZIONE ? 20 : 24;  // Key for a station, Event for the others
        (*sezione)["children"].push_back({{"name", da_1252_a_utf8(nome)},
                                          {"kind", tipo},
                                          {"range", intervallo(riga, 0, righe[riga].size())},
                                          {"selectionRange", intervallo(riga, primo.inizio, primo.fine)}});
    }
    if (sezione) (*sezione)["range"]["end"] = {{"line", righe.size() - 1}, {"character", righe.back().size()}};
    return sezioni;
}

}  // namespace compattatore
