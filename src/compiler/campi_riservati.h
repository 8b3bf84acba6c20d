// The header fields the compiler itself fills: element 0 of `valori` and
// `orario` of record 85, `dato1` and `dato2` of cell 1. A description file
// must leave them empty; one that sets them is refused rather than silently
// overwritten.
#pragma once

#include <cstdint>

#include "compiler/codici_errore.h"
#include "model/modello.h"

namespace compattatore {

inline constexpr int16_t TIMBRO_VALORI_LINEA = 610;
inline constexpr int16_t TIMBRO_CELLA_UNO = 5121;

// Checks, then stamps 610 / 5121, checks the second pair, refuses any object
// in cell 1 (other than a tunnel marker: 1250), then stamps codice_gara_st /
// codice_gara_og. Returns 0, or 1250 / 1251 for the first check that fails
// (stamping stops there). Needs cell 1.
int32_t controlla_e_timbra(Modello& m);

}  // namespace compattatore
