#include "compiler/memorizza_dati.h"

#include <string>

#include "compiler/codici_errore.h"
#include "compiler/lettura_linea.h"
#include "compiler/lettura_treno.h"
#include "compiler/parole_chiave.h"

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

// How the line file's reading ended: read to its end, stopped at a record,
// or stopped by a failure outside any record (after which the normal run
// still takes the train file as reached).
enum class FineLinea { letta, interrotta, fallita };

FineLinea leggi_linea(Modello& m, const SorgentiDescrizione& s, Raccolta& r, int32_t& prossimo_cartello) {
    m.oggetti[OGGETTO_LINEA].nome = m.stato.chiave_linea;
    Lettura lettura_linea(m, s.testo_linea, s.file_linea, r);
    try {
        if (leggi_descrizione_linea(lettura_linea, prossimo_cartello) == Esito::interrotta)
            return FineLinea::interrotta;
        return FineLinea::letta;
    } catch (const ErroreLettura& errore) {
        // A failure outside any record: the fills at a file's end.
        r.diagnostiche.aggiungi(crea_diagnostica(ERRORE_LETTURA, s.file_linea, errore.luogo(), errore.what()));
        return FineLinea::fallita;
    }
}

// The train file into `m`, after the line.
void leggi_treno(Modello& m, const SorgentiDescrizione& s, Raccolta& r, int32_t prossimo_cartello) {
    m.oggetti[OGGETTO_TRENO].nome = m.stato.chiave_treno;
    try {
        if (!s.testo_treno) throw ErroreLettura("the train description file does not exist");
        // The line file given again: its '[generale]' opens a line, not a train.
        if (*s.testo_treno == s.testo_linea)
            throw ErroreLettura(
                "the train description file has the line description file's text, not a train's '[generale]'");
        Lettura lettura_treno(m, *s.testo_treno, s.file_treno, r);
        if (leggi_descrizione_treno(lettura_treno, prossimo_cartello) == Esito::interrotta) return;
        controlla_progressive(m, s.file_linea, r.diagnostiche);
    } catch (const ErroreLettura& errore) {
        r.diagnostiche.aggiungi(crea_diagnostica(ERRORE_LETTURA, s.file_treno, errore.luogo(), errore.what()));
    }
}

// The train file given first: the line file's first error gets a note
// saying so, when only the train file holds the line's length.
void file_scambiati(const SorgentiDescrizione& s, ElencoDiagnostiche& d, size_t dal) {
    const auto con_lunghezza = [](std::string_view testo) { return riconosce(testo, LUNGHEZZA_PERCORSO); };
    if (!s.testo_treno || con_lunghezza(s.testo_linea) || !con_lunghezza(*s.testo_treno)) return;
    for (size_t i = dal; i < d.voci().size(); ++i) {
        if (d.voci()[i].livello != Livello::errore || d.voci()[i].file != s.file_linea) continue;
        d.voce(i).note.push_back({s.file_linea,
                                  {},
                                  "this reads as a train description and " + s.file_treno +
                                      " holds the line's length: the files seem swapped (the line file comes first)"});
        return;
    }
}

// One reading of both texts. Returns whether it reached the train file.
bool leggi(Modello& m, const SorgentiDescrizione& s, Raccolta& r) {
    m.oggetti[OGGETTO_TRENO].nome = m.stato.chiave_treno;
    int32_t prossimo_cartello = PRIMO_CARTELLO;
    const size_t prima = r.diagnostiche.voci().size();
    const FineLinea fine = leggi_linea(m, s, r, prossimo_cartello);
    file_scambiati(s, r.diagnostiche, prima);
    if (fine == FineLinea::letta) leggi_treno(m, s, r, prossimo_cartello);
    return fine != FineLinea::interrotta;
}

// After a first reading that met an error, with every error wanted: the
// model to be written stays the one read up to the first error; a second
// reading, on a copy of the model before it, goes past every rejected record.
void rileggi_ogni_errore(const Modello& prima_della_lettura, const SorgentiDescrizione& sorgenti,
                         const OpzioniLettura& opzioni, EsitoLettura& esito) {
    if (!opzioni.tutti_gli_errori || esito.diagnostiche.primo_errore() == nullptr) return;
    Modello copia = prima_della_lettura;
    ElencoDiagnostiche tutte(opzioni.massimo_errori);
    Provenienze provenienze;
    Raccolta completa(tutte, provenienze, true);
    leggi(copia, sorgenti, completa);
    esito.diagnostiche = std::move(tutte);
}

}  // namespace

EsitoLettura memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti, const OpzioniLettura& opzioni) {
    EsitoLettura esito;
    const Modello prima_della_lettura = m;
    Raccolta raccolta(esito.diagnostiche, esito.provenienze, false);
    esito.treno_raggiunto = leggi(m, sorgenti, raccolta);
    rileggi_ogni_errore(prima_della_lettura, sorgenti, opzioni, esito);
    return esito;
}

LineaMemorizzata memorizza_linea(Modello m, const std::string& file_linea, const std::string& testo_linea) {
    LineaMemorizzata linea;
    Raccolta raccolta(linea.esito.diagnostiche, linea.esito.provenienze, false);
    const SorgentiDescrizione sorgente{file_linea, {}, testo_linea, std::nullopt};
    const FineLinea fine = leggi_linea(m, sorgente, raccolta, linea.prossimo_cartello);
    linea.senza_errori = fine == FineLinea::letta && linea.esito.diagnostiche.errori() == 0;
    linea.celle_attese = raccolta.celle_attese;
    linea.modello = std::move(m);
    return linea;
}

EsitoLettura memorizza_treno(Modello& m, const LineaMemorizzata& linea, const SorgentiDescrizione& sorgenti,
                             const OpzioniLettura& opzioni) {
    if (!linea.senza_errori) return memorizza_dati(m, sorgenti, opzioni);
    const Modello prima_della_lettura = m;
    const StatoPercorso stato = m.stato;
    m = linea.modello;
    m.stato = stato;
    EsitoLettura esito = linea.esito;
    Raccolta raccolta(esito.diagnostiche, esito.provenienze, false);
    raccolta.celle_attese = linea.celle_attese;
    leggi_treno(m, sorgenti, raccolta, linea.prossimo_cartello);
    esito.treno_raggiunto = true;
    rileggi_ogni_errore(prima_della_lettura, sorgenti, opzioni, esito);
    return esito;
}

}  // namespace compattatore
