#include "cli/segnalazione.h"

#include "cli/errore.h"
#include "cli/stampa_diagnostiche.h"
#include "cli/stato_uscita.h"
#include "compiler/codici_errore.h"

namespace compattatore {

void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore) {
    // No number: the system's error number would read as a scenario code.
    interfaccia.messaggio(std::string("Errore: ") + errore.what());
}

std::string testo_codice_registrato(const Diagnostica& d) {
    std::string t = (e_avviso(d.codice) ? " Avviso n. " : " Errore n. ") + std::to_string(d.codice);
    t += ": " + significato_diagnostica(d);
    if (!d.file.empty()) t += " (" + posto_nel_file(d.file, d.luogo.riga, d.luogo.colonna) + ")";
    return t;
}

int segnala_esito(piattaforma::Interfaccia& interfaccia, const EsitoPercorso& esito) {
    for (const Diagnostica& d : esito.diagnostiche.voci()) {
        if (d.codice == 0 || d.codice == esito.codice_riservato) continue;
        interfaccia.messaggio(testo_codice_registrato(d));
    }
    if (esito.codice_riservato != 0) return errore(interfaccia, std::to_string(esito.codice_riservato));
    return esito.codice_lettura != 0 ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

}  // namespace compattatore
