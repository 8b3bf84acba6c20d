// Bounds-checked access to the cell array: an index outside it ends the
// reader with code 25 and a reason naming the record and its position.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/errore_lettura.h"
#include "model/modello.h"

namespace compattatore {

// Throws when the line description gave no length, so there are no cells.
void richiedi_celle(const Modello& m, std::string_view record, Luogo luogo = {});

// Every cell a recorder changes is reached through here, so that the
// reader's recovery can undo a rejected record (see RegistroCelle).
Cella& cella(Modello& m, int64_t indice, std::string_view record, int32_t posizione, Luogo luogo = {});

// Carries a profile value (gradient, speed, adhesion) into `campo` of the
// cells from `indice` on: always one cell, then on while the index is below
// `fino`. `indice` ends just past the last cell written.
void riempi_celle(Modello& m, int32_t& indice, int64_t fino, uint8_t Cella::*campo, uint8_t valore,
                  std::string_view record, int32_t posizione, Luogo luogo = {});

}  // namespace compattatore
