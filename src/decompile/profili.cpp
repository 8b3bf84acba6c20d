#include "decompile/profili.h"

namespace compattatore {

std::vector<PuntoProfilo> punti_profilo(const std::vector<Cella>& celle, uint8_t Cella::*campo) {
    std::vector<PuntoProfilo> punti;
    const int64_t n = static_cast<int64_t>(celle.size()) - 1;
    if (n < 3) return punti;
    auto valore = [&](int64_t i) { return celle[static_cast<size_t>(i)].*campo; };
    punti.push_back({0, valore(0)});
    for (int64_t i = 1; i <= n - 3; ++i)
        if (valore(i) != punti.back().valore) punti.push_back({static_cast<int32_t>(inizio_cella(i)), valore(i)});
    if (valore(n - 2) != 0) punti.push_back({static_cast<int32_t>(inizio_cella(n - 2)), valore(n - 2)});
    return punti;
}

}  // namespace compattatore
