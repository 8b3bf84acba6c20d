// Slowdown start and end cells back to the records that lay them.
#pragma once

#include <cstdint>
#include <vector>

#include "model/modello.h"

namespace compattatore {

// A slowdown record's fields and the cells it lays (start, end, warning,
// approach), any of which a station's stop mark may have taken since.
struct RallentamentoCelle {
    size_t inizio;
    int64_t x;
    int64_t lunghezza;
    int16_t v;
    int16_t f_tt;
    int16_t d_v;
    bool avvicinamento;
    std::vector<size_t> celle;
};

// Each start with an end after it that carries the same values: any such
// pairing gives the same cells. A start or end that a station's stop mark
// took keeps its other values under the mark, and is paired by them. A start
// with no end is given the next cell, the nearest a description can write.
// The start's metre is the one that puts the warning and approach cells
// where they are.
std::vector<RallentamentoCelle> rallentamenti_celle(const std::vector<Cella>& celle);

}  // namespace compattatore
