#include "run/segnalazione.h"

#include "run/codici_errore.h"
#include "run/diagnostica.h"
#include "run/errore.h"
#include "run/stato_uscita.h"

namespace compattatore {

void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore) {
    // No number: the system's error number would read as a scenario code.
    interfaccia.messaggio(std::string("Errore: ") + errore.what());
}

std::string significato_registrato(int32_t codice, int32_t posizione, const DettaglioErrore& dettaglio,
                                   int64_t cella) {
    auto voce = voce_codice(codice);
    std::string t(voce ? voce->significato : "unknown error");
    if (voce && voce->ha_posizione) t += ", at " + std::to_string(posizione) + " m";
    if (cella >= 0) t += ", cell " + std::to_string(cella);
    if (!dettaglio.motivo.empty() && (!voce || dettaglio.motivo != voce->significato)) t += ": " + dettaglio.motivo;
    return t;
}

std::string testo_codice_registrato(int32_t codice, int32_t posizione, const DettaglioErrore& dettaglio) {
    std::string t = (e_avviso(codice) ? " Avviso n. " : " Errore n. ") + std::to_string(codice);
    t += ": " + significato_registrato(codice, posizione, dettaglio);
    if (!dettaglio.file.empty()) t += " (" + posto_nel_file(dettaglio.file, dettaglio.riga, dettaglio.colonna) + ")";
    return t;
}

int segnala_esito(piattaforma::Interfaccia& interfaccia, const EsitoPercorso& esito, const StatoPercorso& stato) {
    if (esito.codice_lettura != 0)
        interfaccia.messaggio(testo_codice_registrato(esito.codice_lettura, esito.posizione_lettura, stato.dettaglio));
    for (const AvvisoFinitura& avviso : esito.avvisi)
        interfaccia.messaggio(testo_codice_registrato(avviso.codice, avviso.cella * 50, {}));
    if (esito.codice_riservato != 0) return errore(interfaccia, std::to_string(esito.codice_riservato));
    return esito.codice_lettura != 0 ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

}  // namespace compattatore
