// The checks that what a record wrote reaches the compiled files as written:
// a value packed with others into one field, or kept in fewer bits, that
// would come back as something else is a value-truncated diagnostic naming
// the field, the value written and the value stored. Each check is a few
// comparisons on the record's own fields, made once per record.
#pragma once

#include <array>
#include <cstdint>

#include "compiler/lettura.h"

namespace compattatore {

// A gradient in per mille, kept as gradient + 100 in one byte.
void controlla_pendenza(Lettura& l, const Valore<int32_t>& g);

// A signal's three aspect pairs, each kept as 10 * left + right, and its
// heads and rapp, kept as 10 * rapp + 3 * sx + dx.
struct CampiSegnale {
    Valore<int32_t> sx, dx, rapp;
    std::array<Valore<int32_t>, 3> sinistra, destra;
};
void controlla_segnale(Lettura& l, const CampiSegnale& s);

// A board's speeds for one rank, kept as left / 5 in the hundreds and right
// / 5 in the units, and its stripe counts, kept as 10 * left + right.
void controlla_indicatore(Lettura& l, char rango, const Valore<int32_t>& sinistra, const Valore<int32_t>& destra);
void controlla_strisce(Lettura& l, const Valore<int32_t>& sinistra, const Valore<int32_t>& destra);

// A time of day written as hours, minutes and seconds: minutes and seconds
// run 0 to 59. `record` names it; `somma`: the time is kept as one count of
// seconds, so that 07:75 is stored as 08:15.
void controlla_orario(Lettura& l, const char* record, const Valore<int32_t>& ore, const Valore<int32_t>& minuti,
                      const Valore<int32_t>& secondi, bool somma);

// A station whose time (seconds of the day) comes before the time of the
// last station before it that has one (time-backwards).
void controlla_orari_avanti(Lettura& l, const Valore<int32_t>& posizione, int32_t orario, int32_t precedente);

// The boards in cells `da` to `a` (exclusive) that show a speed above
// `limite`, the train's speed limit over them, read at `luogo`
// (board-above-limit, off unless asked for: a board serves every train of
// the line, and most trains are slower than its fastest rank).
void controlla_indicatori_sotto_limite(Lettura& l, int32_t da, int32_t a, int32_t limite, Luogo luogo);

// Where the record before lies, for the checks of one record against it.
struct Precedente {
    int32_t posizione = -1;  // none yet
    Luogo luogo;
};

// A profile record (gradient, speed, adhesion) at a position before the one
// before it: profiles are carried forward from record to record, so it takes
// effect only from where the one before it reached (out-of-order).
void controlla_ordine(Lettura& l, Precedente& prima, const Valore<int32_t>& posizione, const char* record);

// A curve that starts before the one before it ends (overlap): `prima`
// holds the furthest end so far.
void controlla_sovrapposti(Lettura& l, Precedente& prima, const Valore<int32_t>& inizio, int32_t fine,
                           const char* record);

// A mountain span that marks cells and starts before the end of the one
// written before it (`prima`), with a kind other than 3 (overlap).
void controlla_montagna_sovrapposta(Lettura& l, const Precedente& prima, const Valore<int32_t>& inizio, int32_t tipo);

}  // namespace compattatore
