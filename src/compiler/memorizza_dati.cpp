#include "compiler/memorizza_dati.h"

#include <string>

#include "compiler/codici_errore.h"
#include "compiler/lettura_linea.h"
#include "compiler/lettura_treno.h"
#include "platform/file.h"

namespace compattatore {

namespace {

std::optional<std::string> testo_di(const std::optional<std::string>& testo, const std::string& percorso) {
    if (testo) return testo;
    if (!piattaforma::esiste(percorso)) return std::nullopt;
    return piattaforma::leggi(percorso);
}

// After the whole train file, each progressive's start and end must fall on
// a cell boundary (code 2).
void controlla_progressive(const Modello& m, const std::string& file_linea, ElencoDiagnostiche& d) {
    for (int r = OGGETTO_PROGRESSIVA_TRE; r < OGGETTO_PROGRESSIVA_TRE + 3; ++r) {
        const Oggetto& o = m.oggetti[r];
        if (o.inizio % 50 == 0 && o.fine % 50 == 0) continue;
        d.aggiungi(crea_errore(ERRORE_PROGRESSIVA, file_linea, {},
                               "progressiva: record " + std::to_string(r) + " has start " + std::to_string(o.inizio) +
                              " and end " + std::to_string(o.fine) + ", not both multiples of 50"));
        return;
    }
}

struct Testi {
    std::string linea;
    std::optional<std::string> treno;
};

// One reading of both texts. Returns whether it reached the train file.
bool leggi(Modello& m, const SorgentiDescrizione& s, const Testi& testi, Raccolta& r) {
    m.oggetti[OGGETTO_LINEA].nome = m.stato.chiave_linea;
    m.oggetti[OGGETTO_TRENO].nome = m.stato.chiave_treno;
    Lettura lettura_linea(m, testi.linea, s.file_linea, r);
    const std::string* in_lettura = &s.file_linea;
    try {
        int32_t prossimo_cartello = PRIMO_CARTELLO;
        if (leggi_descrizione_linea(lettura_linea, prossimo_cartello) == Esito::interrotta) return false;

        in_lettura = &s.file_treno;
        if (!testi.treno) throw ErroreLettura("the train description file does not exist");
        Lettura lettura_treno(m, *testi.treno, s.file_treno, r);
        if (leggi_descrizione_treno(lettura_treno, prossimo_cartello) == Esito::interrotta) return true;
        controlla_progressive(m, s.file_linea, r.diagnostiche);
    } catch (const ErroreLettura& errore) {
        // A failure outside any record: the fills at a file's end.
        r.diagnostiche.aggiungi(crea_errore(ERRORE_LETTURA, *in_lettura, errore.luogo(), errore.what()));
    }
    return true;
}

// The normal run's description files go once read; an author's stay. The
// train file goes when reading reached it, and both when reading failed.
void elimina_sorgenti(const SorgentiDescrizione& s, bool treno_raggiunto, const ElencoDiagnostiche& d) {
    if (!s.elimina_dopo_lettura) return;
    const Diagnostica* primo = d.primo_errore();
    const bool fallita = primo != nullptr && primo->codice == ERRORE_LETTURA;
    if (piattaforma::esiste(s.file_linea)) piattaforma::elimina(s.file_linea);
    if ((treno_raggiunto || fallita) && piattaforma::esiste(s.file_treno)) piattaforma::elimina(s.file_treno);
}

}  // namespace

EsitoLettura memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti, const OpzioniLettura& opzioni) {
    EsitoLettura esito;
    std::optional<std::string> linea = testo_di(sorgenti.testo_linea, sorgenti.file_linea);
    if (!linea) {
        esito.diagnostiche.aggiungi(crea_errore(ERRORE_LINEA_ASSENTE, sorgenti.file_linea, {},
                                                "the line description file does not exist"));
        m.stato.codice_errore = ERRORE_LINEA_ASSENTE;
        return esito;
    }
    const Testi testi{std::move(*linea), testo_di(sorgenti.testo_treno, sorgenti.file_treno)};
    const Modello prima_della_lettura = m;

    Raccolta raccolta(esito.diagnostiche, esito.provenienze, false);
    elimina_sorgenti(sorgenti, leggi(m, sorgenti, testi, raccolta), esito.diagnostiche);
    // The run state records the errors as the reading that stops meets
    // them, each overwriting the last: a code 15 ends only its own file.
    for (const Diagnostica& d : esito.diagnostiche.voci()) {
        if (d.livello != Livello::errore) continue;
        m.stato.codice_errore = d.codice;
        if (d.posizione) m.stato.posizione_errore = *d.posizione;
    }
    if (opzioni.tutti_gli_errori && esito.diagnostiche.primo_errore() != nullptr) {
        // The model to be written stays the one read up to the first error;
        // a second reading, on a copy, goes past every rejected record.
        Modello copia = prima_della_lettura;
        ElencoDiagnostiche tutte(opzioni.massimo_errori);
        Provenienze provenienze;
        Raccolta completa(tutte, provenienze, true);
        leggi(copia, sorgenti, testi, completa);
        esito.diagnostiche = std::move(tutte);
    }
    return esito;
}

}  // namespace compattatore
