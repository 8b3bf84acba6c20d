#include "cli/testo_utente.h"

#include <string>

#include "cli/stato_uscita.h"
#include "platform/file.h"
#include "platform/flussi_standard.h"

namespace compattatore {

int mostra_testo(std::string_view testo) {
    try {
        piattaforma::scrivi_su_uscita(testo);
        return USCITA_RIUSCITA;
    } catch (const piattaforma::ErroreFile& e) {
        piattaforma::scrivi_su_errore(std::string("compattatore: ") + e.what() + "\n");
        return USCITA_FILE;
    }
}

}  // namespace compattatore
