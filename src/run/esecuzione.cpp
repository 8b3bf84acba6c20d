#include "run/esecuzione.h"

#include <stdexcept>
#include <string>

#include "compiler/nomi_file.h"
#include "output/memorizza_percorso.h"
#include "platform/file.h"
#include "run/scenario.h"
#include "run/segnalazione.h"
#include "run/stato_uscita.h"
#include "writers/documenti.h"

namespace compattatore {

int esegui_normale(const OpzioniEsecuzione& opzioni, piattaforma::Interfaccia& interfaccia) {
    const std::string& dir = opzioni.directory;
    Modello modello;
    modello.stato.chiave_linea = CHIAVE_LINEA;
    modello.stato.chiave_treno = CHIAVE_TRENO;
    const std::string& linea = modello.stato.chiave_linea;
    const std::string& treno = modello.stato.chiave_treno;

    interfaccia.mostra_attesa();
    try {
        dati_linea(dir, linea);
        dati_treno(dir, linea, treno);
        dati_note(dir, linea, treno);
        dati_rallentamenti(dir, linea, treno);
        dati_scheda(dir, linea, treno);

        const FileDescrizione descrizioni{piattaforma::unisci(dir, nome_descrizione_linea(linea)),
                                          piattaforma::unisci(dir, nome_descrizione_treno(linea, treno))};
        int32_t crea_tracciato = 1;
        OpzioniScrittura scrittura{.directory = dir, .scrivi = true, .forza = opzioni.forza};
        EsitoPercorso esito = memorizza_percorso(modello, crea_tracciato, descrizioni, scrittura);
        return segnala_esito(interfaccia, esito);
    } catch (const piattaforma::ErroreFile& e) {
        segnala_errore_file(interfaccia, e);
        return USCITA_FILE;
    } catch (const std::length_error& e) {
        // A text too long for its 16-bit length prefix: the scenario cannot be encoded.
        interfaccia.messaggio(std::string(" Errore: ") + e.what());
        return USCITA_SCENARIO;
    }
}

}  // namespace compattatore
