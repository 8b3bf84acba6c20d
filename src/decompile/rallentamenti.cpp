#include "decompile/rallentamenti.h"

#include <algorithm>
#include <optional>

namespace compattatore {

std::vector<CoppiaRallentamento> coppie_rallentamento(const std::vector<Cella>& celle) {
    std::vector<CoppiaRallentamento> coppie;
    auto stessi = [&](size_t a, size_t b) {
        return celle[a].dato2 == celle[b].dato2 && celle[a].dato3 == celle[b].dato3 &&
               (celle[a].dato1 == celle[b].dato1 || celle[a].tipo == CELLA_FERMATA ||
                celle[b].tipo == CELLA_FERMATA);
    };
    // First the pairs the cells show, then those with a part under a stop mark.
    std::vector<size_t> inizi, fini;
    for (size_t i = 0; i < celle.size(); ++i) {
        if (celle[i].tipo == CELLA_INIZIO_RALLENTAMENTO) inizi.push_back(i);
        if (celle[i].tipo != CELLA_FINE_RALLENTAMENTO) continue;
        auto a = std::find_if(inizi.begin(), inizi.end(), [&](size_t k) { return stessi(k, i); });
        if (a == inizi.end()) {
            fini.push_back(i);
            continue;
        }
        coppie.push_back({*a, i});
        inizi.erase(a);
    }
    std::vector<bool> prese(celle.size(), false);
    auto fermata_per = [&](size_t da, size_t a, size_t parte) -> std::optional<size_t> {
        for (size_t k = da; k < a; ++k)
            if (celle[k].tipo == CELLA_FERMATA && !prese[k] && stessi(k, parte)) return k;
        return std::nullopt;
    };
    for (size_t a : inizi) {
        const std::optional<size_t> e = fermata_per(a + 1, celle.size(), a);
        if (e) prese[*e] = true;
        coppie.push_back({a, e.value_or(a + 1)});
    }
    for (size_t e : fini) {
        if (const std::optional<size_t> a = fermata_per(0, e, e)) {
            prese[*a] = true;
            coppie.push_back({*a, e});
        }
    }
    std::sort(coppie.begin(), coppie.end(),
              [](const CoppiaRallentamento& x, const CoppiaRallentamento& y) { return x.inizio < y.inizio; });
    return coppie;
}

}  // namespace compattatore
