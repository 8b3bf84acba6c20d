#include "run/diagnostiche_compila.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "run/diagnostica.h"
#include "run/segnalazione.h"

namespace compattatore {

namespace {

constexpr int32_t ERRORE_LETTURA = 25;
constexpr int64_t CELLA_TIMBRI = 1;  // the cell that carries the reserved fields

std::string con_codice(const std::string& significato, int32_t codice) {
    return significato + " [E" + std::to_string(codice) + "]";
}

// The last record read whose cells hold `cella`; a warning concerns the
// latest object placed there.
std::optional<OrigineOggetto> origine_in(const StatoPercorso& stato, int64_t cella,
                                         std::optional<OrigineOggetto::Tipo> tipo) {
    auto it = std::find_if(stato.origini.rbegin(), stato.origini.rend(), [&](const OrigineOggetto& o) {
        return (!tipo || o.tipo == *tipo) && o.tipo != OrigineOggetto::Tipo::stazione && o.prima_cella <= cella &&
               cella <= o.ultima_cella;
    });
    if (it == stato.origini.rend()) return std::nullopt;
    return *it;
}

// A condition placed at a record of the train file when one is known, else
// against the train file as a whole.
std::string presso_origine(Diagnostica::Livello livello, const std::optional<OrigineOggetto>& origine,
                           const SorgenteAutore& treno, const SorgenteAutore& altrimenti, std::string messaggio) {
    if (!origine) return formatta_diagnostica({livello, altrimenti.percorso, 0, 0, std::move(messaggio)}, {});
    return formatta_diagnostica({livello, treno.percorso, origine->riga, origine->colonna, std::move(messaggio)},
                                treno.testo);
}

std::string errore_lettura(const EsitoPercorso& esito, const StatoPercorso& stato, const SorgenteAutore& linea,
                           const SorgenteAutore& treno) {
    const DettaglioErrore& d = stato.dettaglio;
    const SorgenteAutore& sorgente = d.file == treno.percorso ? treno : linea;
    const std::string messaggio =
        con_codice(significato_registrato(esito.codice_lettura, esito.posizione_lettura, d), esito.codice_lettura);
    return formatta_diagnostica({Diagnostica::Livello::errore, sorgente.percorso, d.riga, d.colonna, messaggio},
                                sorgente.testo);
}

std::string avviso_finitura(const AvvisoFinitura& a, const StatoPercorso& stato, const SorgenteAutore& treno) {
    const auto tipo = a.codice == 11 ? OrigineOggetto::Tipo::segnale : OrigineOggetto::Tipo::rallentamento;
    const std::string messaggio = con_codice(significato_registrato(a.codice, a.cella * 50, {}, a.cella), a.codice);
    return presso_origine(Diagnostica::Livello::avviso, origine_in(stato, a.cella, tipo), treno, treno, messaggio);
}

}  // namespace

std::string diagnostiche_compilazione(const EsitoPercorso& esito, const StatoPercorso& stato,
                                      const SorgenteAutore& linea, const SorgenteAutore& treno) {
    std::string testo;
    if (esito.codice_lettura != 0) testo += errore_lettura(esito, stato, linea, treno);
    for (const AvvisoFinitura& a : esito.avvisi) testo += avviso_finitura(a, stato, treno);
    if (esito.codice_riservato != 0) {
        // Cell 1's fields come from an object recorded there; the header
        // record's from the line description.
        const std::string messaggio =
            con_codice(significato_registrato(esito.codice_riservato, 0, {}), esito.codice_riservato);
        testo += presso_origine(Diagnostica::Livello::errore, origine_in(stato, CELLA_TIMBRI, std::nullopt), treno,
                                linea, messaggio);
    }
    return testo;
}

std::string diagnostica_carattere(const SorgenteAutore& sorgente, const CarattereNonRappresentabile& carattere) {
    char codice[16];
    std::snprintf(codice, sizeof codice, "U+%04X", static_cast<unsigned>(carattere.codice));
    DettaglioErrore dettaglio{sorgente.percorso, carattere.riga, carattere.colonna,
                              std::string("the character ") + codice + " has no Windows-1252 byte"};
    return formatta_diagnostica({Diagnostica::Livello::errore, sorgente.percorso, carattere.riga, carattere.colonna,
                                 con_codice(significato_registrato(ERRORE_LETTURA, 0, dettaglio), ERRORE_LETTURA)},
                                sorgente.testo);
}

}  // namespace compattatore
