// What differs between the files a description compiles to and the files it
// was recovered from, place by place.
#pragma once

#include <vector>

#include "compiler/provenienze.h"
#include "decompile/decompila.h"
#include "model/modello.h"

namespace compattatore {

// Cells, then object records, each with every field that differs, what the
// file's values lose written back and, for a cell, the written record whose
// object meets it there (`provenienze`, of the written description's
// compile). The plan is compared only when both sides have one, and only its
// first differing row is named (every later row follows from it).
std::vector<Scostamento> confronta(const ScenarioCompilato& atteso, const Modello& ottenuto,
                                   const Provenienze& provenienze, const ChiaviScenario& chiavi);

}  // namespace compattatore
