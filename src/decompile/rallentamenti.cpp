#include "decompile/rallentamenti.h"

#include <algorithm>
#include <optional>

#include "model/numeri.h"

namespace compattatore {

namespace {

struct CoppiaRallentamento {
    size_t inizio;
    size_t fine;
};

// Where a start anywhere in cell `inizio` puts its warning and approach
// cells; a start on a half metre rounds the two apart by one cell more or
// less, and a start past 1500 m in the cell of 1500 m still has a warning.
struct Partenza {
    int64_t x;
    bool avvicinamento;
};

// A cell of kind `tipo` with `dato1` = v, or, when `fermate` allows it, a
// stop mark that took it after.
bool cella_come(const std::vector<Cella>& celle, int64_t i, uint8_t tipo, int16_t v, bool fermate) {
    if (i < 0 || static_cast<size_t>(i) >= celle.size()) return false;
    const Cella& c = celle[static_cast<size_t>(i)];
    return (c.tipo == tipo && c.dato1 == v) || (fermate && c.tipo == CELLA_FERMATA);
}

// Approach cells another slowdown has already claimed are not this one's.
bool avvicinamento_a(const std::vector<Cella>& celle, int64_t h, bool fermate, const std::vector<bool>& prese) {
    for (int q = 0; q < 4; ++q)
        if (!cella_come(celle, h - q, CELLA_PREAVVISO_RALLENTAMENTO, static_cast<int16_t>(q + 1), fermate) ||
            prese[static_cast<size_t>(h - q)])
            return false;
    return true;
}

// First as the cells show it, then allowing for stop marks laid after.
// `solo_metro_cella`: only the start on the cell's own metre, which the
// other starts must not take approach cells from.
Partenza partenza(const std::vector<Cella>& celle, size_t inizio, int16_t v, bool solo_metro_cella,
                  const std::vector<bool>& prese) {
    const int64_t base = inizio_cella(static_cast<int64_t>(inizio) - 1);
    std::optional<Partenza> senza;
    const std::vector<int64_t> metri = solo_metro_cella
                                           ? std::vector<int64_t>{base}
                                           : std::vector<int64_t>{base, base - 25, base + 25, base + 1, base - 1};
    for (bool fermate : {false, true}) {
        for (int64_t x : metri) {
            if (cella_di(static_cast<int32_t>(x)) != static_cast<int64_t>(inizio)) continue;
            const bool avviso =
                cella_come(celle, cella_di(static_cast<int32_t>(x - 1200)), CELLA_AVVISO_RALLENTAMENTO, v, fermate);
            if (avviso != (x > 1500)) continue;
            if (avviso && avvicinamento_a(celle, arrotonda((x - 1200) / 50.0), fermate, prese)) return {x, true};
            if (!senza) senza = Partenza{x, false};
        }
    }
    return senza.value_or(Partenza{base, false});
}

std::vector<CoppiaRallentamento> coppie_rallentamento(const std::vector<Cella>& celle) {
    std::vector<CoppiaRallentamento> coppie;
    auto stessi = [&](size_t a, size_t b) {
        return celle[a].dato2 == celle[b].dato2 && celle[a].dato3 == celle[b].dato3 &&
               (celle[a].dato1 == celle[b].dato1 || celle[a].tipo == CELLA_FERMATA || celle[b].tipo == CELLA_FERMATA);
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
    // The stop mark nearest the part that is left, after a start, before an end.
    auto fermata_per = [&](size_t parte, bool dopo) -> std::optional<size_t> {
        for (size_t d = 1; dopo ? parte + d < celle.size() : d <= parte; ++d) {
            const size_t k = dopo ? parte + d : parte - d;
            if (celle[k].tipo == CELLA_FERMATA && !prese[k] && stessi(k, parte)) return k;
        }
        return std::nullopt;
    };
    for (size_t a : inizi) {
        const std::optional<size_t> e = fermata_per(a, true);
        if (e) prese[*e] = true;
        coppie.push_back({a, e.value_or(a + 1)});
    }
    for (size_t e : fini) {
        if (const std::optional<size_t> a = fermata_per(e, false)) {
            prese[*a] = true;
            coppie.push_back({*a, e});
        }
    }
    // Both parts under stop marks, which keep its values but the speed: the
    // warning 1200 m before the start shows where it starts.
    for (size_t w = 0; w < celle.size(); ++w) {
        const size_t a = w + 24;
        if (celle[w].tipo != CELLA_AVVISO_RALLENTAMENTO || a >= celle.size() || celle[a].tipo != CELLA_FERMATA ||
            prese[a] ||
            std::any_of(coppie.begin(), coppie.end(), [&](const CoppiaRallentamento& c) { return c.inizio == a; }))
            continue;
        for (size_t e = a + 1; e < celle.size(); ++e)
            if (celle[e].tipo == CELLA_FERMATA && !prese[e] && stessi(a, e)) {
                prese[a] = prese[e] = true;
                coppie.push_back({a, e});
                break;
            }
    }
    std::sort(coppie.begin(), coppie.end(),
              [](const CoppiaRallentamento& x, const CoppiaRallentamento& y) { return x.inizio < y.inizio; });
    return coppie;
}

}  // namespace

std::vector<RallentamentoCelle> rallentamenti_celle(const std::vector<Cella>& celle) {
    const std::vector<CoppiaRallentamento> coppie = coppie_rallentamento(celle);
    // The values from the part the cells show; with both parts under stop
    // marks, which keep the others, the speed from the warning.
    auto valori = [&](CoppiaRallentamento c) {
        if (celle[c.inizio].tipo != CELLA_FERMATA) return celle[c.inizio];
        if (c.fine < celle.size() && celle[c.fine].tipo != CELLA_FERMATA) return celle[c.fine];
        Cella v = celle[c.inizio];
        v.dato1 = celle[c.inizio - 24].dato1;
        return v;
    };
    // Starts on their cell's metre claim their approach cells first.
    std::vector<bool> prese(celle.size(), false);
    std::vector<std::optional<Partenza>> partenze(coppie.size());
    for (bool solo_metro_cella : {true, false}) {
        for (size_t k = 0; k < coppie.size(); ++k) {
            if (partenze[k] && partenze[k]->avvicinamento) continue;
            partenze[k] = partenza(celle, coppie[k].inizio, valori(coppie[k]).dato1, solo_metro_cella, prese);
            if (!partenze[k]->avvicinamento) continue;
            const int64_t h = arrotonda((partenze[k]->x - 1200) / 50.0);
            for (int q = 0; q < 4; ++q) prese[static_cast<size_t>(h - q)] = true;
        }
    }
    std::vector<RallentamentoCelle> r;
    for (size_t k = 0; k < coppie.size(); ++k) {
        const auto [a, e] = coppie[k];
        const Cella inizio = valori(coppie[k]);
        const Partenza p = *partenze[k];
        RallentamentoCelle z{a,
                             p.x,
                             inizio_cella(static_cast<int64_t>(e) - 1) - p.x,
                             inizio.dato1,
                             inizio.dato3,
                             inizio.dato2,
                             p.avvicinamento,
                             {a}};
        if (e < celle.size()) z.celle.push_back(e);
        if (p.x > 1500) z.celle.push_back(static_cast<size_t>(cella_di(static_cast<int32_t>(p.x - 1200))));
        for (int q = 0; p.avvicinamento && q < 4; ++q)
            z.celle.push_back(static_cast<size_t>(arrotonda((p.x - 1200) / 50.0) - q));
        r.push_back(std::move(z));
    }
    return r;
}

}  // namespace compattatore
