// The line description that compiles to a scenario's line: header, curves,
// gradients, mountains, speed boards and text signs.
#pragma once

#include <string>
#include <vector>

#include "decompile/curve.h"
#include "format/decodifica.h"

namespace compattatore {

// The file's lines, without line ends. `s` has its stamps cleared.
std::vector<std::string> sorgente_linea(const ScenarioCompilato& s, const std::vector<CurvaRicostruita>& curve);

}  // namespace compattatore
