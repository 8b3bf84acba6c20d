#include "draw/tracciato_punti.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

namespace compattatore {

namespace {

constexpr double SEMPRE = std::numeric_limits<double>::max();
constexpr double TOLLERANZA_MINIMA = 0.001;  // metres

// Distance of p from the segment a-b. Huge coordinates may overflow on the
// way: such a point is then simply always kept.
double distanza(const PuntoTracciato& p, const PuntoTracciato& a, const PuntoTracciato& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
    t = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0;
    const double d = std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
    return std::isfinite(d) ? d : SEMPRE;
}

}  // namespace

std::vector<PuntoTracciato> punti_del_tracciato(const Tracciato& tracciato) {
    std::vector<PuntoTracciato> punti;
    punti.reserve(tracciato.assegnate());
    for (size_t r = 0; r < tracciato.assegnate(); ++r)
        punti.push_back({static_cast<int32_t>(r), tracciato.x(r), tracciato.y(r)});
    return punti;
}

// Douglas-Peucker run once for every tolerance: the point farthest from a
// span's chord splits it, and is needed for every tolerance below both its
// distance and the importance of the split that made the span.
std::vector<double> importanza_punti(const std::vector<PuntoTracciato>& punti) {
    std::vector<double> importanza(punti.size(), 0.0);
    if (punti.empty()) return importanza;
    importanza.front() = importanza.back() = SEMPRE;
    struct Campata {
        size_t a, b;
        double tetto;
    };
    std::vector<Campata> da_fare{{0, punti.size() - 1, SEMPRE}};
    while (!da_fare.empty()) {
        const Campata c = da_fare.back();
        da_fare.pop_back();
        if (c.b <= c.a + 1) continue;
        size_t lontano = c.a + 1;
        double massimo = -1;
        for (size_t k = c.a + 1; k < c.b; ++k) {
            const double d = distanza(punti[k], punti[c.a], punti[c.b]);
            if (d > massimo) massimo = d, lontano = k;
        }
        // Points this close to the chord matter to no drawing; stopping here
        // keeps a straight run from being split one point at a time.
        if (massimo <= TOLLERANZA_MINIMA) continue;
        const double valore = std::min(massimo, c.tetto);
        importanza[lontano] = valore;
        da_fare.push_back({c.a, lontano, valore});
        da_fare.push_back({lontano, c.b, valore});
    }
    return importanza;
}

std::vector<PuntoTracciato> punti_semplificati(const std::vector<PuntoTracciato>& punti,
                                               const std::vector<double>& importanza, double t) {
    std::vector<PuntoTracciato> scelti;
    for (size_t k = 0; k < punti.size(); ++k) {
        if (importanza[k] > t) scelti.push_back(punti[k]);
    }
    return scelti;
}

}  // namespace compattatore
