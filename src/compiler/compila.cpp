#include "compiler/compila.h"

#include <algorithm>

#include "compiler/campi_riservati.h"
#include "compiler/codici_errore.h"
#include "compiler/finitura.h"

namespace compattatore {

namespace {

// The object's record, when one is known, gives a diagnostic its place.
void al_posto_di(Diagnostica& d, const Provenienze& provenienze, int64_t cella) {
    if (const Provenienza* p = provenienze.di(cella)) {
        d.file = p->file;
        d.luogo = p->luogo;
        d.posizione = p->posizione;
    }
}

// A finishing warning at the record whose object it concerns, with the cell
// the code concerns.
Diagnostica diagnostica_finitura(const AvvisoFinitura& a, const Provenienze& provenienze) {
    Diagnostica d = crea_diagnostica(a.codice, {}, {}, {});
    d.cella = a.cella;
    al_posto_di(d, provenienze, a.oggetto);
    return d;
}

constexpr const char* NOTA_DOPO_ERRORI =
    "the files written under --force carry this; it may follow from the errors above, which left the model incomplete";

bool riservato(const Diagnostica& d) {
    auto voce = d.codice ? voce_codice(*d.codice) : std::nullopt;
    return voce && voce->riservato;
}

}  // namespace

Compilazione inizia_compilazione(const OpzioniCompilazione& opzioni) {
    Compilazione c;
    c.modello.stato.chiave_linea = opzioni.chiave_linea;
    c.modello.stato.chiave_treno = opzioni.chiave_treno;
    c.modello.stato.crea_tracciato = opzioni.crea_tracciato;
    return c;
}

Compilazione compila(const SorgentiDescrizione& sorgenti, const OpzioniCompilazione& opzioni) {
    Compilazione c = inizia_compilazione(opzioni);
    EsitoLettura letto = memorizza_dati(c.modello, sorgenti, opzioni.lettura);
    completa_compilazione(c, std::move(letto), opzioni.forza);
    return c;
}

Compilazione compila_treno(const LineaMemorizzata& linea, const SorgentiDescrizione& sorgenti,
                           const OpzioniCompilazione& opzioni) {
    Compilazione c = inizia_compilazione(opzioni);
    EsitoLettura letto = memorizza_treno(c.modello, linea, sorgenti, opzioni.lettura);
    completa_compilazione(c, std::move(letto), opzioni.forza);
    return c;
}

void completa_compilazione(Compilazione& c, EsitoLettura letto, bool forza) {
    c.diagnostiche = std::move(letto.diagnostiche);
    c.provenienze = std::move(letto.provenienze);
    Modello& m = c.modello;
    const bool letto_senza_errori = c.diagnostiche.errori() == 0;
    if (m.celle.size() <= 1) {
        // A reader that ends without a cell array has always said why;
        // should it not, the run must still not pass for a success.
        if (letto_senza_errori)
            c.diagnostiche.aggiungi(crea_diagnostica(ERRORE_LETTURA, {}, {}, "the line has no cell 1"));
        return;
    }
    const std::vector<AvvisoFinitura> avvisi = rifinisci_celle(m);
    // After a reading error the model is incomplete, and what the pass finds
    // in it says little the author can act on; but a forced model is written
    // with the pass's effect, so that is reported, marked as a likely echo.
    if (letto_senza_errori || forza)
        for (const AvvisoFinitura& a : avvisi) {
            Diagnostica d = diagnostica_finitura(a, c.provenienze);
            if (!letto_senza_errori) d.note.push_back({d.file, {}, NOTA_DOPO_ERRORI});
            c.diagnostiche.aggiungi(std::move(d));
        }
    if (const int32_t codice = controlla_e_timbra(m); codice != 0) {
        // Where cell 1's object came from, when one is known.
        Diagnostica d = crea_diagnostica(codice, {}, {}, {});
        al_posto_di(d, c.provenienze, 1);
        c.diagnostiche.aggiungi(std::move(d));
    }
}

CodiceRegistrato codice_registrato(const ElencoDiagnostiche& diagnostiche) {
    CodiceRegistrato r;
    bool dopo_errore = false;
    for (const Diagnostica& d : diagnostiche.voci()) {
        const bool finitura = d.cella.has_value();
        if (!d.codice || riservato(d) || (dopo_errore && finitura)) continue;
        dopo_errore = dopo_errore || d.livello == Livello::errore;
        r.codice = *d.codice;
        if (d.cella)
            r.posizione = static_cast<int32_t>(inizio_cella(*d.cella));
        else if (d.posizione)
            r.posizione = *d.posizione;
    }
    return r;
}

std::optional<int32_t> codice_riservato(const ElencoDiagnostiche& diagnostiche) {
    for (const auto* elenco : {&diagnostiche.voci(), &diagnostiche.oltre_limite()}) {
        auto it = std::ranges::find_if(*elenco, riservato);
        if (it != elenco->end()) return it->codice;
    }
    return std::nullopt;
}

}  // namespace compattatore
