#include "compiler/codici_gara.h"

#include <gtest/gtest.h>

#include <string>

namespace compattatore {
namespace {

struct CasoCodici {
    std::string treno;
    std::string linea;
    int16_t og;
    int32_t st;
};

TabellaOggetti chiavi(const std::string& treno, const std::string& linea) {
    TabellaOggetti t{};
    t[OGGETTO_TRENO].nome = treno;
    t[OGGETTO_LINEA].nome = linea;
    return t;
}

TEST(CodiciGara, WorkedExamplesAndCaseInsensitivity) {
    const CasoCodici casi[] = {
        {"4821-3", "Corvale_Mendra", 2266, 32113},
        {"4821-3", "CORVALE_MENDRA", 2266, 32113},
        {"ab", "c", 2546, 33756},
        {"AB", "c", 2546, 33756},
        {"", "", 2583, 34355},
        // Only the first 25 characters count: "abcaabbccddeeffgghhiillmm".
        {"abcaabbccddeeffgghhiillmm", "anything beyond", 2546, 33756},
    };
    for (const CasoCodici& c : casi) {
        SCOPED_TRACE(c.treno + " / " + c.linea);
        TabellaOggetti t = chiavi(c.treno, c.linea);
        EXPECT_EQ(codice_gara_og(t), c.og);
        EXPECT_EQ(codice_gara_st(t), c.st);
    }
}

TEST(CodiciGara, TrainKeyComesFirst) {
    // Swapping keeps the plain sum but moves the weights.
    TabellaOggetti diritto = chiavi("4821-3", "Corvale_Mendra");
    TabellaOggetti scambiato = chiavi("Corvale_Mendra", "4821-3");
    EXPECT_EQ(codice_gara_og(scambiato), codice_gara_og(diritto));
    EXPECT_NE(codice_gara_st(scambiato), codice_gara_st(diritto));
}

TEST(CodiciGara, BytesAboveAsciiCountUnsigned) {
    // "\xE8" (è) is 232 in the code page, not a negative char.
    TabellaOggetti t = chiavi("\xE8", "");
    TabellaOggetti a = chiavi("a", "");
    EXPECT_EQ(codice_gara_og(t) - codice_gara_og(a), 232 - 97);
    EXPECT_EQ(codice_gara_st(t) - codice_gara_st(a), 232 - 97);
}

}  // namespace
}  // namespace compattatore
