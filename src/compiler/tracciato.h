// The per-metre plan: each row continues the step between the two rows
// before it, straight or turned by a curvature.
#pragma once

#include "compiler/modello.h"

namespace compattatore {

// Curvature (1/m) of the curve class 1 to 6 named by a digit of a curve
// keyword; 0 for any other class.
double curvatura_classe(int classe);

// The number an entry holds (0 when empty).
double valore(const ValoreEtichettato& v);

// Rows 0 and 1: the line starts at the origin heading along +y.
void avvia_tracciato(Tracciato& tracciato);

// A row's two values.
struct PuntoPiano {
    double x = 0.0;
    double y = 0.0;
};

// The row after `prima` and `ultima` on a straight: ultima + (ultima - prima).
PuntoPiano passo_dritto(PuntoPiano prima, PuntoPiano ultima);
// The same step turned by `curvatura` (1/m, negative to the left); each step
// component is formed in extended precision and rounded once.
PuntoPiano passo_girato(PuntoPiano prima, PuntoPiano ultima, double curvatura);

// `quanti` rows more, each row m = row m-1 + (row m-1 - row m-2).
void passi_rettilinei(Tracciato& tracciato, size_t quanti);

// As the straight steps, turned by `curvatura` (1/m, negative to the left).
// Each step component is formed in extended precision and rounded once.
void passi_curvi(Tracciato& tracciato, double curvatura, size_t quanti);

}  // namespace compattatore
