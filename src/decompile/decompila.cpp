#include "decompile/decompila.h"

#include <algorithm>
#include <string_view>

#include "compiler/compila.h"
#include "compiler/finitura.h"
#include "decompile/confronto.h"
#include "decompile/curve.h"
#include "decompile/sorgente_linea.h"
#include "decompile/sorgente_treno.h"
#include "documents/scrivi_righe.h"
#include "model/nomi_file.h"

namespace compattatore {

namespace {

// The tables without what the compiler stamps by itself (the key copies, the
// reserved value and the identity codes), so that nothing of it is written
// as source; the plan is not needed to write either file.
ScenarioCompilato senza_timbri(const ScenarioCompilato& s) {
    ScenarioCompilato p;
    p.oggetti = s.oggetti;
    p.celle = s.celle;
    Oggetto& linea = p.oggetti[OGGETTO_LINEA];
    linea.nome.clear();
    linea.valori[0] = 0;
    linea.orario = 0;
    p.oggetti[OGGETTO_TRENO].nome.clear();
    if (p.celle.size() > 1) p.celle[1].dato1 = p.celle[1].dato2 = 0;
    return p;
}

std::string testo(const std::vector<std::string>& righe) {
    std::vector<std::string_view> tabella(righe.begin(), righe.end());
    return testo_righe(tabella);
}

struct Ricompilazione {
    Modello modello;
    Provenienze provenienze;          // the written records behind the model's cells
    std::vector<Scostamento> errori;  // the written description did not compile cleanly
};

Ricompilazione ricompila(const SorgentiRicostruite& r, const ChiaviScenario& chiavi, bool tracciato) {
    const SorgentiDescrizione sorgenti{nome_descrizione_linea(chiavi.linea),
                                       nome_descrizione_treno(chiavi.linea, chiavi.treno), testo(r.linea),
                                       testo(r.treno)};
    OpzioniCompilazione opzioni;
    opzioni.chiave_linea = chiavi.linea;
    opzioni.chiave_treno = chiavi.treno;
    opzioni.crea_tracciato = tracciato ? 1 : 0;
    Compilazione compilata = compila(sorgenti, opzioni);
    Ricompilazione c;
    c.modello = std::move(compilata.modello);
    c.provenienze = std::move(compilata.provenienze);
    if (const Diagnostica* d = compilata.diagnostiche.primo_errore()) {
        c.errori.push_back({d->file.empty() ? sorgenti.file_linea : d->file,
                            d->luogo.riga > 0 ? "line " + std::to_string(d->luogo.riga) : "the file",
                            "the written description does not compile: code " + std::to_string(d->codice.value_or(0)) +
                                (d->motivo.empty() ? "" : ": " + d->motivo)});
    }
    return c;
}

// The code cells an author asked for: every kind 13 cell, every kind 12
// cell with a value the finishing pass never writes, and each other kind 12
// cell the pass does not make by itself. A record blocks the pass at its
// cell, so the pass is run again until it settles.
std::vector<size_t> abbattimenti_autore(const ScenarioCompilato& s, SorgentiRicostruite& r,
                                        const ChiaviScenario& chiavi) {
    std::vector<size_t> celle;
    for (size_t i = 0; i < s.celle.size(); ++i) {
        const Cella& c = s.celle[i];
        if (c.tipo == CELLA_ABBATTIMENTO_NULLO || (c.tipo == CELLA_ABBATTIMENTO && c.dato1 != VALORE_ABBATTIMENTO))
            celle.push_back(i);
    }
    for (int giro = 0; giro < 8; ++giro) {
        r.treno = sorgente_treno(s, celle);
        const Ricompilazione c = ricompila(r, chiavi, false);
        if (c.modello.celle.size() != s.celle.size()) break;
        bool aggiunte = false;
        for (size_t i = 0; i < s.celle.size(); ++i) {
            const Cella& atteso = s.celle[i];
            const Cella& ottenuto = c.modello.celle[i];
            if (atteso.tipo != CELLA_ABBATTIMENTO ||
                (ottenuto.tipo == CELLA_ABBATTIMENTO && ottenuto.dato1 == atteso.dato1))
                continue;
            if (std::find(celle.begin(), celle.end(), i) != celle.end()) continue;
            celle.push_back(i);
            aggiunte = true;
        }
        std::sort(celle.begin(), celle.end());
        if (!aggiunte) break;
    }
    return celle;
}

}  // namespace

SorgentiRicostruite decompila(const ScenarioCompilato& s, const ChiaviScenario& chiavi) {
    LineaRicostruita l = decompila_linea({TrenoCompilato{s, chiavi}});
    return {std::move(l.linea), std::move(l.treni.front()), l.con_curve, std::move(l.scostamenti)};
}

LineaRicostruita decompila_linea(const std::vector<TrenoCompilato>& treni) {
    LineaRicostruita l;
    const ScenarioCompilato& primo = treni.front().scenario;
    l.con_curve = !primo.tracciato.empty();
    CurveRicostruite curve;
    if (l.con_curve) curve = ricostruisci_curve(primo.tracciato, primo.lunghezza());
    // The line as the first train's files hold it; each train is then
    // checked against that one line description, as it is compiled.
    l.linea = sorgente_linea(senza_timbri(primo), curve.curve);

    for (const TrenoCompilato& t : treni) {
        SorgentiRicostruite r;
        r.linea = l.linea;
        const ScenarioCompilato sorgente = senza_timbri(t.scenario);
        const std::vector<size_t> abbattimenti = abbattimenti_autore(sorgente, r, t.chiavi);
        r.treno = sorgente_treno(sorgente, abbattimenti);
        // The plan is the line's: compiled and compared with the first train.
        const bool con_tracciato = l.con_curve && &t == &treni.front();
        Ricompilazione c = ricompila(r, t.chiavi, con_tracciato);
        for (Scostamento& d : c.errori) l.scostamenti.push_back(std::move(d));
        // A row no step makes is named where it stands; the rows after it
        // would only repeat the difference.
        if (con_tracciato) {
            for (const RigaEstranea& e : curve.estranee)
                l.scostamenti.push_back(
                    {nome_file_tracciato(t.chiavi.linea), "row " + std::to_string(e.riga), e.motivo});
        }
        if (!curve.estranee.empty()) c.modello.tracciato = TrattiTracciato{};
        for (Scostamento& d : confronta(t.scenario, c.modello, c.provenienze, t.chiavi))
            l.scostamenti.push_back(std::move(d));
        l.treni.push_back(std::move(r.treno));
    }
    return l;
}

}  // namespace compattatore
