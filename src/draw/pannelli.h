// The two panels of the route drawing.
#pragma once

#include <string>

#include "draw/elementi.h"
#include "draw/tavolozza.h"

namespace compattatore {

struct Pannello {
    std::string svg;
    double altezza = 0;
};

// A signal post at (x, y) standing out along the unit vector (nx, ny), its
// foot `scostamento` away, with its light at the top.
std::string simbolo_segnale(double x, double y, double nx, double ny, double scostamento);

// Mountain spans of one kind less than `unita` metres apart joined into
// one: a drawing's spans then follow its size, not the number of cells.
std::vector<Tratto> spans_uniti(const std::vector<Tratto>& montagne, double unita);

// The track to scale from the plan table, `larghezza` wide at (x, y); the
// height follows from the track's shape.
Pannello disegna_pianta(const ScenarioCompilato& scenario, const ElementiDisegno& elementi, double x, double y,
                        double larghezza);

// Gradient and speed limit along the line, with what lies on it.
Pannello disegna_profilo(const ElementiDisegno& elementi, double x, double y, double larghezza);

}  // namespace compattatore
