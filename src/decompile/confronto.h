// What differs between the files a description compiles to and the files it
// was recovered from, place by place.
#pragma once

#include <vector>

#include "decompile/decompila.h"
#include "model/modello.h"

namespace compattatore {

// Cells, then object records, each with every field that differs. The plan is
// compared only when both sides have one, and only its first differing row is
// named (every later row follows from it).
std::vector<Scostamento> confronta(const ScenarioCompilato& atteso, const Modello& ottenuto,
                                   const ChiaviScenario& chiavi);

}  // namespace compattatore
