#include "draw/elementi.h"

#include <algorithm>

namespace compattatore {

ElementiDisegno elementi_di(const ScenarioCompilato& scenario, const Intervallo& intervallo) {
    ElementiDisegno e;
    e.lunghezza = scenario.lunghezza();
    e.da = std::clamp(intervallo.da.value_or(0), 0, std::max(e.lunghezza - 1, 0));
    e.a = std::clamp(intervallo.a.value_or(e.lunghezza), e.da + 1, std::max(e.lunghezza, e.da + 1));
    for (const Stazione& s : stazioni_di(scenario)) {
        if (s.record.posizione >= e.da && s.record.posizione <= e.a) e.stazioni.push_back(s);
    }
    const auto& celle = scenario.celle;
    const int ultima = std::min(static_cast<int>(celle.size()) - 1, (e.a - 1) / METRI_CELLA);
    Profilo profilo = profilo_tra(celle, e.da / METRI_CELLA, ultima);
    for (const Tratto& t : profilo.montagne) {
        if (t.valore != 0) e.montagne.push_back(t);
    }
    e.pendenze = std::move(profilo.pendenza);
    e.velocita = std::move(profilo.velocita);
    for (size_t i = 0; i < celle.size(); ++i) {
        const Cella& c = celle[i];
        // A cell is drawn at the stretch it stands for.
        const auto metro = static_cast<int32_t>(inizio_cella(static_cast<int64_t>(i)));
        if (metro < e.da || metro > e.a) continue;
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
