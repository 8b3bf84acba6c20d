// The two panels of the route drawing and the colours they share with the
// legend.
#pragma once

#include <string>

#include "draw/elementi.h"

namespace compattatore {

struct Pannello {
    std::string svg;
    double altezza = 0;
};

namespace colore {
inline constexpr const char* BINARIO = "#1d3557";
inline constexpr const char* PROLUNGAMENTO = "#a8b2bd";
inline constexpr const char* SEGNALE = "#2a9d3f";
inline constexpr const char* RALLENTAMENTO = "#d62828";
inline constexpr const char* AVVISO = "#f77f00";
inline constexpr const char* ABBATTIMENTO = "#6a4c93";
inline constexpr const char* VELOCITA = "#1565c0";
inline constexpr const char* SALITA = "#e76f51";
inline constexpr const char* DISCESA = "#2a9d8f";
// Mountain and tunnel spans by kind 1, 2, 3 (others take the last).
const char* montagna(int64_t tipo);
}  // namespace colore

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
