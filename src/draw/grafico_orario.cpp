#include "draw/grafico_orario.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/svg.h"
#include "draw/tavolozza.h"
#include "model/plurale.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

constexpr double LARGHEZZA = 1400;
constexpr double SINISTRA = 240;  // room for the stations' names
constexpr double DESTRA = 40;
constexpr double ALTO = 100;
constexpr int64_t ORA = 3600;

// A time of the graph as a clock shows it; the graph may run past midnight.
std::string ora(double secondi) {
    const auto s = static_cast<int64_t>(std::llround(secondi));
    return ora_del_giorno(static_cast<int32_t>((s % 86400 + 86400) % 86400));
}

std::string km(double metri) { return "km " + svg::n(metri / 1000.0); }

// Where the graph puts a time and a distance.
struct Scala {
    int64_t t0 = 0, t1 = ORA;
    int64_t m0 = 0, m1 = 1;  // the stations' span, which an int32 may not hold
    double larghezza = 0, altezza = 0;
    double x(double secondi) const {
        return SINISTRA + (secondi - static_cast<double>(t0)) / static_cast<double>(t1 - t0) * larghezza;
    }
    double y(double metri) const {
        return ALTO + (metri - static_cast<double>(m0)) / static_cast<double>(m1 - m0) * altezza;
    }
};

// The whole hours around every point and the stations' span.
Scala scala_di(const std::vector<Corsa>& corse, const std::vector<StazioneGrafico>& stazioni) {
    Scala s;
    int64_t primo = std::numeric_limits<int64_t>::max(), ultimo = std::numeric_limits<int64_t>::min();
    for (const Corsa& c : corse) {
        for (const PuntoCorsa& p : c.punti) {
            primo = std::min(primo, p.secondi);
            ultimo = std::max(ultimo, p.secondi);
        }
    }
    if (primo <= ultimo) {
        s.t0 = primo >= 0 ? primo / ORA * ORA : -((-primo + ORA - 1) / ORA * ORA);
        s.t1 = std::max(s.t0 + ORA, (ultimo + ORA - 1) / ORA * ORA);
    }
    if (!stazioni.empty()) {
        s.m0 = stazioni.front().metri;
        s.m1 = std::max<int64_t>(stazioni.back().metri, s.m0 + 1);
    }
    s.larghezza = LARGHEZZA - SINISTRA - DESTRA;
    s.altezza = std::max(360.0, 30.0 * static_cast<double>(stazioni.size()));
    return s;
}

// The stops and times a train's line shows when pointed at.
std::string descrizione(const Corsa& c) {
    std::string testo = "train " + c.treno;
    for (const FermataCorsa& f : c.fermate)
        testo += "\n" + (f.secondi ? ora(static_cast<double>(*f.secondi)) : std::string("--:--:--")) + "  " + f.nome;
    return testo;
}

}  // namespace

std::string disegna_grafico_orario(const std::string& linea, const std::vector<Corsa>& corse) {
    const std::vector<StazioneGrafico> stazioni = stazioni_delle_corse(corse);
    const std::vector<Incrocio> incroci = incroci_tra(corse, stazioni);
    const Scala s = scala_di(corse, stazioni);
    const std::string nome_linea = da_1252_a_utf8(linea);
    const double basso = ALTO + s.altezza;

    std::string corpo;
    corpo += svg::scritta(30, 48, "Line " + nome_linea + " \xE2\x80\x93 train graph", "class=\"titolo\"");
    corpo += svg::scritta(30, 72,
                          plurale(corse.size(), "train") + ", " + plurale(stazioni.size(), "station") + ", " +
                              plurale(incroci.size(), "crossing") + " between stations",
                          "class=\"sottotitolo\"");

    // Whole hours across, more than one apart when the graph spans more than a day.
    const int64_t passo = ORA * std::max<int64_t>(1, (s.t1 - s.t0) / (24 * ORA));
    for (int64_t t = s.t0; t <= s.t1; t += passo) {
        const double x = s.x(static_cast<double>(t));
        const std::string etichetta = ora(static_cast<double>(t)).substr(0, 5);
        // The seconds with the clock's text: a viewer that zooms reads the
        // graph's time scale from them.
        corpo +=
            svg::linea(x, ALTO, x, basso,
                       "stroke=\"#ccc\" data-ora=\"" + etichetta + "\" data-secondi=\"" + std::to_string(t) + "\"");
        corpo += svg::scritta(x, basso + 18, etichetta, "class=\"asse\"", "middle");
    }
    for (const StazioneGrafico& st : stazioni) {
        const double y = s.y(st.metri);
        corpo += svg::linea(SINISTRA, y, LARGHEZZA - DESTRA, y,
                            "stroke=\"#bbb\" data-stazione=\"" + svg::testo(st.nome) + "\" data-metri=\"" +
                                std::to_string(st.metri) + "\"");
        corpo += svg::scritta(SINISTRA - 8, y + 4, st.nome + "  " + km(st.metri), "class=\"stazione\"", "end");
    }

    for (size_t i = 0; i < corse.size(); ++i) {
        const Corsa& c = corse[i];
        if (c.punti.empty()) continue;
        std::vector<std::pair<double, double>> punti;
        for (const PuntoCorsa& p : c.punti) punti.emplace_back(s.x(static_cast<double>(p.secondi)), s.y(p.metri));
        const std::string colore = colore::corsa(i);
        corpo += "<g class=\"corsa\" data-treno=\"" + svg::testo(c.treno) + "\"><title>" + svg::testo(descrizione(c)) +
                 "</title>\n";
        corpo += svg::polilinea(punti, "stroke=\"" + colore + "\" stroke-width=\"2\"");
        corpo += svg::scritta(punti.front().first + 4, punti.front().second - 6, c.treno,
                              "class=\"etichetta\" fill=\"" + colore + "\"");
        corpo += "</g>\n";
    }

    for (const Incrocio& k : incroci) {
        const std::string cosa = k.sorpasso ? "overtaking" : "meeting";
        corpo += "<g class=\"incrocio\" data-treni=\"" + svg::testo(corse[k.prima].treno) + " " +
                 svg::testo(corse[k.seconda].treno) + "\"><title>" +
                 svg::testo(cosa + ": trains " + corse[k.prima].treno + " and " + corse[k.seconda].treno +
                            " cross at " + ora(k.secondi) + ", " + km(k.metri) + ", between " + stazioni[k.da].nome +
                            " and " + stazioni[k.a].nome) +
                 "</title>\n";
        corpo +=
            svg::cerchio(s.x(k.secondi), s.y(k.metri), 7,
                         "fill=\"none\" stroke=\"" + std::string(colore::RALLENTAMENTO) + "\" stroke-width=\"2.5\"");
        corpo += "</g>\n";
    }

    const double fine_legenda = basso + 50;
    corpo += svg::cerchio(36, fine_legenda - 4, 7,
                          "fill=\"none\" stroke=\"" + std::string(colore::RALLENTAMENTO) + "\" stroke-width=\"2.5\"");
    corpo += svg::scritta(52, fine_legenda,
                          "two trains' lines cross between stations: a meeting or an overtaking, for the author to "
                          "judge; a train's stops and times show when it is pointed at",
                          "class=\"nota\"");
    const double altezza = fine_legenda + 30;

    return svg::documento(LARGHEZZA, altezza, nome_linea + " train graph",
                          ".titolo{font-size:24px;font-weight:bold;fill:" + std::string(colore::BINARIO) +
                              "}\n"
                              ".sottotitolo{font-size:14px;fill:#555}\n"
                              ".stazione{font-size:11px;fill:#111}\n"
                              ".asse{font-size:11px;fill:#555}\n"
                              ".etichetta{font-size:12px;font-weight:bold}\n"
                              ".nota{font-size:11px}\n",
                          corpo);
}

}  // namespace compattatore
