// What the editor says of each record: the reference's words for it, its
// fields' names, and which fields are positions on the line.
#pragma once

#include <string_view>
#include <vector>

#include "compiler/parole_chiave.h"

namespace compattatore {

// Where a position field lands: the cell that holds the point objects,
// round(p / 50 + 1), or the cell that begins at it, round(p / 50).
enum class RegolaCella { oggetto, inizio };

struct Scheda {
    const ParolaChiave* parola;
    std::string_view sezione;      // the section its records go in
    std::string_view descrizione;  // the reference's title for it
    std::vector<std::string_view> campi;
    std::vector<size_t> posizioni;  // indices into campi of the fields in metres
    RegolaCella regola = RegolaCella::oggetto;
};

// The record a keyword field is taken as, tested as the reader tests it
// (the line file's or the train file's words, in the reader's order).
const Scheda* scheda_di(std::string_view voce, bool linea);

// The records of one file, in the reference's order.
const std::vector<Scheda>& schede(bool linea);

}  // namespace compattatore
