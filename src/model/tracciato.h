// The per-metre plan: each row continues the step between the two rows
// before it, straight or turned by a curvature.
#pragma once

#include "model/modello.h"

namespace compattatore {

// Curvature (1/m) of the curve class 1 to 6 named by a digit of a curve
// keyword; 0 for any other class.
double curvatura_classe(int classe);

// The number an entry holds (0 when empty).
double valore(const ValoreEtichettato& v);

// The row after `prima` and `ultima` on a straight: ultima + (ultima - prima).
PuntoPiano passo_dritto(PuntoPiano prima, PuntoPiano ultima);
// The same step turned by `curvatura` (1/m, negative to the left); each step
// component is formed in extended precision and rounded once.
PuntoPiano passo_girato(PuntoPiano prima, PuntoPiano ultima, double curvatura);

// Every row of the plan, computed and held, for looking rows up by metre.
Tracciato righe_tracciato(const TrattiTracciato& tratti);

}  // namespace compattatore
