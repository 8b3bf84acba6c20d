#include "compiler/parola_vicina.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace compattatore {

namespace {

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Long texts are no misspelt word, and would cost a long comparison; up to
// this length a written word fits the bits of one machine word.
constexpr size_t PIU_LUNGA = 64;

// The written word as bit masks: bit i of the mask of a letter is set where
// the word has that letter (either case) at i.
using Maschere = std::array<uint64_t, 256>;

Maschere maschere_di(std::string_view scritta) {
    Maschere m{};
    for (size_t i = 0; i < scritta.size(); ++i)
        m[static_cast<unsigned char>(minuscola(scritta[i]))] |= uint64_t{1} << i;
    return m;
}

// The edits from the written word to `nota`: the table of edits worked out
// a column (one letter of `nota`) at a time, each column as two bit
// vectors of its steps up and down (the bit-parallel method for edit
// distance), so a known word costs a few operations a letter.
size_t distanza(const Maschere& maschere, size_t lunghezza, std::string_view nota) {
    const uint64_t ultimo = uint64_t{1} << (lunghezza - 1);
    uint64_t piu_v = ~uint64_t{0}, meno_v = 0;
    size_t distanza = lunghezza;
    for (char c : nota) {
        const uint64_t uguali = maschere[static_cast<unsigned char>(minuscola(c))];
        const uint64_t x_v = uguali | meno_v;
        const uint64_t x_h = (((uguali & piu_v) + piu_v) ^ piu_v) | uguali;
        uint64_t piu_h = meno_v | ~(x_h | piu_v);
        uint64_t meno_h = piu_v & x_h;
        if (piu_h & ultimo)
            ++distanza;
        else if (meno_h & ultimo)
            --distanza;
        // The first row is 0, 1, 2...: every step along it is one up.
        piu_h = (piu_h << 1) | 1;
        meno_h <<= 1;
        piu_v = meno_h | ~(x_v | piu_h);
        meno_v = piu_h & x_v;
    }
    return distanza;
}

}  // namespace

std::optional<std::string_view> parola_vicina(std::string_view scritta, std::span<const std::string_view> note) {
    if (scritta.empty() || scritta.size() > PIU_LUNGA) return std::nullopt;
    const Maschere maschere = maschere_di(scritta);
    std::optional<std::string_view> migliore;
    size_t minima = std::max<size_t>(1, scritta.size() / 4) + 1;
    for (std::string_view nota : note) {
        // Each edit mends at most one letter of the lengths' difference.
        const size_t differenza =
            scritta.size() > nota.size() ? scritta.size() - nota.size() : nota.size() - scritta.size();
        if (differenza >= minima) continue;
        const size_t d = distanza(maschere, scritta.size(), nota);
        if (d < minima) {
            minima = d;
            migliore = nota;
        }
    }
    return migliore;
}

}  // namespace compattatore
