#include "cli/segnalazione.h"

#include "cli/errore.h"
#include "cli/stampa_diagnostiche.h"
#include "cli/stato_uscita.h"
#include "compiler/compila.h"

namespace compattatore {

void segnala_errore_file(piattaforma::Interfaccia& interfaccia, const piattaforma::ErroreFile& errore) {
    // No number: the system's error number would read as a scenario code.
    interfaccia.messaggio(std::string("Errore: ") + errore.what());
}

std::string testo_codice_registrato(const Diagnostica& d) {
    std::string t =
        (d.livello == Livello::avviso ? " Avviso n. " : " Errore n. ") + std::to_string(d.codice.value_or(0));
    t += ": " + significato_diagnostica(d);
    if (!d.file.empty()) t += " (" + posto_nel_file(d.file, d.luogo.riga, d.luogo.colonna) + ")";
    return t;
}

int segnala_esito(piattaforma::Interfaccia& interfaccia, const ElencoDiagnostiche& diagnostiche) {
    const std::optional<int32_t> riservato = codice_riservato(diagnostiche);
    for (const Diagnostica& d : diagnostiche.voci()) {
        if (!d.codice || d.codice == riservato) continue;
        interfaccia.messaggio(testo_codice_registrato(d));
    }
    if (riservato) return errore(interfaccia, std::to_string(*riservato));
    return diagnostiche.errori() != 0 ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

}  // namespace compattatore
