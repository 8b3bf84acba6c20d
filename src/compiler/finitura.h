// The finishing pass: abbattimento cells (kind 12, value 180) that the
// simulator needs around slowdowns and signals, placed after everything the
// description files hold has been recorded.
#pragma once

#include <vector>

#include "model/modello.h"

namespace compattatore {

inline constexpr int16_t VALORE_ABBATTIMENTO = 180;

// One condition the pass met: code 11, 12 or 13 at cell `cella` (position
// cella * 50 m), concerning the object in cell `oggetto`: the signal (11) or
// the slowdown's start (12, 13), so that it can be told which record it
// belongs to.
struct AvvisoFinitura {
    int32_t codice;
    int32_t cella;
    int32_t oggetto;
    bool operator==(const AvvisoFinitura&) const = default;
};

// Walks cells 1 to N - 2 once, in ascending order:
// - before each signal among the 20 cells before a slowdown warning point, a
//   code cell at one of the two cells before the signal (or an abbattimento
//   already there lowered to at most 180); none possible: code 11 at the
//   signal's position;
// - before a slowdown start, one code cell in each of the windows 5-7, 11-13
//   and 18-20 cells upstream (windows that would reach cell 0 are skipped);
//   none free: code 12 at the start's position;
// - inside a slowdown slower than 110 km/h, one every 8 cells up to its end
//   cell, and one just before the first signal within 12 cells after the end;
//   none free: code 13 at the position of the cell being tried or of the end.
// Cell 1, which the identity stamps fill, counts as taken throughout.
// The pass always runs to the end and returns every code it met, in the order
// met. A walk or search never passes the last cell. Needs
// m.celle_create().
std::vector<AvvisoFinitura> rifinisci_celle(Modello& m);

}  // namespace compattatore
