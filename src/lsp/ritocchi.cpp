// The answers that change the text: formatting and quick fixes. Neither
// ever changes a value: fields move, quotes close around a text, files trade
// places.
#include <algorithm>

#include "decompile/colonne.h"
#include "lsp/aiuti.h"
#include "lsp/scenari.h"
#include "lsp/uri.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

Json testo_intero(std::string_view testo) {
    const std::vector<std::string_view> righe = righe_di(testo);
    return {{"start", {{"line", 0}, {"character", 0}}},
            {"end", {{"line", righe.size() - 1}, {"character", righe.back().size()}}}};
}

bool testo_finale(const Scheda& s) { return s.parola == &STAZIONE || s.parola == &CARTELLO_INDICATORE; }

// A record whose line holds all of it: a quote left open runs on into the
// next line, and such a record is left as it is.
bool intero(const RigaRecord& r) { return std::ranges::count(r.testo, '"') % 2 == 0; }

// The edits that lay out one run of records of one kind in columns.
void formatta_gruppo(const std::vector<std::string_view>& righe, size_t da, size_t a, const Scheda& s,
                     Json& modifiche) {
    Colonne colonne(testo_finale(s));
    for (size_t riga = da; riga < a; ++riga) {
        std::vector<std::string> campi;
        for (const CampoRiga& c : campi_di(righe[riga])) campi.emplace_back(c.testo);
        colonne.riga(std::move(campi));
    }
    std::vector<std::string> nuove;
    colonne.aggiungi_a(nuove);
    for (size_t i = 0; i < nuove.size(); ++i) {
        const std::string_view vecchia = righe[da + i];
        if (nuove[i] == vecchia) continue;
        modifiche.push_back({{"range", intervallo(da + i, 0, vecchia.size())}, {"newText", da_1252_a_utf8(nuove[i])}});
    }
}

// A text field that the reader would cut at a comma, quoted: the fields
// after the last one the record has belong to it.
std::optional<Json> quota_testo(const Documento& d, const RigaRecord& r, size_t riga) {
    if (!r.scheda || !testo_finale(*r.scheda) || !intero(r)) return std::nullopt;
    const size_t ultimo = r.scheda->campi.size();
    if (r.campi.size() <= ultimo + 1) return std::nullopt;
    const CampoRiga& primo = r.campi[ultimo];
    const size_t fine = r.campi.back().fine;
    const std::string testo(r.testo.substr(primo.inizio, fine - primo.inizio));
    const std::string quotato = campo_testo(testo);
    if (quotato == testo) return std::nullopt;
    const std::string utf8 = da_1252_a_utf8(testo);
    return Json{{"title", "Quote the text \"" + utf8 + "\" so that its comma stays in it"},
                {"kind", "quickfix"},
                {"edit",
                 {{"changes",
                   {{uri_da_percorso(d.percorso),
                     {{{"range", intervallo(riga, primo.inizio, fine)}, {"newText", da_1252_a_utf8(quotato)}}}}}}}}};
}

// How many records of the line file's and of the train file's a text holds.
std::pair<size_t, size_t> record_per_file(std::string_view testo) {
    std::pair<size_t, size_t> conti;
    for (std::string_view riga : righe_di(testo)) {
        const RigaRecord linea = analizza_riga(riga, true);
        const RigaRecord treno = analizza_riga(riga, false);
        conti.first += linea.scheda && !treno.scheda;
        conti.second += treno.scheda && !linea.scheda;
    }
    return conti;
}

// The line file and its one train file trade their texts when each holds
// only the other's records: the author saved each under the other's name.
std::optional<Json> scambia_file(const Documento& d, const DocumentiAperti& aperti) {
    const std::optional<GruppoScenari> g = gruppo_di(d.percorso, aperti);
    if (!g || !g->linea_presente || g->treni.size() != 1) return std::nullopt;
    const std::optional<std::string> byte_linea = byte_di(aperti, g->linea);
    const std::optional<std::string> byte_treno = byte_di(aperti, g->treni[0]);
    if (!byte_linea || !byte_treno) return std::nullopt;
    // As the compiler reads them, and back as UTF-8 for the editor: a file
    // on the disk may be Windows-1252.
    const std::string linea_1252 = converti_in_1252(*byte_linea).testo;
    const std::string treno_1252 = converti_in_1252(*byte_treno).testo;
    const auto [linea_l, linea_t] = record_per_file(linea_1252);
    const auto [treno_l, treno_t] = record_per_file(treno_1252);
    if (linea_l != 0 || linea_t == 0 || treno_t != 0 || treno_l == 0) return std::nullopt;
    return Json{{"title", "Swap the texts of the line file and the train file"},
                {"kind", "quickfix"},
                {"edit",
                 {{"changes",
                   {{uri_da_percorso(g->linea),
                     {{{"range", testo_intero(linea_1252)}, {"newText", da_1252_a_utf8(treno_1252)}}}},
                    {uri_da_percorso(g->treni[0]),
                     {{{"range", testo_intero(treno_1252)}, {"newText", da_1252_a_utf8(linea_1252)}}}}}}}}};
}

}  // namespace

Json formattazione(const Documento& d, const Json& /*parametri*/, const DocumentiAperti& /*aperti*/) {
    const std::vector<std::string_view> righe = righe_di(d.testo);
    Json modifiche = Json::array();
    size_t riga = 0;
    while (riga < righe.size()) {
        const RigaRecord r = analizza_riga(righe[riga], d.linea());
        if (!r.scheda || !intero(r)) {
            ++riga;
            continue;
        }
        size_t fine = riga + 1;
        while (fine < righe.size()) {
            const RigaRecord altra = analizza_riga(righe[fine], d.linea());
            if (altra.scheda != r.scheda || !intero(altra)) break;
            ++fine;
        }
        formatta_gruppo(righe, riga, fine, *r.scheda, modifiche);
        riga = fine;
    }
    return modifiche;
}

Json azioni(const Documento& d, const Json& parametri, const DocumentiAperti& aperti) {
    Json elenco = Json::array();
    // The fix a diagnostic carries itself ("did you mean ...?"): its range
    // and replacement come with it in `data`.
    for (const Json& diagnostica : parametri.value("context", Json::object()).value("diagnostics", Json::array())) {
        const Json dati = diagnostica.value("data", Json::object());
        if (!dati.contains("replacement")) continue;
        elenco.push_back({{"title", dati.value("title", "Apply the suggestion")},
                          {"kind", "quickfix"},
                          {"diagnostics", {diagnostica}},
                          {"isPreferred", true},
                          {"edit",
                           {{"changes",
                             {{uri_da_percorso(d.percorso),
                               {{{"range", dati.at("range")}, {"newText", dati.at("replacement")}}}}}}}}});
    }
    const std::vector<std::string_view> righe = righe_di(d.testo);
    const auto [da, a] = righe_richieste(parametri, righe.size());
    for (size_t riga = da; riga < a; ++riga)
        if (auto azione = quota_testo(d, analizza_riga(righe[riga], d.linea()), riga)) elenco.push_back(*azione);
    if (auto azione = scambia_file(d, aperti)) elenco.push_back(*azione);
    return elenco;
}

}  // namespace compattatore
