// The sources of a compiled scenario: a line description and a train
// description that compile, with the same keys, to the very same files.
#pragma once

#include <string>
#include <vector>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

// A place of a compiled file that no description can produce: the file's
// name, the cell, row or record, and what differs.
struct Scostamento {
    std::string file;
    std::string dove;    // "cell 421", "row 1200", "record 85"
    std::string motivo;  // what the file holds and what the written description gives
};

struct SorgentiRicostruite {
    std::vector<std::string> linea;        // lines of the line description, without line ends
    std::vector<std::string> treno;        // lines of the train description
    bool con_curve = false;                // false: there was no plan file, so no curves
    std::vector<Scostamento> scostamenti;  // empty: the round trip is exact
};

// Writes the nearest description of `s` and checks it by compiling it in
// memory with the same keys: every place where the result differs from `s`
// is listed.
SorgentiRicostruite decompila(const ScenarioCompilato& s, const ChiaviScenario& chiavi);

}  // namespace compattatore
