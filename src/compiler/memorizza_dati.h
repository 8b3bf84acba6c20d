// The reader: fills the route model from a line description file and a train
// description file.
#pragma once

#include <optional>
#include <string>

#include "compiler/modello.h"

namespace compattatore {

struct SorgentiDescrizione {
    std::string file_linea;
    std::string file_treno;
    // The normal run's description files are intermediates and go once read;
    // an author's own files are sources and are never touched.
    bool elimina_dopo_lettura = true;
    // The files' text when the caller has it already (an author's files
    // converted to Windows-1252): the reader then does not open them, and
    // the paths only name them in diagnostics.
    std::optional<std::string> testo_linea = std::nullopt;
    std::optional<std::string> testo_treno = std::nullopt;
};

// Reads both files into `m` (whose keys and `crea_tracciato` are already set);
// conditions found are left in m.stato.codice_errore and its companions.
void memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti);

}  // namespace compattatore
