#include "cli/errore.h"

#include "cli/stato_uscita.h"

namespace compattatore {

int errore(piattaforma::Interfaccia& interfaccia, const std::string& a) {
    interfaccia.messaggio(" Errore n. " + a);
    return USCITA_SCENARIO;
}

}  // namespace compattatore
