#include "compiler/memorizza_dati.h"

#include <string>

#include "compiler/codici_errore.h"
#include "compiler/lettura_linea.h"
#include "compiler/lettura_treno.h"

namespace compattatore {

namespace {

// After the whole train file, each progressive's start and end must fall on
// a cell boundary (code 2).
void controlla_progressive(const Modello& m, const std::string& file_linea, ElencoDiagnostiche& d) {
    for (int r = OGGETTO_PROGRESSIVA_TRE; r < OGGETTO_PROGRESSIVA_TRE + 3; ++r) {
        const Oggetto& o = m.oggetti[r];
        if (o.inizio % 50 == 0 && o.fine % 50 == 0) continue;
        d.aggiungi(crea_diagnostica(ERRORE_PROGRESSIVA, file_linea, {},
                                    "progressiva: record " + std::to_string(r) + " has start " +
                                        std::to_string(o.inizio) + " and end " + std::to_string(o.fine) +
                                        ", not both multiples of 50"));
        return;
    }
}

// One reading of both texts. Returns whether it reached the train file.
bool leggi(Modello& m, const SorgentiDescrizione& s, Raccolta& r) {
    m.oggetti[OGGETTO_LINEA].nome = m.stato.chiave_linea;
    m.oggetti[OGGETTO_TRENO].nome = m.stato.chiave_treno;
    Lettura lettura_linea(m, s.testo_linea, s.file_linea, r);
    const std::string* in_lettura = &s.file_linea;
    try {
        int32_t prossimo_cartello = PRIMO_CARTELLO;
        if (leggi_descrizione_linea(lettura_linea, prossimo_cartello) == Esito::interrotta) return false;

        in_lettura = &s.file_treno;
        if (!s.testo_treno) throw ErroreLettura("the train description file does not exist");
        // The line file given again: its '[generale]' opens a line, not a train.
        if (*s.testo_treno == s.testo_linea)
            throw ErroreLettura(
                "the train description file has the line description file's text, not a train's '[generale]'");
        Lettura lettura_treno(m, *s.testo_treno, s.file_treno, r);
        if (leggi_descrizione_treno(lettura_treno, prossimo_cartello) == Esito::interrotta) return true;
        controlla_progressive(m, s.file_linea, r.diagnostiche);
    } catch (const ErroreLettura& errore) {
        // A failure outside any record: the fills at a file's end.
        r.diagnostiche.aggiungi(crea_diagnostica(ERRORE_LETTURA, *in_lettura, errore.luogo(), errore.what()));
    }
    return true;
}

}  // namespace

EsitoLettura memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti, const OpzioniLettura& opzioni) {
    EsitoLettura esito;
    const Modello prima_della_lettura = m;
    Raccolta raccolta(esito.diagnostiche, esito.provenienze, false);
    esito.treno_raggiunto = leggi(m, sorgenti, raccolta);
    if (opzioni.tutti_gli_errori && esito.diagnostiche.primo_errore() != nullptr) {
        // The model to be written stays the one read up to the first error;
        // a second reading, on a copy, goes past every rejected record.
        Modello copia = prima_della_lettura;
        ElencoDiagnostiche tutte(opzioni.massimo_errori);
        Provenienze provenienze;
        Raccolta completa(tutte, provenienze, true);
        leggi(copia, sorgenti, completa);
        esito.diagnostiche = std::move(tutte);
    }
    return esito;
}

}  // namespace compattatore
