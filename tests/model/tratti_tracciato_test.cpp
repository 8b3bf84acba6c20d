// The plan kept as its runs gives, block after block, the rows that stepping
// one row at a time gives, and the same file as those rows held.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "format/file_binari.h"
#include "model/tracciato.h"

namespace compattatore {
namespace {

struct Tratto {
    double curvatura;  // 0: straight
    size_t righe;
};

// Runs of a few thousand rows, so that runs start and end inside blocks and
// across their edges; the last rows of the plan stay empty.
const std::vector<Tratto> TRATTI = {{0.0, 1500}, {0.002, 700}, {0.0, 3000}, {-0.0004, 2048}, {-0.0004, 5}, {0.0, 1}};
constexpr size_t RIGHE = 2 + 1500 + 700 + 3000 + 2048 + 5 + 1 + 40;

TEST(TrattiTracciato, RowsAcrossBlocksAreTheStepsOneByOne) {
    TrattiTracciato tratti(RIGHE);
    tratti.avvia();
    std::vector<PuntoPiano> attese = {{0, 0}, {0, 1}};
    for (const Tratto& t : TRATTI) {
        if (t.curvatura == 0.0)
            tratti.rettilinei(t.righe);
        else
            tratti.curvi(t.curvatura, t.righe);
        for (size_t i = 0; i < t.righe; ++i) {
            const PuntoPiano prima = attese[attese.size() - 2], ultima = attese.back();
            attese.push_back(t.curvatura == 0.0 ? passo_dritto(prima, ultima)
                                                : passo_girato(prima, ultima, t.curvatura));
        }
    }
    ASSERT_EQ(tratti.assegnate(), attese.size());

    const Tracciato righe = righe_tracciato(tratti);
    ASSERT_EQ(righe.size(), RIGHE);
    ASSERT_EQ(righe.assegnate(), attese.size());
    for (size_t r = 0; r < attese.size(); ++r) {
        ASSERT_EQ(std::bit_cast<uint64_t>(righe.x(r)), std::bit_cast<uint64_t>(attese[r].x)) << r;
        ASSERT_EQ(std::bit_cast<uint64_t>(righe.y(r)), std::bit_cast<uint64_t>(attese[r].y)) << r;
    }
    EXPECT_EQ(codifica_tracciato(tratti), codifica_tracciato(righe));
}

}  // namespace
}  // namespace compattatore
