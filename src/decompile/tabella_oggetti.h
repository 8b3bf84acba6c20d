// The object table's records 1 to 80: stations from 1 upward, text signs
// from 80 downward. A station's stop mark overwrites whatever its cell held,
// a sign too: the sign's record stays with no cell naming it.
#pragma once

#include <vector>

#include "format/decodifica.h"

namespace compattatore {

struct RecordTabella {
    int ultima_stazione = 0;          // stations are records 1 to this
    int primo_cartello = 81;          // signs are records this to 80
    std::vector<int> cartelli_persi;  // sign records no cell names, from 80 down
};

// A record with only a name above the last station is a sign; so is every
// record between the signs that cells name.
RecordTabella record_tabella(const ScenarioCompilato& s);

// What the stop mark of each cell hid, told from what it left: a slowdown's
// start or end, paired by its other values; a signal's fields and time, with
// its code marks 6 and 8 cells before; a speed board's other fields; or
// nothing to tell (an empty cell, a sign, a code cell). `niente` for every
// cell with no stop mark.
enum class Nascosto { niente, rallentamento, segnale, indicatore };
std::vector<Nascosto> sotto_fermate(const std::vector<Cella>& celle);

}  // namespace compattatore
