// The per-metre plan: each row continues the step between the two rows
// before it, straight or turned by a curvature.
#pragma once

#include <cstddef>
#include <vector>

#include "compiler/modello.h"

namespace compattatore {

// Curvature (1/m) of the curve class 1 to 6 named by a digit of a curve
// keyword; 0 for any other class.
double curvatura_classe(int classe);

// The number an entry holds (0 when empty).
double valore(const ValoreEtichettato& v);

// Rows 0 and 1: the line starts at the origin heading along +y.
void avvia_tracciato(std::vector<RigaTracciato>& tracciato);

// Row m = row m-1 + (row m-1 - row m-2).
void passo_rettilineo(std::vector<RigaTracciato>& tracciato, size_t m);

// As the straight step, turned by `curvatura` (1/m, negative to the left).
// Each step component is formed in extended precision and rounded once.
void passo_curvo(std::vector<RigaTracciato>& tracciato, size_t m, double curvatura);

}  // namespace compattatore
