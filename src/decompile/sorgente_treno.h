// The train description that compiles to a scenario's run: general values,
// adhesion and speed profiles, stations, slowdowns, signals and the code
// cells an author asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/decodifica.h"

namespace compattatore {

// The file's lines, without line ends. `s` has its stamps cleared;
// `abbattimenti` lists the cells, in ascending order, that get an
// abbattimento record (the finishing pass makes the other code cells).
std::vector<std::string> sorgente_treno(const ScenarioCompilato& s, const std::vector<size_t>& abbattimenti);

}  // namespace compattatore
