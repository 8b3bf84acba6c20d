#include "draw/disegno.h"

#include "draw/pannelli.h"
#include "draw/svg.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

constexpr double LARGHEZZA = 1400;

struct VoceLegenda {
    std::string simbolo;  // SVG drawn in a 24 x 12 box at the origin
    std::string testo;
};

std::string legenda(double y, bool con_pianta) {
    auto c = [](const char* colore) { return std::string(colore); };
    std::vector<VoceLegenda> voci;
    if (con_pianta) {
        voci.push_back(
            {svg::linea(0, 6, 24, 6, "stroke=\"" + c(colore::BINARIO) + "\" stroke-width=\"2.5\""), "track"});
        voci.push_back(
            {svg::linea(0, 6, 24, 6,
                        "stroke=\"" + c(colore::PROLUNGAMENTO) + "\" stroke-width=\"2\" stroke-dasharray=\"6 4\""),
             "run-out beyond the end"});
    }
    for (int tipo = 1; tipo <= 3; ++tipo) {
        voci.push_back(
            {svg::rettangolo(0, 0, 24, 12, "fill=\"" + c(colore::montagna(tipo)) + "\" fill-opacity=\"0.5\""),
             "mountain/tunnel kind " + std::to_string(tipo)});
    }
    voci.push_back({svg::cerchio(12, 6, 4.5, "fill=\"#fff\" stroke=\"#111\" stroke-width=\"1.8\""), "station"});
    voci.push_back({simbolo_segnale(12, 12, 0, -1, 0), "signal"});
    voci.push_back({svg::rettangolo(0, 0, 24, 12, "fill=\"" + c(colore::RALLENTAMENTO) + "\" fill-opacity=\"0.3\""),
                    "slowdown (start to end)"});
    voci.push_back({"<path d=\"M12 0 l7 12 h-14 z\" fill=\"" + c(colore::AVVISO) + "\"/>", "slowdown warning"});
    voci.push_back({svg::linea(12, 0, 12, 12, "stroke=\"" + c(colore::ABBATTIMENTO) + "\" stroke-width=\"2\""),
                    "abbattimento cell"});
    voci.push_back(
        {svg::linea(0, 6, 24, 6, "stroke=\"" + c(colore::VELOCITA) + "\" stroke-width=\"2.2\""), "line speed limit"});
    voci.push_back({svg::rettangolo(0, 0, 11, 12, "fill=\"" + c(colore::SALITA) + "\"") +
                        svg::rettangolo(13, 0, 11, 12, "fill=\"" + c(colore::DISCESA) + "\""),
                    "gradient up / down"});

    std::string out = svg::scritta(30, y + 16, "Legend", "class=\"titolo-pannello\"");
    const double colonna = 220;
    for (size_t k = 0; k < voci.size(); ++k) {
        // Six entries to a row.
        const size_t riga = k / 6;
        const double vx = 30 + colonna * static_cast<double>(k % 6), vy = y + 30 + 24 * static_cast<double>(riga);
        out += "<g transform=\"translate(" + svg::n(vx) + " " + svg::n(vy) + ")\">" + voci[k].simbolo + "</g>\n";
        out += svg::scritta(vx + 32, vy + 10, voci[k].testo, "class=\"nota\"");
    }
    return out;
}

}  // namespace

std::string disegna_scenario(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi,
                             const Intervallo& intervallo) {
    const ElementiDisegno elementi = elementi_di(scenario, intervallo);
    const std::string linea = da_1252_a_utf8(chiavi.linea), treno = da_1252_a_utf8(chiavi.treno);
    const bool tratto = elementi.da > 0 || elementi.a < elementi.lunghezza;
    const bool con_pianta = !scenario.tracciato.empty();

    std::string corpo;
    double y = 20;
    corpo += svg::scritta(30, y + 28, "Line " + linea + " \xE2\x80\x93 train " + treno, "class=\"titolo\"");
    corpo += svg::scritta(
        30, y + 52,
        svg::n(elementi.lunghezza / 1000.0) + " km" +
            (tratto ? ", drawn from km " + svg::n(elementi.da / 1000.0) + " to km " + svg::n(elementi.a / 1000.0)
                    : "") +
            ", " + std::to_string(elementi.stazioni.size()) + " stations, " + std::to_string(elementi.segnali.size()) +
            " signals" + (con_pianta ? "" : " \xE2\x80\x93 no plan file: compiled without a plan, profile only"),
        "class=\"sottotitolo\"");
    y += 70;
    if (con_pianta) {
        Pannello pianta = disegna_pianta(scenario, elementi, 0, y, LARGHEZZA);
        corpo += pianta.svg;
        y += pianta.altezza + 10;
    }
    Pannello profilo = disegna_profilo(elementi, 0, y, LARGHEZZA);
    corpo += profilo.svg;
    y += profilo.altezza + 10;
    corpo += legenda(y, con_pianta);
    y += 90;

    return svg::documento(LARGHEZZA, y, linea + " / " + treno,
                          ".titolo{font-size:24px;font-weight:bold;fill:" + std::string(colore::BINARIO) +
                              "}\n"
                              ".sottotitolo{font-size:14px;fill:#555}\n"
                              ".titolo-pannello{font-size:15px;font-weight:bold;fill:#333}\n"
                              ".stazione{font-size:11px;fill:#111}\n"
                              ".asse{font-size:11px;fill:#555}\n"
                              ".etichetta{font-size:12px;fill:#333}\n"
                              ".nota{font-size:11px}\n",
                          corpo);
}

}  // namespace compattatore
