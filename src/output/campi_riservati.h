// The header fields the compiler itself fills: element 0 of `valori` and
// `orario` of record 85, `dato1` and `dato2` of cell 1. A description file
// must leave them empty; one that sets them is refused rather than silently
// overwritten.
#pragma once

#include <cstdint>

#include "compiler/modello.h"

namespace compattatore {

inline constexpr int16_t TIMBRO_VALORI_LINEA = 610;
inline constexpr int16_t TIMBRO_CELLA_UNO = 5121;
inline constexpr int32_t ERRORE_CAMPO_RISERVATO_UNO = 1250;  // valori[0] of 85 or dato1 of cell 1
inline constexpr int32_t ERRORE_CAMPO_RISERVATO_DUE = 1251;  // orario of 85 or dato2 of cell 1

// Checks, then stamps 610 / 5121, checks the second pair, then stamps
// codice_gara_st / codice_gara_og. Returns 0, or 1250 / 1251 for the first
// pair found set (stamping stops there). Needs cell 1.
int32_t controlla_e_timbra(Modello& m);

}  // namespace compattatore
