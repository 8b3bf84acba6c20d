// The normal run: write the five text files, then compile the scenario.
#pragma once

#include <string>

#include "platform/interfaccia.h"

namespace compattatore {

struct OpzioniEsecuzione {
    std::string directory;  // where every file of the run lives
};

// Runs the six steps in order and returns the exit status.
int esegui_normale(const OpzioniEsecuzione& opzioni, piattaforma::Interfaccia& interfaccia);

}  // namespace compattatore
