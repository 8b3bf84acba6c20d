// Per-cell values (gradient, speed limit, adhesion) back to the records that
// fill them: one record where the value changes.
#pragma once

#include <cstdint>
#include <vector>

#include "model/modello.h"

namespace compattatore {

struct PuntoProfilo {
    int32_t posizione;  // metres, a cell's start
    uint8_t valore;     // the byte the cells hold from here on
};

// A record at 0 gives the first cell's value, then one record at each cell
// whose value differs from the cell before. The reader's fill stops at the
// last cell but three, reaching one more only when a record stands there, so
// that cell gets its own record when it holds a value.
std::vector<PuntoProfilo> punti_profilo(const std::vector<Cella>& celle, uint8_t Cella::*campo);

}  // namespace compattatore
