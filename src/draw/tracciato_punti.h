// The plan table as points along the line: the one place that reads plan
// rows for the drawings and the viewer.
#pragma once

#include <cstdint>
#include <vector>

#include "model/modello.h"

namespace compattatore {

struct PuntoTracciato {
    int32_t metro = 0;  // the row: metres from the start of the line
    double x = 0;
    double y = 0;
};

// Every row that holds a value in both columns, in metre order.
std::vector<PuntoTracciato> punti_del_tracciato(const Tracciato& tracciato);

// For each point, the largest error (plan metres) a drawing may allow and
// still need that point: the polyline through the points whose importance
// exceeds t is never farther than t from the whole plan. The two ends are
// always needed. Tolerances below a millimetre are not served.
std::vector<double> importanza_punti(const std::vector<PuntoTracciato>& punti);

// The points needed at tolerance t, ends included.
std::vector<PuntoTracciato> punti_semplificati(const std::vector<PuntoTracciato>& punti,
                                               const std::vector<double>& importanza, double t);

}  // namespace compattatore
