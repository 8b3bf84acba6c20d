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

// One train of a line, as compiled.
struct TrenoCompilato {
    const ScenarioCompilato& scenario;
    const ChiaviScenario& chiavi;
};

struct LineaRicostruita {
    std::vector<std::string> linea;               // the line description, once
    std::vector<std::vector<std::string>> treni;  // each train's description, in the order given
    bool con_curve = false;                       // false: the first train had no plan, so no curves
    std::vector<Scostamento> scostamenti;         // over every train; empty: each round trip is exact
};

// decompila over several trains of one line: the line description is
// written once, from the first train's files (which hold the line's plan,
// when there is one), and each train is checked by compiling its own
// description with that line description.
LineaRicostruita decompila_linea(const std::vector<TrenoCompilato>& treni);

}  // namespace compattatore
