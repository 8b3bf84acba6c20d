// The plan panel: the track centre line drawn to scale from the plan table.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "draw/etichette.h"
#include "draw/pannelli.h"
#include "draw/svg.h"
#include "draw/tracciato_punti.h"

namespace compattatore {

std::string simbolo_segnale(double x, double y, double nx, double ny, double scostamento) {
    const double palo = scostamento + 7, luce = palo + 1.5;
    return svg::linea(x + nx * scostamento, y + ny * scostamento, x + nx * palo, y + ny * palo,
                      std::string("stroke=\"") + colore::SEGNALE + "\" stroke-width=\"1.6\"") +
           svg::cerchio(x + nx * luce, y + ny * luce, 2.2, std::string("fill=\"") + colore::SEGNALE + "\"");
}

std::vector<Tratto> spans_uniti(const std::vector<Tratto>& montagne, double unita) {
    std::vector<Tratto> uniti;
    std::vector<size_t> ultimo_per_tipo;
    for (const Tratto& m : montagne) {
        auto stesso = std::find_if(ultimo_per_tipo.rbegin(), ultimo_per_tipo.rend(),
                                   [&](size_t k) { return uniti[k].valore == m.valore; });
        if (stesso != ultimo_per_tipo.rend() && m.da - uniti[*stesso].a <= unita) {
            uniti[*stesso].a = m.a;
            continue;
        }
        if (stesso != ultimo_per_tipo.rend()) ultimo_per_tipo.erase(std::next(stesso).base());
        ultimo_per_tipo.push_back(uniti.size());
        uniti.push_back(m);
    }
    return uniti;
}

namespace {

// Plan metres to drawing coordinates: equal scale on both axes, +y up.
struct Scala {
    double min_x, max_y, s, ox, oy;
    double x(double metri_x) const { return ox + s * (metri_x - min_x); }
    double y(double metri_y) const { return oy + s * (max_y - metri_y); }
};

// Around a point: right, left, above, below; `d` away from it.
std::vector<PostoEtichetta> intorno(double x, double y, double d) {
    return {{x + d, y + 4, "start"}, {x - d, y + 4, "end"}, {x, y - d, "middle"}, {x, y + d + 10, "middle"}};
}

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
    // The rows of the stretch drawn; the whole line shows its run-out too.
    std::vector<PuntoTracciato> punti;
    const bool intera = e.da == 0 && e.a >= e.lunghezza;
    for (const PuntoTracciato& q : punti_del_tracciato(scenario.tracciato)) {
        if (intera || (q.metro >= e.da && q.metro <= e.a)) punti.push_back(q);
    }
    Pannello p;
    if (punti.empty()) return p;
    auto indice_al_metro = [&](int32_t metro) {
        auto it = std::lower_bound(punti.begin(), punti.end(), metro,
                                   [](const PuntoTracciato& q, int32_t m) { return q.metro < m; });
        return static_cast<size_t>(std::min(it - punti.begin(), static_cast<std::ptrdiff_t>(punti.size() - 1)));
    };
    auto punto_al_metro = [&](int32_t metro) {
        const PuntoTracciato& q = punti[indice_al_metro(metro)];
        return std::pair{q.x, q.y};
    };

    // Halves, so that the widest finite plan does not overflow the range.
    double min_x = std::numeric_limits<double>::max(), max_x = -min_x, min_y = min_x, max_y = -min_x;
    for (const PuntoTracciato& q : punti) {
        min_x = std::min(min_x, q.x), max_x = std::max(max_x, q.x);
        min_y = std::min(min_y, q.y), max_y = std::max(max_y, q.y);
    }
    const double margine = 40, spazio_nomi = 170;
    const double w = larghezza - 2 * margine - spazio_nomi;
    const double dx = std::max(max_x / 2 - min_x / 2, 0.5) * 2, dy = std::max(max_y / 2 - min_y / 2, 0.5) * 2;
    const double s = std::min(w / dx, 640 / dy);
    const double h = dy * s;
    const Scala sc{min_x, max_y, s, x0 + margine + (w - dx * s) / 2, y0 + 50};
    p.altezza = h + 110;

    std::string& out = p.svg;
    out += svg::rettangolo(x0 + 10, y0, larghezza - 20, p.altezza - 10, "fill=\"#fbfaf6\" stroke=\"#d0d4d9\" rx=\"8\"");
    out += svg::scritta(x0 + 26, y0 + 28, "Plan of the line (to scale, north up: the line starts heading north)",
                        "class=\"titolo-pannello\"");

    // The whole plan in plan metres under one transform; strokes are given
    // in plan metres too, so they come out at the intended width.
    out += "<g transform=\"translate(" + svg::n(sc.ox) + " " + svg::n(sc.oy) + ") scale(" + svg::esatto(s) + " " +
           svg::esatto(-s) + ") translate(" + svg::esatto(-min_x) + " " + svg::esatto(-max_y) + ")\" " +
           "stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    // Only the points a pixel needs: the drawing's size follows the picture,
    // not the length of the line.
    const double px = 1 / s;  // one drawing pixel in plan metres
    const std::vector<double> importanza = importanza_punti(punti);
    // The rows from `da` to `a`, both ends included.
    auto tratto_di_binario = [&](int32_t da, int32_t a) {
        std::string pts;
        const size_t primo = indice_al_metro(da), ultimo = indice_al_metro(a);
        for (size_t k = primo; k <= ultimo; ++k) {
            if (k != primo && k != ultimo && importanza[k] <= px / 2) continue;
            pts += svg::esatto(punti[k].x) + "," + svg::esatto(punti[k].y) + " ";
        }
        if (!pts.empty()) pts.pop_back();
        return pts;
    };
    out += "<polyline id=\"tracciato\" points=\"" + tratto_di_binario(punti.front().metro, punti.back().metro) +
           "\" fill=\"none\" stroke=\"" + colore::PROLUNGAMENTO + "\" stroke-width=\"" + svg::esatto(2 * px) +
           "\" stroke-dasharray=\"" + svg::esatto(6 * px) + " " + svg::esatto(4 * px) + "\"/>\n";
    for (const Tratto& m : spans_uniti(e.montagne, px)) {
        out += "<polyline points=\"" + tratto_di_binario(m.da, m.a) + "\" fill=\"none\" stroke=\"" +
               colore::montagna(m.valore) + "\" stroke-opacity=\"0.45\" stroke-width=\"" + svg::esatto(9 * px) +
               "\"/>\n";
    }
    out += "<polyline points=\"" + tratto_di_binario(std::max(e.da, punti.front().metro), std::min(e.lunghezza, e.a)) +
           "\" fill=\"none\" stroke=\"" + colore::BINARIO + "\" stroke-width=\"" + svg::esatto(2.5 * px) + "\"/>\n";
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
            out += svg::cerchio(
                sc.x(mx), sc.y(my), 5,
                std::string("fill=\"none\" stroke-width=\"2.5\" stroke=\"") + colore::RALLENTAMENTO + "\"");
        }
    }
    // Labels by importance, each where it overprints none: slowdowns, then
    // stations with a timed stop, then the others.
    SpazioEtichette spazio;
    for (const Rallentamento& r : e.rallentamenti) {
        auto [mx, my] = punto_al_metro(r.inizio);
        const std::string testo = "slowdown " + std::to_string(r.velocita) + " km/h";
        if (const auto q = spazio.posa(intorno(sc.x(mx), sc.y(my), 18), testo, 11)) {
            out += svg::scritta(q->x, q->y, testo, std::string("class=\"nota\" fill=\"") + colore::RALLENTAMENTO + "\"",
                                q->ancora);
        }
    }
    for (const Stazione& st : e.stazioni) {
        auto [mx, my] = punto_al_metro(st.record.posizione);
        out += svg::cerchio(sc.x(mx), sc.y(my), 4.5, "fill=\"#ffffff\" stroke=\"#111\" stroke-width=\"1.8\"");
    }
    for (bool con_orario : {true, false}) {
        for (const Stazione& st : e.stazioni) {
            if ((st.record.orario > 0) != con_orario) continue;
            auto [mx, my] = punto_al_metro(st.record.posizione);
            if (const auto q = spazio.posa(intorno(sc.x(mx), sc.y(my), 9), st.nome, 11))
                out += svg::scritta(q->x, q->y, st.nome, "class=\"stazione\"", q->ancora);
        }
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
