// The normal run: write the five text files, then compile the scenario.
#pragma once

#include <string>

#include "platform/interfaccia.h"

namespace compattatore {

struct OpzioniEsecuzione {
    std::string directory;     // where every file of the run lives
    bool forza = false;        // write the binary files even after a recorded reading error
    bool sincronizza = false;  // sync the documents and binary files to the disk
};

// Runs the six steps in order and returns the exit status: a recorded
// reading error is reported and keeps the binary files from being written
// (unless forced) and gives status 1; warnings of the finishing pass are
// reported and give 0; a reserved header field set ends through `errore`.
int esegui_normale(const OpzioniEsecuzione& opzioni, piattaforma::Interfaccia& interfaccia);

}  // namespace compattatore
