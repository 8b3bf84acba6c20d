// The four recorders: each places one object of a record into the cells.
// A point-object recorder that finds its cell taken writes nothing more and
// returns its conflict code, which the reader records at the record; 0 means
// the object was placed. An overflow or an index outside the cells throws
// ErroreLettura. Arguments are in the order of the record's fields.
#pragma once

#include <array>
#include <cstdint>

#include "model/modello.h"

namespace compattatore {

// The mountain spans of the line file read so far, first span at index 1:
// the reader's own, kept while the line file is read.
struct Montagne {
    std::array<int32_t, MASSIMO_MONTAGNE + 1> inizi_montagne{};
    std::array<int32_t, MASSIMO_MONTAGNE + 1> fini_montagne{};
    int32_t numero_montagne = 0;
};

// A mountain or tunnel span; kinds above 10 also mark every fourth cell.
void memo_montagna(Modello& m, Montagne& s, int32_t inizio, int32_t fine, int32_t tipo);

// A pair of maximum-speed boards (left s, right d) for ranks A, B and C. Code 21.
int32_t memo_indicatori_v_max(Modello& m, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces,
                              int32_t vad, int32_t vbd, int32_t vcd, int32_t strisced);

// A signal with its left (sx, s1..s3) and right (dx, d1..d3) heads. Code 16.
int32_t memo_segnale(Modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3, int32_t rapp,
                     int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t tempo);

// A temporary slowdown from x, l metres long, at v km/h. Codes 17 to 20;
// 19 also when the end cell is not after the start cell.
int32_t memo_rallentamento(Modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta, int32_t d_v);

}  // namespace compattatore
