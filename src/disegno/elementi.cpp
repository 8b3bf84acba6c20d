#include "disegno/elementi.h"

#include <algorithm>

namespace compattatore {

namespace {

// Point objects sit in cell round(p / 50 + 1), abbattimento cells in
// round(p / 50): the metre each kind stands for.
int32_t metro_della_cella(size_t indice, uint8_t tipo) {
    const auto i = static_cast<int32_t>(indice);
    return tipo == CELLA_ABBATTIMENTO || tipo == CELLA_ABBATTIMENTO_NULLO ? 50 * i : 50 * (i - 1);
}

}  // namespace

ElementiDisegno elementi_di(const ScenarioCompilato& scenario) {
    ElementiDisegno e;
    e.lunghezza = scenario.lunghezza();
    e.stazioni = stazioni_di(scenario);
    const auto& celle = scenario.celle;
    const int ultima = std::min(static_cast<int>(celle.size()) - 1, (e.lunghezza - 1) / 50);
    Profilo profilo = profilo_tra(celle, 0, ultima);
    for (const Tratto& t : profilo.montagne) {
        if (t.valore != 0) e.montagne.push_back(t);
    }
    e.pendenze = std::move(profilo.pendenza);
    e.velocita = std::move(profilo.velocita);
    for (size_t i = 0; i < celle.size(); ++i) {
        const Cella& c = celle[i];
        const int32_t metro = metro_della_cella(i, c.tipo);
        switch (c.tipo) {
            case CELLA_SEGNALE: e.segnali.push_back(metro); break;
            case CELLA_INIZIO_RALLENTAMENTO: e.rallentamenti.push_back({metro, std::nullopt, c.dato1}); break;
            case CELLA_FINE_RALLENTAMENTO:
                // The end closes the latest slowdown still open.
                if (!e.rallentamenti.empty() && !e.rallentamenti.back().fine) e.rallentamenti.back().fine = metro;
                break;
            case CELLA_AVVISO_RALLENTAMENTO: e.avvisi.push_back({metro, c.dato1}); break;
            case CELLA_ABBATTIMENTO: e.abbattimenti.push_back({metro, c.dato1}); break;
            default: break;
        }
    }
    return e;
}

}  // namespace compattatore
