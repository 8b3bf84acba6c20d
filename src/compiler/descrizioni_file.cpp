#include "compiler/descrizioni_file.h"

#include "compiler/codici_errore.h"
#include "platform/file.h"

namespace compattatore {

namespace {

void elimina_se_esiste(const std::string& percorso) {
    if (piattaforma::esiste(percorso)) piattaforma::elimina(percorso);
}

}  // namespace

EsitoLettura memorizza_dati_da_file(Modello& m, const FileDescrizione& file) {
    if (!piattaforma::esiste(file.linea)) {
        EsitoLettura esito;
        esito.diagnostiche.aggiungi(
            crea_diagnostica(ERRORE_LINEA_ASSENTE, file.linea, {}, "the line description file does not exist"));
        return esito;
    }
    SorgentiDescrizione sorgenti{file.linea, file.treno, piattaforma::leggi(file.linea), std::nullopt};
    if (piattaforma::esiste(file.treno)) sorgenti.testo_treno = piattaforma::leggi(file.treno);
    EsitoLettura esito = memorizza_dati(m, sorgenti);

    const Diagnostica* primo = esito.diagnostiche.primo_errore();
    const bool fallita = primo != nullptr && primo->codice == ERRORE_LETTURA;
    elimina_se_esiste(file.linea);
    if (esito.treno_raggiunto || fallita) elimina_se_esiste(file.treno);
    return esito;
}

}  // namespace compattatore
