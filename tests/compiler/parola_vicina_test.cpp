#include "compiler/parola_vicina.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {
namespace {

// At most one edit in four letters, and at least one; the first of equals
// wins; a comparison given up early must not lose a word within reach.
TEST(ParolaVicina, TheNearestWordWithinReach) {
    constexpr std::string_view note[] = {"pendenza", "velocita", "montagna", "segnale", "segnali", "aderenza"};
    const struct {
        std::string_view scritta;
        std::optional<std::string_view> attesa;
    } casi[] = {
        {"pendnza", "pendenza"},     // a letter dropped
        {"PENDENZA", "pendenza"},    // case alone
        {"xpendenzax", "pendenza"},  // two added at the ends: two edits in ten letters
        {"segnalx", "segnale"},      // equally near to two: the first
        {"velocitaaa", "velocita"},  // the length difference is the distance
        {"pend", std::nullopt},      // four letters short
        {"montagnaaaaa", std::nullopt},
        {"qqqqqqqq", std::nullopt},  // far from all
        {"", std::nullopt},
        {std::string_view("aderenza0123456789012345678901234567890123456789012345678901234567890"), std::nullopt},
    };
    for (const auto& c : casi) EXPECT_EQ(parola_vicina(c.scritta, note), c.attesa) << c.scritta;
}

// The whole table, letters of either case alike: what the word chosen must
// agree with, however the comparison is cut short.
size_t distanza_piena(std::string_view a, std::string_view b) {
    std::vector<size_t> riga(b.size() + 1);
    std::iota(riga.begin(), riga.end(), size_t{0});
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonale = riga[0];
        riga[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t sopra = riga[j];
            const bool uguali = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                                std::tolower(static_cast<unsigned char>(b[j - 1]));
            riga[j] = std::min({sopra + 1, riga[j - 1] + 1, diagonale + (uguali ? 0 : 1)});
            diagonale = sopra;
        }
    }
    return riga[b.size()];
}

TEST(ParolaVicina, AgreesWithTheWholeTableOnRandomWords) {
    const std::vector<std::string> parole = {
        "pendenza", "velocita", "lunghezza percorso", "curvad1",      "segnale", "indicatori_vmax",
        "a",        "ab",       "stazione",           "rallentamento"};
    const std::vector<std::string_view> note(parole.begin(), parole.end());
    std::mt19937 caso(7);
    for (int giro = 0; giro < 20000; ++giro) {
        // A known word with a few edits, or letters drawn from a small set.
        std::string scritta = parole[caso() % parole.size()];
        for (unsigned k = caso() % 6; k > 0; --k) {
            const size_t dove = scritta.empty() ? 0 : caso() % scritta.size();
            const char lettera = "aeEnz_1 "[caso() % 8];
            switch (caso() % 3) {
                case 0: scritta.insert(dove, 1, lettera); break;
                case 1:
                    if (!scritta.empty()) scritta.erase(dove, 1);
                    break;
                default:
                    if (!scritta.empty()) scritta[dove] = lettera;
            }
        }
        std::optional<std::string_view> attesa;
        size_t minima = std::max<size_t>(1, scritta.size() / 4) + 1;
        for (std::string_view nota : note) {
            if (scritta.empty() || scritta.size() > 64) break;  // no word, or no misspelt one
            const size_t d = distanza_piena(scritta, nota);
            if (d < minima) minima = d, attesa = nota;
        }
        ASSERT_EQ(parola_vicina(scritta, note), attesa) << "'" << scritta << "'";
    }
}

}  // namespace
}  // namespace compattatore
