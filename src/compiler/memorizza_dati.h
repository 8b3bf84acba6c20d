// The reader: fills the route model from a line description file and a train
// description file.
#pragma once

#include <string>

#include "compiler/modello.h"

namespace compattatore {

struct SorgentiDescrizione {
    std::string file_linea;
    std::string file_treno;
    // The normal run's description files are intermediates and go once read;
    // an author's own files are sources and are never touched.
    bool elimina_dopo_lettura = true;
};

// Reads both files into `m` (whose keys and `crea_tracciato` are already set);
// conditions found are left in m.stato.codice_errore and its companions.
void memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti);

}  // namespace compattatore
