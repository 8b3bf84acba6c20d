#include "compiler/parola_vicina.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace compattatore {

namespace {

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

size_t distanza(std::string_view a, std::string_view b) {
    std::vector<size_t> riga(b.size() + 1);
    std::iota(riga.begin(), riga.end(), size_t{0});
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonale = riga[0];
        riga[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t sopra = riga[j];
            const size_t cambio = diagonale + (minuscola(a[i - 1]) == minuscola(b[j - 1]) ? 0 : 1);
            riga[j] = std::min({sopra + 1, riga[j - 1] + 1, cambio});
            diagonale = sopra;
        }
    }
    return riga[b.size()];
}

}  // namespace

std::optional<std::string_view> parola_vicina(std::string_view scritta, std::span<const std::string_view> note) {
    // Long texts are no misspelt word, and would cost a long comparison.
    constexpr size_t PIU_LUNGA = 64;
    if (scritta.empty() || scritta.size() > PIU_LUNGA) return std::nullopt;
    std::optional<std::string_view> migliore;
    size_t minima = std::max<size_t>(1, scritta.size() / 4) + 1;
    for (std::string_view nota : note) {
        const size_t d = distanza(scritta, nota);
        if (d < minima) {
            minima = d;
            migliore = nota;
        }
    }
    return migliore;
}

}  // namespace compattatore
