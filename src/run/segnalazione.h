// How a failure or a recorded code reaches the person who started the run.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/modello.h"
#include "output/memorizza_percorso.h"
#include "platform/file.h"
#include "platform/interfaccia.h"

namespace compattatore {

// The operation, the file concerned and the system's words for the failure.
void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore);

// A recorded code in words, the one place that composes it for every
// report: "<meaning>[, at <posizione> m][, cell <cella>][: <motivo>]". The
// position only for the codes that set one, the cell when one is given
// (cella >= 0), the reader's reason when it says more than the meaning.
std::string significato_registrato(int32_t codice, int32_t posizione, const DettaglioErrore& dettaglio,
                                   int64_t cella = -1);

// One line for a recorded code: " Errore n. 17: <meaning>, at 21200 m" (or
// " Avviso n. " for the finishing pass's warnings), the position only for
// the codes that set one, then the reader's reason and place when known:
// ": <motivo> (<file>:<riga>:<colonna>)".
std::string testo_codice_registrato(int32_t codice, int32_t posizione, const DettaglioErrore& dettaglio);

// Reports what a compilation recorded, in the order it happened (reading
// error, finishing warning, reserved field through `errore`), and returns the
// exit status: 0 when at most warnings were recorded, else 1.
int segnala_esito(piattaforma::Interfaccia& interfaccia, const EsitoPercorso& esito, const StatoPercorso& stato);

}  // namespace compattatore
