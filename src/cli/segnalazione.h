// How a failure or a recorded code reaches the person who started the run.
#pragma once

#include <string>

#include "compiler/diagnostiche.h"
#include "platform/file.h"
#include "platform/interfaccia.h"

namespace compattatore {

// The operation, the file concerned and the system's words for the failure.
void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore);

// One line for a coded diagnostic: " Errore n. 17: <meaning>, at 21200 m"
// (or " Avviso n. " for the finishing pass's warnings), then the reader's
// reason and place when known: ": <motivo> (<file>:<riga>:<colonna>)".
std::string testo_codice_registrato(const Diagnostica& d);

// Reports what a compilation recorded, in the order found (the reader's
// errors, the finishing pass's warnings, a reserved field through `errore`;
// the reader's warnings about what it drops are for the author's compile
// only), and returns the exit status: 0 when at most warnings were recorded,
// else 1.
int segnala_esito(piattaforma::Interfaccia& interfaccia, const ElencoDiagnostiche& diagnostiche);

}  // namespace compattatore
