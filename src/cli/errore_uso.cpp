#include "cli/errore_uso.h"

#include "cli/stato_uscita.h"
#include "platform/flussi_standard.h"

namespace compattatore {

int errore_di_uso(std::string_view comando, const ErroreUso& errore) {
    const std::string programma = comando.empty() ? "compattatore" : "compattatore " + std::string(comando);
    std::string testo = programma + ": " + errore.what() + "\n";
    if (errore.rimanda_all_aiuto()) testo += "Try '" + programma + " --help'.\n";
    piattaforma::scrivi_su_errore(testo);
    return USCITA_USO;
}

}  // namespace compattatore
