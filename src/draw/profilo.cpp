// The profile panel: distance along the line across, gradient and speed
// limit charts stacked, with the spans and points that lie on the line.
#include <algorithm>
#include <cmath>

#include "draw/etichette.h"
#include "draw/pannelli.h"
#include "draw/svg.h"

namespace compattatore {

namespace {

// Distance across: metres `da` to `a` over `larghezza` from x0.
struct Asse {
    double x0, larghezza, da, a;
    double x(double metro) const { return x0 + larghezza * (std::clamp(metro, da, a) - da) / (a - da); }
};

struct Grafico {
    double y0, altezza, minimo, massimo;
    double y(double v) const { return y0 + altezza * (massimo - v) / (massimo - minimo); }
};

// A step line through runs of values.
std::vector<std::pair<double, double>> gradini(const std::vector<Tratto>& tratti, const Asse& a, const Grafico& g) {
    std::vector<std::pair<double, double>> punti;
    for (const Tratto& t : tratti) {
        punti.emplace_back(a.x(t.da), g.y(static_cast<double>(t.valore)));
        punti.emplace_back(a.x(t.a), g.y(static_cast<double>(t.valore)));
    }
    return punti;
}

std::string griglia(const Grafico& g, const Asse& a, double passo, const std::string& unita) {
    std::string out;
    // The grid values are summed step by step, as drawn files always had them;
    // an integer counter would change their last digits.
    // NOLINTNEXTLINE(clang-analyzer-security.FloatLoopCounter)
    for (double v = std::ceil(g.minimo / passo) * passo; v <= g.massimo + 1e-9; v += passo) {
        out += svg::linea(a.x0, g.y(v), a.x0 + a.larghezza, g.y(v),
                          v == 0 ? "stroke=\"#888\" stroke-width=\"1\"" : "stroke=\"#e3e6ea\" stroke-width=\"1\"");
        out += svg::scritta(a.x0 - 6, g.y(v) + 4, svg::n(v) + unita, "class=\"asse\"", "end");
    }
    return out;
}

}  // namespace

Pannello disegna_profilo(const ElementiDisegno& e, double x0, double y0, double larghezza) {
    Pannello p;
    std::string& out = p.svg;
    const Asse a{x0 + 90, larghezza - 190, static_cast<double>(e.da), static_cast<double>(std::max(e.a, e.da + 1))};
    SpazioEtichette spazio;
    const double nomi = 120;  // room for the station names above the charts

    int64_t velocita_massima = 20, pendenza_massima = 5;
    for (const Tratto& t : e.velocita) velocita_massima = std::max(velocita_massima, t.valore);
    for (const Tratto& t : e.pendenze) pendenza_massima = std::max(pendenza_massima, std::abs(t.valore));
    const Grafico velocita{y0 + 50 + nomi, 190, 0, std::ceil((velocita_massima + 10) / 20.0) * 20};
    const double pm = std::ceil(pendenza_massima / 5.0) * 5;
    const Grafico pendenza{velocita.y0 + velocita.altezza + 40, 150, -pm, pm};
    const double fondo = pendenza.y0 + pendenza.altezza;
    p.altezza = fondo - y0 + 60;

    out += svg::rettangolo(x0 + 10, y0, larghezza - 20, p.altezza - 10, "fill=\"#fbfaf6\" stroke=\"#d0d4d9\" rx=\"8\"");
    out += svg::scritta(x0 + 26, y0 + 28, "Profile along the line", "class=\"titolo-pannello\"");

    // Mountain and tunnel spans as bands behind both charts.
    for (const Tratto& m : spans_uniti(e.montagne, (a.a - a.da) / a.larghezza)) {
        out += svg::rettangolo(a.x(m.da), velocita.y0, a.x(m.a) - a.x(m.da), fondo - velocita.y0,
                               std::string("fill=\"") + colore::montagna(m.valore) + "\" fill-opacity=\"0.18\"");
    }
    // The slowdown as a band over the speed chart, with its speed.
    for (const Rallentamento& r : e.rallentamenti) {
        const double xa = a.x(r.inizio), xb = a.x(r.fine.value_or(r.inizio));
        out += svg::rettangolo(xa, velocita.y0, std::max(xb - xa, 2.0), velocita.altezza,
                               std::string("fill=\"") + colore::RALLENTAMENTO + "\" fill-opacity=\"0.15\"");
        out += svg::linea(xa, velocita.y(r.velocita), xb, velocita.y(r.velocita),
                          std::string("stroke=\"") + colore::RALLENTAMENTO + "\" stroke-width=\"3\"");
        const std::string testo = std::to_string(r.velocita) + " km/h";
        if (spazio.posa({{(xa + xb) / 2, velocita.y(r.velocita) + 16, "middle"}}, testo, 11)) {
            out += svg::scritta((xa + xb) / 2, velocita.y(r.velocita) + 16, testo,
                                std::string("class=\"nota\" fill=\"") + colore::RALLENTAMENTO + "\"", "middle");
        }
    }

    out += griglia(velocita, a, 20, "");
    out += griglia(pendenza, a, pm > 10 ? 5 : 2.5, "");
    // Stations: a dotted line through both charts and the name above.
    // The names slant at 50 degrees: two parallel slants 17 px apart across
    // are 13 px apart square to them, room for a line of 11 px text.
    for (const Stazione& s : e.stazioni) {
        const double xs = a.x(s.record.posizione);
        out +=
            svg::linea(xs, velocita.y0 - 4, xs, fondo, "stroke=\"#555\" stroke-width=\"0.8\" stroke-dasharray=\"2 3\"");
    }
    for (bool con_orario : {true, false}) {
        for (const Stazione& s : e.stazioni) {
            if ((s.record.orario > 0) != con_orario) continue;
            const double xs = a.x(s.record.posizione);
            if (!spazio.prendi({xs - 8.5, velocita.y0 - 20, xs + 8.5, velocita.y0 - 6})) continue;
            out += svg::scritta(xs + 3, velocita.y0 - 8, s.nome, "class=\"stazione\"", "start",
                                "transform=\"rotate(-50 " + svg::n(xs + 3) + " " + svg::n(velocita.y0 - 8) + ")\"");
        }
    }

    // Gradient: a filled step area, rising red and falling green.
    for (const Tratto& t : e.pendenze) {
        if (t.valore == 0) continue;
        const double ya = pendenza.y(static_cast<double>(t.valore)), yz = pendenza.y(0);
        out += svg::rettangolo(a.x(t.da), std::min(ya, yz), a.x(t.a) - a.x(t.da), std::abs(ya - yz),
                               std::string("shape-rendering=\"crispEdges\" fill=\"") +
                                   (t.valore > 0 ? colore::SALITA : colore::DISCESA) + "\"");
    }
    out += svg::polilinea(gradini(e.pendenze, a, pendenza), "stroke=\"#333\" stroke-width=\"1\"");
    out += svg::polilinea(gradini(e.velocita, a, velocita),
                          std::string("stroke=\"") + colore::VELOCITA + "\" stroke-width=\"2.2\"");

    // Points on the speed chart's floor: signals, the warning, abbattimento cells.
    for (int32_t metro : e.segnali) {
        out += simbolo_segnale(a.x(metro), velocita.y(0), 0, -1, 0);
    }
    for (const PuntoSegnato& w : e.avvisi) {
        const double xw = a.x(w.metro), yw = velocita.y(w.valore);
        out +=
            "<path d=\"M" + svg::n(xw) + " " + svg::n(yw - 14) + " l7 12 h-14 z\" fill=\"" + colore::AVVISO + "\"/>\n";
        out += svg::scritta(xw - 9, yw - 4, "warning", std::string("class=\"nota\" fill=\"") + colore::AVVISO + "\"",
                            "end");
    }
    for (const PuntoSegnato& b : e.abbattimenti) {
        out += svg::linea(a.x(b.metro), velocita.y(0) - 26, a.x(b.metro), velocita.y(0) - 16,
                          std::string("stroke=\"") + colore::ABBATTIMENTO + "\" stroke-width=\"2\"");
    }

    // Frames, axes and their labels.
    for (const Grafico* g : {&velocita, &pendenza}) {
        out += svg::rettangolo(a.x0, g->y0, a.larghezza, g->altezza, "fill=\"none\" stroke=\"#999\"");
    }
    // A tick at least every 60 px; a label where it fits.
    const double tratto_km = (a.a - a.da) / 1000;
    double passo_km = std::pow(10.0, std::floor(std::log10(std::max(tratto_km * 60 / a.larghezza, 1e-3))));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * passo_km * a.larghezza / tratto_km >= 60) {
            passo_km *= m;
            break;
        }
    }
    for (double km = std::ceil(a.da / 1000 / passo_km) * passo_km; km * 1000 <= a.a; km += passo_km) {
        out += svg::linea(a.x(km * 1000), fondo, a.x(km * 1000), fondo + 5, "stroke=\"#555\"");
        if (spazio.posa({{a.x(km * 1000), fondo + 18, "middle"}}, svg::n(km), 11))
            out += svg::scritta(a.x(km * 1000), fondo + 18, svg::n(km), "class=\"asse\"", "middle");
    }
    out += svg::scritta(a.x0 + a.larghezza / 2, fondo + 38, "distance along the line (km)", "class=\"etichetta\"",
                        "middle");
    auto etichetta_y = [&](const Grafico& g, const std::string& t) {
        const double cx = x0 + 34, cy = g.y0 + g.altezza / 2;
        out += svg::scritta(cx, cy, t, "class=\"etichetta\"", "middle",
                            "transform=\"rotate(-90 " + svg::n(cx) + " " + svg::n(cy) + ")\"");
    };
    etichetta_y(velocita, "speed limit (km/h)");
    etichetta_y(pendenza, "gradient (\xE2\x80\xB0)");
    return p;
}

}  // namespace compattatore
