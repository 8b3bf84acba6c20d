#include "compiler/memorizza_dati.h"

#include <string>

#include "compiler/lettura_linea.h"
#include "compiler/lettura_treno.h"
#include "platform/file.h"

namespace compattatore {

namespace {

// The normal run's description files go once read; an author's stay.
void elimina_sorgente(const SorgentiDescrizione& sorgenti, const std::string& percorso) {
    if (sorgenti.elimina_dopo_lettura && piattaforma::esiste(percorso)) piattaforma::elimina(percorso);
}

bool presente(const std::optional<std::string>& testo, const std::string& percorso) {
    return testo || piattaforma::esiste(percorso);
}

std::string testo_di(const std::optional<std::string>& testo, const std::string& percorso) {
    return testo ? *testo : piattaforma::leggi(percorso);
}

// After the whole train file, each progressive's start and end must fall on
// a cell boundary (code 2).
void controlla_progressive(Modello& m, const std::string& file_linea) {
    for (int r = OGGETTO_PROGRESSIVA_TRE; r < OGGETTO_PROGRESSIVA_TRE + 3; ++r) {
        const Oggetto& o = m.oggetti[r];
        if (o.inizio % 50 == 0 && o.fine % 50 == 0) continue;
        m.stato.codice_errore = 2;
        m.stato.dettaglio = {file_linea, 0, 0,
                             "progressiva: record " + std::to_string(r) + " has start " + std::to_string(o.inizio) +
                                 " and end " + std::to_string(o.fine) + ", not both multiples of 50"};
        return;
    }
}

}  // namespace

void memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti) {
    m.stato.dettaglio = {};
    m.stato.origini.clear();
    m.oggetti[OGGETTO_LINEA].nome = m.stato.chiave_linea;
    m.oggetti[OGGETTO_TRENO].nome = m.stato.chiave_treno;
    if (!presente(sorgenti.testo_linea, sorgenti.file_linea)) {
        m.stato.codice_errore = 101;
        m.stato.dettaglio = {sorgenti.file_linea, 0, 0, "the line description file does not exist"};
        return;
    }

    const std::string* in_lettura = &sorgenti.file_linea;
    try {
        int32_t prossimo_cartello = PRIMO_CARTELLO;
        const std::string linea = testo_di(sorgenti.testo_linea, sorgenti.file_linea);
        Lettura lettura_linea(m, linea, sorgenti.file_linea);
        Esito esito = leggi_descrizione_linea(lettura_linea, prossimo_cartello);
        elimina_sorgente(sorgenti, sorgenti.file_linea);
        if (esito == Esito::interrotta) return;

        in_lettura = &sorgenti.file_treno;
        if (!presente(sorgenti.testo_treno, sorgenti.file_treno))
            throw ErroreLettura("the train description file does not exist");
        const std::string treno = testo_di(sorgenti.testo_treno, sorgenti.file_treno);
        // The line file given again: its '[generale]' opens a line, not a train.
        if (treno == linea)
            throw ErroreLettura(
                "the train description file has the line description file's text, not a train's "
                "'[generale]'");
        Lettura lettura_treno(m, treno, sorgenti.file_treno);
        esito = leggi_descrizione_treno(lettura_treno, prossimo_cartello);
        elimina_sorgente(sorgenti, sorgenti.file_treno);
        if (esito == Esito::interrotta) return;
        controlla_progressive(m, sorgenti.file_linea);
    } catch (const ErroreLettura& errore) {
        m.stato.codice_errore = 25;
        m.stato.dettaglio = {*in_lettura, errore.luogo().riga, errore.luogo().colonna, errore.what()};
        elimina_sorgente(sorgenti, sorgenti.file_linea);
        elimina_sorgente(sorgenti, sorgenti.file_treno);
    }
}

}  // namespace compattatore
