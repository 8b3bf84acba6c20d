// Records whose values make one step of a formula leave signed 32 bits end
// the reader with code 25, even when a later step would bring the value back
// in range: every sum, difference and product is a 32-bit operation.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <string>

#include "compiler/lettura_prova.h"

namespace compattatore {
namespace {

using prova::linea_con;
using prova::treno_con;

const std::string TRENO_VUOTO = treno_con("");

struct Caso {
    const char* nome;
    std::optional<std::string> linea;
    std::optional<std::string> treno;
    const char* motivo;  // the reason the reader gives
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nome; }

class Trabocco : public ::testing::TestWithParam<Caso> {};

TEST_P(Trabocco, EndsTheReaderWithCode25) {
    const Caso& caso = GetParam();
    prova::Letti r = prova::leggi_descrizioni(caso.linea, caso.treno);
    EXPECT_EQ(r.codice(), 25) << r.primo().motivo;
    EXPECT_EQ(r.primo().motivo.rfind(caso.motivo, 0), 0u) << r.primo().motivo;
    EXPECT_FALSE(r.linea_rimasta);
    EXPECT_FALSE(r.treno_rimasto);
}

std::string stazione(const std::string& posizione, const std::string& ore, const std::string& minuti,
                     const std::string& secondi) {
    return "stazione, " + posizione + ", 30, 0, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, " + ore + ", " + minuti + ", " + secondi +
           ", S\r\n";
}

const Caso CASI[] = {
    // (-2147483600) - 350 is below the 32-bit range: a kind-5 zone starts
    // the platform length before the position.
    {"station spacing", linea_con(""),
     treno_con(stazione("1000", "10", "0", "0") +
               "stazione, 0, 5, 2147483600, 0, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 10, 0, 0, S\r\n"),
     "stazione: stop zone start - 350"},
    // 35791395 * 60 overflows before the minutes bring it back.
    {"hours times 60", linea_con(""), treno_con(stazione("1000", "35791395", "-2111692306", "0")), "stazione: orario"},
    // 35791395 minutes * 60 overflows before the seconds bring it back.
    {"minutes times 60", linea_con(""), treno_con(stazione("1000", "0", "35791395", "-100")), "stazione: orario"},
    // 100 - (-2147483648) is above the 32-bit range.
    {"gap between mountain spans", linea_con("montagna, 100, -2147483648, 2\r\nmontagna, 200, 300, 2\r\n"), TRENO_VUOTO,
     "montagna: start - previous end"},
    {"signal: 10 * s1", linea_con(""), treno_con("segnale, 3800, 1, 214748365, 1, 0, 0, 0, -10, 0, 0, 0\r\n"),
     "segnale: 10 * s1 + d1"},
    // 10 * 214748364 + 3 * 100 is above the range before dx = -300 is added.
    {"signal: 10 * rapp + 3 * sx", linea_con(""),
     treno_con("segnale, 3800, 100, 0, 0, 0, 214748364, -300, 0, 0, 0, 0\r\n"), "segnale: 10 * rapp + 3 * sx + dx"},
    {"board: 10 * strisces", linea_con("indicatori_vmax, 1000, 100, 100, 100, 214748365, , , , -10\r\n"), TRENO_VUOTO,
     "indicatori_vmax: 10 * strisces + strisced"},
    {"sum of the progressives' first values",
     linea_con("",
               "lunghezza percorso, 10000\r\nprogressiva chilometrica tre, 2147483647, 0, 0\r\n"
               "progressiva chilometrica due, 1, 0, 0\r\nprogressiva chilometrica uno, -10, 0, 0\r\n"),
     TRENO_VUOTO, "progressiva: sum of the first values"},
};

INSTANTIATE_TEST_SUITE_P(Casi, Trabocco, ::testing::ValuesIn(CASI), [](const auto& info) {
    std::string nome;
    for (char ch : std::string(info.param.nome)) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return nome;
});

}  // namespace
}  // namespace compattatore
