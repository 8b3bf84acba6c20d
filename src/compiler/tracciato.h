// The per-metre plan: each row continues the step between the two rows
// before it, straight or turned by a curvature.
#pragma once

#include "compiler/modello.h"

namespace compattatore {

// The number an entry holds (0 when empty).
double valore(const ValoreEtichettato& v);

// Rows 0 and 1: the line starts at the origin heading along +y.
void avvia_tracciato(Tracciato& tracciato);

// The next row m = row m-1 + (row m-1 - row m-2).
void passo_rettilineo(Tracciato& tracciato);

// As the straight step, turned by `curvatura` (1/m, negative to the left).
// Each step component is formed in extended precision and rounded once.
void passo_curvo(Tracciato& tracciato, double curvatura);

}  // namespace compattatore
