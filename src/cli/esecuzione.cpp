#include "cli/esecuzione.h"

#include <string>

#include "cli/attesa_directory.h"
#include "cli/scenario.h"
#include "cli/segnalazione.h"
#include "cli/stato_uscita.h"
#include "compiler/memorizza_percorso.h"
#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "platform/blocco_directory.h"
#include "platform/file.h"

namespace compattatore {

int esegui_normale(const OpzioniEsecuzione& opzioni, piattaforma::Interfaccia& interfaccia) {
    const std::string& dir = opzioni.directory;
    const std::string linea = CHIAVE_LINEA;
    const std::string treno = CHIAVE_TRENO;

    interfaccia.mostra_attesa();
    const piattaforma::BloccoDirectory blocco(dir, [&] { attesa_directory(dir); });
    try {
        dati_linea(dir, linea);
        dati_treno(dir, linea, treno);
        dati_note(dir, linea, treno, opzioni.sincronizza);
        dati_rallentamenti(dir, linea, treno, opzioni.sincronizza);
        dati_scheda(dir, linea, treno, opzioni.sincronizza);

        const FileDescrizione descrizioni{piattaforma::unisci(dir, nome_descrizione_linea(linea)),
                                          piattaforma::unisci(dir, nome_descrizione_treno(linea, treno))};
        OpzioniScrittura scrittura{
            .directory = dir, .scrivi = true, .forza = opzioni.forza, .sincronizza = opzioni.sincronizza};
        const PercorsoMemorizzato esito = memorizza_percorso(
            {.chiave_linea = linea, .chiave_treno = treno, .crea_tracciato = 1, .lettura = {}}, descrizioni, scrittura);
        return segnala_esito(interfaccia, esito.compilazione.diagnostiche);
    } catch (const piattaforma::ErroreFile& e) {
        segnala_errore_file(interfaccia, e);
        return USCITA_FILE;
    }
}

}  // namespace compattatore
