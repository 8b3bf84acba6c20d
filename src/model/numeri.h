// Rounding, narrowing and overflow-checked arithmetic shared by the reader
// and the recorders.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/errore_lettura.h"
#include "model/modello.h"

namespace compattatore {

// Nearest integer, halves to the even neighbour (the default rounding mode).
inline int64_t arrotonda(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

// The cell of a point object at p metres: round(p / 50 + 1).
inline int64_t cella_di(int32_t p) { return arrotonda(p / 50.0 + 1); }
// The position an author writes to put a point object into cell i.
inline int64_t posizione_per_cella(int64_t i) { return METRI_CELLA * (i - 1); }

// The last cell index of a line of `lunghezza` metres: round((L + 7000) / 50).
inline int64_t ultima_cella_per_lunghezza(int32_t lunghezza) {
    return arrotonda((int64_t{lunghezza} + OLTRE_LINEA) / 50.0);
}

// Narrow cell fields keep the low bits of what is stored into them.
inline int16_t basso16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
inline uint8_t basso8(int64_t v) { return static_cast<uint8_t>(v); }

// A result that must fit a signed 32-bit integer; `cosa` names it in the failure.
inline int32_t intero32(int64_t v, const char* cosa) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw ErroreLettura(std::string(cosa) + " overflows a 32-bit integer: " + std::to_string(v));
    return static_cast<int32_t>(v);
}

// One step of signed 32-bit arithmetic. A formula is taken a step at a time,
// in its written order, so a step that leaves 32 bits fails even when a later
// step would bring the value back in range.
inline int32_t somma32(int32_t a, int32_t b, const char* cosa) { return intero32(int64_t{a} + b, cosa); }
inline int32_t differenza32(int32_t a, int32_t b, const char* cosa) { return intero32(int64_t{a} - b, cosa); }
inline int32_t prodotto32(int32_t a, int32_t b, const char* cosa) { return intero32(int64_t{a} * b, cosa); }

// True when v is a whole multiple of `passo`.
inline bool multiplo(int32_t v, int32_t passo) { return v % passo == 0; }

}  // namespace compattatore
