// Curves back from the plan: every read of plan rows the decompiler makes
// lies here, so that a change of the row representation stays local.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/modello.h"

namespace compattatore {

// One curve record: the curved rows are inizio + 1 to inizio + lunghezza.
struct CurvaRicostruita {
    int32_t inizio = 0;
    int32_t lunghezza = 0;
    int classe = 1;         // 1 to 6
    bool sinistra = false;  // "curvas" (left) or "curvad" (right)
};

// A plan row that no step of the reader makes from the two rows before it.
struct RigaEstranea {
    int64_t riga;
    std::string motivo;
};

struct CurveRicostruite {
    std::vector<CurvaRicostruita> curve;  // in row order
    std::vector<RigaEstranea> estranee;
};

// Each row from 2 on is matched against the reader's own straight step and
// its curved step of every class and direction, taken from the file's two
// previous rows; the rows that turn alike make one curve. A row that matches
// none counts as straight and is listed.
CurveRicostruite ricostruisci_curve(const Tracciato& tracciato, int32_t lunghezza);

// The first row where two plans differ in a value's kind or bits; -1 when
// they are the same.
int64_t prima_riga_diversa(const Tracciato& a, const Tracciato& b);

// "x 12.5 (8 bytes), y empty": a row as the plan file holds it.
std::string descrivi_riga(const RigaTracciato& riga);

}  // namespace compattatore
