// What the author's compile command says about a compilation: every recorded
// condition as a diagnostic against the description file and the line that
// caused it, in the form editors and terminals understand.
#pragma once

#include <string>

#include "compiler/modello.h"
#include "compiler/testo_1252.h"
#include "output/memorizza_percorso.h"

namespace compattatore {

struct SorgenteAutore {
    std::string percorso;  // as given on the command line
    std::string testo;     // Windows-1252, as the reader saw it
};

// The reading error, then every warning of the finishing pass (at the signal
// or slowdown record whose cell it concerns, when one can be named), then a
// reserved header field; each "FILE:LINE:COLUMN: error|warning: <meaning>
// [E<code>]" with the line and a caret. Empty when nothing was recorded.
std::string diagnostiche_compilazione(const EsitoPercorso& esito, const StatoPercorso& stato,
                                      const SorgenteAutore& linea, const SorgenteAutore& treno);

// A character that Windows-1252 cannot hold, at its line and column.
std::string diagnostica_carattere(const SorgenteAutore& sorgente, const CarattereNonRappresentabile& carattere);

}  // namespace compattatore
