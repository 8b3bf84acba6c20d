// The plan's points kept for a tolerance: never farther from the whole plan
// than that tolerance, and few where the track runs straight.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "draw/tracciato_punti.h"

namespace compattatore {
namespace {

// Straight 1000 m, a 400 m radius curve through 90 degrees, straight again:
// one point a metre, as the plan table holds them.
std::vector<PuntoTracciato> rettilineo_curva_rettilineo() {
    std::vector<PuntoTracciato> p;
    int32_t m = 0;
    for (; m <= 1000; ++m) p.push_back({m, 0, static_cast<double>(m)});
    const double r = 400, arco = r * std::numbers::pi / 2;
    for (int k = 1; k <= static_cast<int>(arco); ++k, ++m) {
        const double a = k / r;
        p.push_back({m, r - r * std::cos(a), 1000 + r * std::sin(a)});
    }
    const PuntoTracciato fine = p.back();
    for (int k = 1; k <= 1000; ++k, ++m) p.push_back({m, fine.x + k, fine.y});
    return p;
}

double distanza_dal_segmento(const PuntoTracciato& q, const PuntoTracciato& a, const PuntoTracciato& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy);
}

TEST(TracciatoPunti, EveryRowLiesWithinTheToleranceOfTheKeptPolyline) {
    const auto punti = rettilineo_curva_rettilineo();
    const auto importanza = importanza_punti(punti);
    size_t precedenti = punti.size() + 1;
    for (double t : {0.01, 0.25, 1.0, 5.0, 50.0, 500.0}) {
        const auto scelti = punti_semplificati(punti, importanza, t);
        ASSERT_GE(scelti.size(), 2u);
        EXPECT_EQ(scelti.front().metro, 0) << t;
        EXPECT_EQ(scelti.back().metro, punti.back().metro) << t;
        EXPECT_LE(scelti.size(), precedenti) << "a larger tolerance never keeps more, t = " << t;
        precedenti = scelti.size();
        // Each row against the kept segment that spans its metre.
        size_t s = 0;
        double peggiore = 0;
        for (const PuntoTracciato& q : punti) {
            while (scelti[s + 1].metro < q.metro) ++s;
            peggiore = std::max(peggiore, distanza_dal_segmento(q, scelti[s], scelti[s + 1]));
        }
        EXPECT_LE(peggiore, t) << "t = " << t;
    }
    // A pixel of a metre: the straight runs need their ends only, the curve
    // some dozens of points, not one a metre.
    const auto un_metro = punti_semplificati(punti, importanza, 1.0);
    EXPECT_LT(un_metro.size(), 60u);
    EXPECT_GT(un_metro.size(), 10u);
}

TEST(TracciatoPunti, RowsWithoutAValueAreNotPoints) {
    Tracciato righe(5);
    righe.aggiungi(0, 0);
    righe.aggiungi(0, 1);
    righe.aggiungi(0.5, 2.0);
    const auto punti = punti_del_tracciato(righe);
    ASSERT_EQ(punti.size(), 3u);
    EXPECT_EQ(punti[1].y, 1);
    EXPECT_EQ(punti[2].metro, 2);
    EXPECT_EQ(punti[2].x, 0.5);
}

}  // namespace
}  // namespace compattatore
