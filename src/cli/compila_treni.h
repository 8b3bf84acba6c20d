// `compile` over the many trains of one line: the line read once, its plan
// written once, each train compiled from its own copy of the line's model,
// the trains side by side on the machine's cores.
#pragma once

#include <string>
#include <vector>

#include "cli/resoconto_compila.h"

namespace compattatore {

struct TrenoDaCompilare {
    std::string file;
    std::string chiave;  // Windows-1252, checked
};

struct RichiestaTreni {
    std::string file_linea;
    std::string chiave_linea;  // Windows-1252, checked
    std::vector<TrenoDaCompilare> treni;
    std::string directory;  // empty: the current directory
    bool tracciato = true;
    bool scrivi = true;
    bool forza = false;
    bool sincronizza = false;
    ResocontoCompila resoconto;  // over the whole set: one report, one error limit
};

// Compiles every train and writes each train's set of files when it may be
// written, whatever happened to the others; the plan only when its bytes
// differ from the file there. The diagnostics are one report, the line
// file's once; then one summary line per train. Returns the exit status: 3
// when a file could not be read or written, else 1 when a train has an
// error, else 0. Throws piattaforma::ErroreFile when a source cannot be read
// or the plan cannot be written (then no train's file is written).
int compila_treni(const RichiestaTreni& r);

}  // namespace compattatore
