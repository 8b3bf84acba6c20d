#include "lsp/aiuti.h"

#include <charconv>

#include "model/modello.h"
#include "model/nomi_file.h"
#include "model/numeri.h"
#include "model/testo_1252.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr DomandaDocumento DOMANDE[] = {
    {"textDocument/hover", hover},
    {"textDocument/completion", completamento},
    {"textDocument/signatureHelp", firma},
    {"textDocument/inlayHint", suggerimenti_posizione},
    {"textDocument/documentSymbol", simboli},
    {"textDocument/formatting", formattazione},
    {"textDocument/codeAction", azioni},
};

// "21,250": metres with thousands set apart, as the reference writes them.
std::string migliaia(int64_t metri) {
    const std::string cifre = std::to_string(metri < 0 ? -metri : metri);
    std::string t(metri < 0 ? "-" : "");
    for (size_t i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0) t.push_back(',');
        t.push_back(cifre[i]);
    }
    return t;
}

Json posizione(size_t riga, size_t carattere) { return {{"line", riga}, {"character", carattere}}; }

struct Punto {
    size_t riga = 0;
    size_t carattere = 0;
};

Punto punto_di(const Json& parametri) {
    const Json& p = parametri.at("position");
    return {p.at("line").get<size_t>(), p.at("character").get<size_t>()};
}

std::string firma_di(const Scheda& s) {
    std::string t(s.parola->scritta);
    for (std::string_view c : s.campi) t += ", " + std::string(c);
    return t;
}

// The record on the line the editor points at; none past the text's end.
std::optional<RigaRecord> record_a(const Documento& d, const Punto& p) {
    const std::vector<std::string_view> righe = righe_di(d.testo);
    if (p.riga >= righe.size()) return std::nullopt;
    return analizza_riga(righe[p.riga], d.linea());
}

}  // namespace

bool Documento::linea() const { return chiave_linea_da_nome(piattaforma::nome_in_percorso(percorso)).has_value(); }

RigaRecord analizza_riga(std::string_view riga, bool linea) {
    RigaRecord r{riga, campi_di(riga), nullptr};
    if (!r.campi.empty() && !r.campi[0].testo.starts_with('[')) r.scheda = scheda_di(r.campi[0].testo, linea);
    return r;
}

std::optional<int32_t> metri_di(std::string_view campo) {
    if (campo.starts_with('+')) campo.remove_prefix(1);
    double valore = 0;
    const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), valore);
    if (errore != std::errc() || fine != campo.data() + campo.size() || campo.empty()) return std::nullopt;
    const int64_t metri = arrotonda(valore);
    if (metri < INT32_MIN || metri > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(metri);
}

int64_t cella_per(int32_t metri, RegolaCella regola) {
    return regola == RegolaCella::oggetto ? cella_di(metri) : arrotonda(metri / 50.0);
}

std::string cella_e_metri(int64_t cella) {
    return "cell " + std::to_string(cella) + " (" + migliaia(inizio_cella(cella)) + "\u2013" +
           migliaia(inizio_cella(cella + 1)) + " m)";
}

std::string cella_e_chilometro(int64_t cella) {
    // A position before the line's start is typed on the way: "km -1+250",
    // its sign before the whole kilometres, the metres padded as ever.
    const int64_t m = inizio_cella(cella);
    const int64_t metri = m < 0 ? -m : m;
    std::string resto = std::to_string(metri % 1000);
    resto.insert(0, 3 - resto.size(), '0');
    return "cell " + std::to_string(cella) + ", km " + (m < 0 ? "-" : "") + std::to_string(metri / 1000) + "+" + resto;
}

Json intervallo(size_t riga, size_t da, size_t a) {
    return {{"start", posizione(riga, da)}, {"end", posizione(riga, a)}};
}

std::pair<size_t, size_t> righe_richieste(const Json& parametri, size_t righe) {
    const Json& campo = parametri.at("range");
    const auto da = campo.at("start").at("line").get<size_t>();
    return {da, std::min(campo.at("end").at("line").get<size_t>() + 1, righe)};
}

const DomandaDocumento* domanda_per(std::string_view metodo) {
    for (const DomandaDocumento& d : DOMANDE)
        if (d.metodo == metodo) return &d;
    return nullptr;
}

Json hover(const Documento& d, const Json& parametri, const DocumentiAperti& /*aperti*/) {
    const Punto p = punto_di(parametri);
    const std::optional<RigaRecord> sotto = record_a(d, p);
    if (!sotto) return nullptr;
    const RigaRecord& r = *sotto;
    const CampoRiga* campo = campo_a(r.campi, p.carattere);
    if (!r.scheda || !campo) return nullptr;
    const Scheda& s = *r.scheda;
    const auto indice = static_cast<size_t>(campo - r.campi.data());
    std::string testo;
    if (indice == 0) {
        testo = "**" + std::string(s.parola->scritta) + "**: " + std::string(s.descrizione) + ", in " +
                std::string(s.sezione) + "\n\n```\n" + firma_di(s) + "\n```";
    } else if (indice - 1 < s.campi.size()) {
        const size_t n = indice - 1;
        testo = "**" + std::string(s.campi[n]) + "**, field " + std::to_string(indice) + " of `" +
                std::string(s.parola->scritta) + "`";
        const bool posizione = std::find(s.posizioni.begin(), s.posizioni.end(), n) != s.posizioni.end();
        if (auto metri = metri_di(campo->testo); posizione && metri)
            testo += ": " + cella_e_metri(cella_per(*metri, s.regola));
    } else {
        testo = "a field beyond the " + std::to_string(s.campi.size()) + " of `" + std::string(s.parola->scritta) + "`";
    }
    // A station's time, from its three fields, wherever on its line.
    if (s.parola == &STAZIONE && r.campi.size() > 16) {
        auto due = [&](size_t i) {
            std::string t = da_1252_a_utf8(r.campi[i].testo);
            return t.size() < 2 ? std::string(2 - t.size(), '0') + t : t;
        };
        testo += "\n\nscheduled at " + due(14) + ":" + due(15) + ":" + due(16);
    }
    return {{"contents", {{"kind", "markdown"}, {"value", testo}}},
            {"range", intervallo(p.riga, campo->inizio, campo->fine)}};
}

Json completamento(const Documento& d, const Json& parametri, const DocumentiAperti& /*aperti*/) {
    const Punto p = punto_di(parametri);
    const std::vector<std::string_view> righe = righe_di(d.testo);
    const std::string_view riga = p.riga < righe.size() ? righe[p.riga] : std::string_view();
    // Only the first field names a record or a section.
    const size_t virgola = riga.find(',');
    if (virgola != std::string_view::npos && virgola < p.carattere) return Json::array();
    size_t inizio = 0;
    while (inizio < riga.size() && riga[inizio] == ' ') ++inizio;
    const size_t fine = std::min(p.carattere, riga.size());
    const Json sostituito = intervallo(p.riga, std::min(inizio, fine), fine);
    Json voci = Json::array();
    for (std::string_view sezione : d.linea() ? std::span<const std::string_view>(SEZIONI_LINEA)
                                              : std::span<const std::string_view>(SEZIONI_TRENO))
        voci.push_back({{"label", sezione},
                        {"kind", 9},
                        {"detail", "section"},
                        {"textEdit", {{"range", sostituito}, {"newText", sezione}}}});
    for (const Scheda& s : schede(d.linea())) {
        std::string frammento(s.parola->scritta);
        for (size_t i = 0; i < s.campi.size(); ++i)
            frammento += ", ${" + std::to_string(i + 1) + ":" + std::string(s.campi[i]) + "}";
        voci.push_back({{"label", s.parola->scritta},
                        {"kind", 14},
                        {"detail", std::string(s.descrizione) + ", in " + std::string(s.sezione)},
                        {"documentation", firma_di(s)},
                        {"insertTextFormat", 2},
                        {"textEdit", {{"range", sostituito}, {"newText", frammento}}}});
    }
    return voci;
}

Json firma(const Documento& d, const Json& parametri, const DocumentiAperti& /*aperti*/) {
    const Punto p = punto_di(parametri);
    const std::optional<RigaRecord> sotto = record_a(d, p);
    if (!sotto || !sotto->scheda) return nullptr;
    const RigaRecord& r = *sotto;
    const std::string etichetta = firma_di(*r.scheda);
    Json parametri_firma = Json::array();
    size_t da = r.scheda->parola->scritta.size();
    for (std::string_view c : r.scheda->campi) {
        da += 2;
        parametri_firma.push_back({{"label", {da, da + c.size()}}});
        da += c.size();
    }
    // The field under the cursor: commas before it, the keyword's field aside.
    const std::string_view prima = r.testo.substr(0, std::min(p.carattere, r.testo.size()));
    const auto virgole = static_cast<size_t>(std::count(prima.begin(), prima.end(), ','));
    if (virgole == 0) return nullptr;
    return {{"signatures",
             {{{"label", etichetta},
               {"documentation", std::string(r.scheda->descrizione)},
               {"parameters", std::move(parametri_firma)}}}},
            {"activeSignature", 0},
            {"activeParameter", std::min(virgole - 1, r.scheda->campi.size() - 1)}};
}

}  // namespace compattatore
