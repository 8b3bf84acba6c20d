// The normal run's description files: intermediates that the reader's caller
// reads from disk and deletes once read.
#pragma once

#include <string>

#include "compiler/memorizza_dati.h"
#include "model/modello.h"

namespace compattatore {

struct FileDescrizione {
    std::string linea;
    std::string treno;
};

// memorizza_dati on the two files' text. A missing line file is code 101
// and nothing is read. The line file goes once read, the train file once the
// reading reached it, and both when reading failed (code 25).
EsitoLettura memorizza_dati_da_file(Modello& m, const FileDescrizione& file);

}  // namespace compattatore
