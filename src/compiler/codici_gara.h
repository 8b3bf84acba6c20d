// The two identity codes of a compiled scenario, sums over the first 25
// characters of the lower-cased train key, line key and a fixed padding. The
// simulator recomputes them from the keys stored in the object file, so a
// scenario whose files were mixed up or edited by hand is recognised.
#pragma once

#include <cstdint>

#include "model/modello.h"

namespace compattatore {

// Both read the key copies in `nome` of records 86 (train) and 85 (line).
// Plain sum of the 25 character codes: at most 6375, fits 16 bits.
int16_t codice_gara_og(const TabellaOggetti& oggetti);
// Sum of each code times its position 1..25: at most 82875, needs 32 bits.
int32_t codice_gara_st(const TabellaOggetti& oggetti);

}  // namespace compattatore
