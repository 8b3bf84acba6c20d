// Mountain kinds per cell back to the spans that lay them, with the tunnel
// marks each span puts on every fourth cell.
#pragma once

#include <cstdint>
#include <vector>

#include "model/modello.h"

namespace compattatore {

struct TrattoMontagna {
    size_t primo;  // the first and last cell
    size_t ultimo;
    uint8_t tipo;
    bool segnalini;  // marks on the span's fourth cells
    // Cells at its start that belong to the runs before: spans of their
    // kinds, written after this one, give them their kinds back.
    size_t rientro;
};

// The fewest spans, in cell order, that give each run of one kind and its
// marks: a marked span marks its 4th, 8th... cells unless an object holds
// them, so a mark out of step with the span's start, or a free cell where a
// mark belongs, starts another span. Cells of kind 0 belong to no span
// unless they hold marks.
std::vector<TrattoMontagna> tratti_montagna(const std::vector<Cella>& celle);

}  // namespace compattatore
