// How a failure the run cannot handle reaches the person who started it.
#pragma once

#include "platform/file.h"
#include "platform/interfaccia.h"

namespace compattatore {

// Error number, its description and the file concerned.
void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore);

}  // namespace compattatore
