// The plan panel: the track centre line drawn to scale from the plan table.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "disegno/pannelli.h"
#include "disegno/svg.h"

namespace compattatore {

const char* colore::montagna(int64_t tipo) {
    switch (tipo) {
        case 1: return "#8d6e63";
        case 2: return "#37474f";
        default: return "#9c6ade";
    }
}

std::string simbolo_segnale(double x, double y, double nx, double ny, double scostamento) {
    const double palo = scostamento + 7, luce = palo + 1.5;
    return svg::linea(x + nx * scostamento, y + ny * scostamento, x + nx * palo, y + ny * palo,
                      std::string("stroke=\"") + colore::SEGNALE + "\" stroke-width=\"1.6\"") +
           svg::cerchio(x + nx * luce, y + ny * luce, 2.2, std::string("fill=\"") + colore::SEGNALE + "\"");
}

namespace {

std::optional<double> numero(const ValoreEtichettato& v) {
    if (const auto* i = std::get_if<int16_t>(&v)) return *i;
    if (const auto* d = std::get_if<double>(&v)) return *d;
    return std::nullopt;
}

// Plan metres to drawing coordinates: equal scale on both axes, +y up.
struct Scala {
    double min_x, max_y, s, ox, oy;
    double x(double metri_x) const { return ox + s * (metri_x - min_x); }
    double y(double metri_y) const { return oy + s * (max_y - metri_y); }
};

// 1, 2 or 5 times a power of ten: the scale bar's length in km.
double km_tondi(double massimo) {
    double passo = std::pow(10.0, std::floor(std::log10(massimo)));
    for (double m : {5.0, 2.0, 1.0}) {
        if (m * passo <= massimo) return m * passo;
    }
    return passo;
}

}  // namespace

Pannello disegna_pianta(const ScenarioCompilato& scenario, const ElementiDisegno& e, double x0, double y0,
                        double larghezza) {
    // Every row that holds a value, in metre order: rows 0 to L + 6998.
    std::vector<std::pair<double, double>> punti;
    std::vector<int32_t> metri;
    for (size_t r = 0; r < scenario.tracciato.size(); ++r) {
        auto px = numero(scenario.tracciato[r].x);
        auto py = numero(scenario.tracciato[r].y);
        if (px && py) {
            punti.emplace_back(*px, *py);
            metri.push_back(static_cast<int32_t>(r));
        }
    }
    Pannello p;
    if (punti.empty()) return p;
    auto punto_al_metro = [&](int32_t metro) {
        auto it = std::lower_bound(metri.begin(), metri.end(), std::clamp(metro, 0, metri.back()));
        return punti[static_cast<size_t>(it - metri.begin())];
    };

    double min_x = std::numeric_limits<double>::max(), max_x = -min_x, min_y = min_x, max_y = -min_x;
    for (const auto& [px, py] : punti) {
        min_x = std::min(min_x, px), max_x = std::max(max_x, px);
        min_y = std::min(min_y, py), max_y = std::max(max_y, py);
    }
    const double margine = 40, spazio_nomi = 170;
    const double w = larghezza - 2 * margine - spazio_nomi;
    const double dx = std::max(max_x - min_x, 1.0), dy = std::max(max_y - min_y, 1.0);
    const double s = std::min(w / dx, 640 / dy);
    const double h = dy * s;
    const Scala sc{min_x, max_y, s, x0 + margine + (w - dx * s) / 2, y0 + 50};
    p.altezza = h + 110;

    std::string& out = p.svg;
    out += svg::rettangolo(x0 + 10, y0, larghezza - 20, p.altezza - 10,
                           "fill=\"#fbfaf6\" stroke=\"#d0d4d9\" rx=\"8\"");
    out += svg::scritta(x0 + 26, y0 + 28, "Plan of the line (to scale, north up: the line starts heading north)",
                        "class=\"titolo-pannello\"");

    // The whole plan in plan metres under one transform; strokes are given
    // in plan metres too, so they come out at the intended width.
    out += "<g transform=\"translate(" + svg::n(sc.ox) + " " + svg::n(sc.oy) + ") scale(" + svg::esatto(s) + " " +
           svg::esatto(-s) + ") translate(" + svg::esatto(-min_x) + " " + svg::esatto(-max_y) + ")\" " +
           "stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    // Points every 50 m of the rows from `da` to `a`, both ends included.
    auto tratto_di_binario = [&](int32_t da, int32_t a) {
        std::string pts;
        for (size_t k = 0; k < punti.size(); ++k) {
            if (metri[k] < da || metri[k] > a) continue;
            if (metri[k] % 50 != 0 && metri[k] != a && metri[k] != metri.back()) continue;
            pts += svg::esatto(punti[k].first) + "," + svg::esatto(punti[k].second) + " ";
        }
        if (!pts.empty()) pts.pop_back();
        return pts;
    };
    const double px = 1 / s;  // one drawing pixel in plan metres
    out += "<polyline id=\"tracciato\" points=\"" + tratto_di_binario(0, metri.back()) +
           "\" fill=\"none\" stroke=\"" + colore::PROLUNGAMENTO + "\" stroke-width=\"" + svg::esatto(2 * px) +
           "\" stroke-dasharray=\"" + svg::esatto(6 * px) + " " + svg::esatto(4 * px) + "\"/>\n";
    for (const Tratto& m : e.montagne) {
        out += "<polyline points=\"" + tratto_di_binario(m.da, m.a) + "\" fill=\"none\" stroke=\"" +
               colore::montagna(m.valore) + "\" stroke-opacity=\"0.45\" stroke-width=\"" + svg::esatto(9 * px) +
               "\"/>\n";
    }
    out += "<polyline points=\"" + tratto_di_binario(0, e.lunghezza) + "\" fill=\"none\" stroke=\"" +
           colore::BINARIO + "\" stroke-width=\"" + svg::esatto(2.5 * px) + "\"/>\n";
    out += "</g>\n";

    // Markers in drawing coordinates, so they keep their size. A signal stands
    // beside the track so that a row of them never hides the line: on the
    // left in the direction of travel, away from the station names.
    for (int32_t metro : e.segnali) {
        auto [ax, ay] = punto_al_metro(metro - 25);
        auto [bx, by] = punto_al_metro(metro + 25);
        const double dx = sc.x(bx) - sc.x(ax), dy = sc.y(by) - sc.y(ay);
        const double lunghezza = std::max(std::hypot(dx, dy), 1e-9);
        auto [mx, my] = punto_al_metro(metro);
        out += simbolo_segnale(sc.x(mx), sc.y(my), dy / lunghezza, -dx / lunghezza, 3);
    }
    for (const Rallentamento& r : e.rallentamenti) {
        for (int32_t metro : {r.inizio, r.fine.value_or(r.inizio)}) {
            auto [mx, my] = punto_al_metro(metro);
            out += svg::cerchio(sc.x(mx), sc.y(my), 5,
                                std::string("fill=\"none\" stroke-width=\"2.5\" stroke=\"") + colore::RALLENTAMENTO + "\"");
        }
        auto [mx, my] = punto_al_metro(r.inizio);
        out += svg::scritta(sc.x(mx) - 18, sc.y(my) + 4, "slowdown " + std::to_string(r.velocita) + " km/h",
                            std::string("class=\"nota\" fill=\"") + colore::RALLENTAMENTO + "\"", "end");
    }
    for (const Stazione& st : e.stazioni) {
        auto [mx, my] = punto_al_metro(st.record.posizione);
        out += svg::cerchio(sc.x(mx), sc.y(my), 4.5, "fill=\"#ffffff\" stroke=\"#111\" stroke-width=\"1.8\"");
        out += svg::scritta(sc.x(mx) + 9, sc.y(my) + 4, st.nome, "class=\"stazione\"");
    }

    // Scale bar, bottom left.
    const double km = km_tondi(w / s / 1000 / 4);
    const double bx = x0 + 30, by = y0 + p.altezza - 34, bl = km * 1000 * s;
    out += svg::rettangolo(bx, by, bl / 2, 6, "fill=\"#222\"");
    out += svg::rettangolo(bx + bl / 2, by, bl / 2, 6, "fill=\"#fff\" stroke=\"#222\"");
    out += svg::scritta(bx, by - 5, "0", "class=\"asse\"", "middle");
    out += svg::scritta(bx + bl, by - 5, svg::n(km) + " km", "class=\"asse\"", "middle");
    return p;
}

}  // namespace compattatore
