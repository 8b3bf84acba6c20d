#include "decompile/montagne.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace compattatore {

namespace {

// A span starting at cell s marks the cells s + 3, s + 7...: those whose
// remainder by 4 is (s + 3) % 4. A cell's state is the set of remainders
// that marked spans covering it mark (4 bits) and whether an unmarked span
// covers it (bit 4). Spans of one kind may overlap: the later one marks no
// cell that is already marked.
constexpr unsigned NON_SEGNATO = 16;
constexpr unsigned STATI = 32;
constexpr int MAI = std::numeric_limits<int>::max() / 2;

unsigned resto(size_t i) { return static_cast<unsigned>(i % 4); }

bool ammesso(const Cella& c, size_t i, unsigned stato, bool senza_tratto) {
    const bool segnata = (stato & (1U << resto(i))) != 0;
    if (c.tipo == CELLA_GALLERIA && !segnata) return false;
    if (c.tipo == CELLA_LIBERA && segnata) return false;  // a span would have marked it
    return senza_tratto || stato != 0;
}

// A span starting at cell s before the run at a, with the spans that give
// the cells s..a-1 their kinds back: none may start in the last two cells,
// which the reader refuses.
bool apre_da(const std::vector<Cella>& celle, size_t s, size_t a) {
    if (s + 2 >= celle.size()) return false;
    for (size_t j = s + 1; j < a; ++j)
        if (celle[j].montagna != celle[j - 1].montagna && j + 2 >= celle.size()) return false;
    return true;
}

struct Passo {
    int costo = MAI;
    unsigned da = 0;  // the state of the cell before
};

// One run of a kind, [a, b]: the spans by fewest records. Kind 0 unmarked
// is no span at all, so its cells need none.
// A marked span may start up to 3 cells before the run, in the runs before
// it, which get their kinds back from spans written after.
void dividi_corsa(const std::vector<Cella>& celle, size_t a, size_t b, std::vector<TrattoMontagna>& tratti) {
    const uint8_t tipo = celle[a].montagna;
    const bool senza_tratto = tipo == 0;
    std::vector<std::array<Passo, STATI>> passi(b - a + 1);
    for (size_t i = a; i <= b; ++i) {
        auto& qui = passi[i - a];
        // The only marked span that can start here; at the run's start, also
        // those that start in the cells before it.
        unsigned nasce = 1U << ((i + 3) % 4);
        // The reader takes no span starting in the last two cells.
        const bool apre = i + 2 < celle.size();
        if (!apre) nasce = 0;
        // Those starting before the run: each costs the spans that give the
        // cells before it their kinds back, at the least one more record.
        unsigned da_prima = 0;
        if (i == a)
            for (size_t k = 1; k <= 3 && k <= a; ++k)
                if (apre_da(celle, a - k, a)) da_prima |= 1U << ((a - k + 3) % 4);
        nasce |= da_prima;
        for (unsigned s = 0; s < STATI; ++s) {
            if (!ammesso(celle[i], i, s, senza_tratto)) continue;
            if ((s & 15U & ~nasce) != 0 && i == a) continue;
            for (unsigned d = 0; d < (i == a ? 1U : STATI); ++d) {
                const int prima = i == a ? 0 : passi[i - a - 1][d].costo;
                if (prima >= MAI) continue;
                // Spans may end anywhere; only one marked span can start.
                if ((s & 15U & ~(d & 15U) & ~nasce) != 0) continue;
                int costo = prima;
                costo += std::popcount(s & nasce & ~d) + std::popcount(s & da_prima);
                if ((s & NON_SEGNATO) != 0 && (d & NON_SEGNATO) == 0 && !senza_tratto) {
                    if (!apre) continue;
                    ++costo;
                }
                if (costo < qui[s].costo) qui[s] = {costo, d};
            }
        }
    }
    // At equal cost a plain span, as an author writes one where no mark shows.
    unsigned stato = STATI;
    for (unsigned k = 0; k < STATI; ++k) {
        const unsigned s = k ^ NON_SEGNATO;
        if (passi.back()[s].costo < MAI && (stato == STATI || passi.back()[s].costo < passi.back()[stato].costo))
            stato = s;
    }
    if (stato == STATI) {
        // No spans give these marks: the nearest, one span marked where any mark is.
        bool segnalini = false;
        for (size_t i = a; i <= b; ++i) segnalini = segnalini || celle[i].tipo == CELLA_GALLERIA;
        if (tipo != 0 || segnalini) tratti.push_back({a, b, tipo, segnalini, 0});
        return;
    }
    std::vector<unsigned> stati(b - a + 1);
    for (size_t i = b + 1; i-- > a;) {
        stati[i - a] = stato;
        stato = passi[i - a][stato].da;
    }
    // Each bit's runs of cells are the spans.
    std::vector<TrattoMontagna> corsa;
    for (unsigned bit = 0; bit < 5; ++bit) {
        const unsigned m = 1U << bit;
        if (m == NON_SEGNATO && senza_tratto) continue;
        for (size_t i = a; i <= b; ++i) {
            if ((stati[i - a] & m) == 0) continue;
            size_t fine = i;
            while (fine < b && (stati[fine + 1 - a] & m) != 0) ++fine;
            // A marked span seen from the run's start began where its first mark says.
            const size_t rientro = i == a && m != NON_SEGNATO ? (a + 3 - bit) % 4 : 0;
            corsa.push_back({i - rientro, fine, tipo, m != NON_SEGNATO, rientro});
            i = fine;
        }
    }
    std::sort(corsa.begin(), corsa.end(),
              [](const TrattoMontagna& x, const TrattoMontagna& y) { return x.primo < y.primo; });
    tratti.insert(tratti.end(), corsa.begin(), corsa.end());
}

}  // namespace

std::vector<TrattoMontagna> tratti_montagna(const std::vector<Cella>& celle) {
    std::vector<TrattoMontagna> tratti;
    for (size_t a = 0; a < celle.size();) {
        size_t b = a;
        while (b + 1 < celle.size() && celle[b + 1].montagna == celle[a].montagna) ++b;
        dividi_corsa(celle, a, b, tratti);
        a = b + 1;
    }
    return tratti;
}

}  // namespace compattatore
