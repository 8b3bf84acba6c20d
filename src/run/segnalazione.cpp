#include "run/segnalazione.h"

#include <string>

namespace compattatore {

void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore) {
    interfaccia.messaggio("Errore n. " + std::to_string(errore.numero()) + " (" + errore.descrizione() +
                          "): " + errore.what());
}

}  // namespace compattatore
