// Slowdown start and end cells back to the records that lay them.
#pragma once

#include <vector>

#include "model/modello.h"

namespace compattatore {

struct CoppiaRallentamento {
    size_t inizio;
    size_t fine;
};

// Each start with an end after it that carries the same values: any such
// pairing gives the same cells. A start or end that a station's stop mark
// took keeps its other values under the mark, and is paired by them. A start
// with no end is given the next cell, the nearest a description can write.
std::vector<CoppiaRallentamento> coppie_rallentamento(const std::vector<Cella>& celle);

}  // namespace compattatore
