// The field reader: delimiters, blanks, quotes, numbers and where each field begins.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/lettore_campi.h"

namespace compattatore {
namespace {

TEST(LettoreCampi, TextFieldsEndAtCommasAndEveryKindOfLineEnd) {
    LettoreCampi l("  uno ,due\r\ntre\rquattro\n\"cin,que\r\n sei\"  junk,\t7 \r\n");
    std::vector<std::string> attesi = {"uno", "due", "tre", "quattro", "cin,que\r\n sei", "\t7"};
    std::vector<Luogo> luoghi = {{1, 3}, {1, 8}, {2, 1}, {3, 1}, {4, 1}, {5, 13}};
    for (size_t i = 0; i < attesi.size(); ++i) {
        CampoLetto c = l.leggi_testo();
        EXPECT_EQ(c.testo, attesi[i]) << i;
        EXPECT_EQ(c.luogo.riga, luoghi[i].riga) << i;
        EXPECT_EQ(c.luogo.colonna, luoghi[i].colonna) << i;
    }
    EXPECT_TRUE(l.fine_file());
}

// A quote left open would make the rest of the file one text: never closed
// it is a failure where it opened; closed on a later line the field tells
// where, for a warning.
TEST(LettoreCampi, QuotedTextOverALineEndOrNeverClosed) {
    LettoreCampi l("x, \"uno\", \"due\r\ntre\rquattro\" junk\n\"cinque");
    EXPECT_EQ(l.leggi_testo().testo, "x");
    const CampoLetto su_una_riga = l.leggi_testo();
    EXPECT_EQ(su_una_riga.testo, "uno");
    EXPECT_FALSE(su_una_riga.chiusura_a_capo);
    const CampoLetto a_capo = l.leggi_testo();
    EXPECT_EQ(a_capo.testo, "due\r\ntre\rquattro");
    EXPECT_EQ(a_capo.luogo.riga, 1);
    EXPECT_EQ(a_capo.luogo.colonna, 11);
    ASSERT_TRUE(a_capo.chiusura_a_capo);
    EXPECT_EQ(a_capo.chiusura_a_capo->riga, 3);
    EXPECT_EQ(a_capo.chiusura_a_capo->colonna, 8);
    try {
        l.leggi_testo("cartello_indicatore", "testo");
        ADD_FAILURE() << "a quote never closed was read";
    } catch (const ErroreLettura& e) {
        EXPECT_STREQ(e.what(), "the quoted text opened here has no closing quote before the end of the file");
        EXPECT_EQ(e.luogo().riga, 4);
        EXPECT_EQ(e.luogo().colonna, 1);
    }
}

TEST(LettoreCampi, NumbersEndAtBlanksAndTakeTheFollowingDelimiter) {
    LettoreCampi l("orologio,    19              9             40 \r\n5 ,6,  ,-7\n12.5,13.5,.5,12.,-2.5,2.51\r\nx");
    EXPECT_EQ(l.leggi_testo().testo, "orologio");
    std::vector<int> attesi = {19, 9, 40, 5, 6, 0, -7, 12, 14, 0, 12, -2, 3};
    for (size_t i = 0; i < attesi.size(); ++i) EXPECT_EQ(l.leggi_numero<int32_t>("r", "c").v, attesi[i]) << i;
    EXPECT_EQ(l.leggi_testo().testo, "x");
    EXPECT_TRUE(l.fine_file());
}

TEST(LettoreCampi, NumberLocationsAreThoseOfTheirFirstDigit) {
    LettoreCampi l("a,  12\r\n   -3");
    l.leggi_testo();
    Luogo primo = l.leggi_numero<int32_t>("r", "c").luogo;
    Luogo secondo = l.leggi_numero<int32_t>("r", "c").luogo;
    EXPECT_EQ(primo.riga, 1);
    EXPECT_EQ(primo.colonna, 5);
    EXPECT_EQ(secondo.riga, 2);
    EXPECT_EQ(secondo.colonna, 4);
}

struct CasoErrato {
    const char* testo;
    const char* motivo;
    int colonna;
};

TEST(LettoreCampi, RefusesWhatIsNotANumberOrDoesNotFit) {
    const CasoErrato casi[] = {
        {"  12abc", "stazione: field 'tipo' is not a number: '12abc'", 3},
        {"1e3", "stazione: field 'tipo' is not a number: '1e3'", 1},
        {"-", "stazione: field 'tipo' is not a number: '-'", 1},
        {"1.2.3", "stazione: field 'tipo' is not a number: '1.2.3'", 1},
        {"12\t", "stazione: field 'tipo' is not a number: '12\t'", 1},
        {"256", "stazione: field 'tipo' is too large for its field (0 to 255): '256'", 1},
        {"255.5", "stazione: field 'tipo' is too large for its field (0 to 255): '255.5'", 1},
        {"-1", "stazione: field 'tipo' is too small for its field (0 to 255): '-1'", 1},
        {"99999999999999999999999",
         "stazione: field 'tipo' is too large for its field (0 to 255): '99999999999999999999999'", 1},
    };
    for (const auto& caso : casi) {
        LettoreCampi l(caso.testo);
        try {
            l.leggi_numero<uint8_t>("stazione", "tipo");
            ADD_FAILURE() << caso.testo;
        } catch (const ErroreLettura& e) {
            EXPECT_STREQ(e.what(), caso.motivo);
            EXPECT_EQ(e.luogo().riga, 1);
            EXPECT_EQ(e.luogo().colonna, caso.colonna);
        }
    }
}

TEST(LettoreCampi, ReadingPastTheEndFailsWithItsPlace) {
    LettoreCampi l("a,1\r\n");
    l.leggi_testo();
    l.leggi_numero<int32_t>("r", "c");
    ASSERT_TRUE(l.fine_file());
    try {
        l.leggi_testo("stazione", "nome");
        ADD_FAILURE();
    } catch (const ErroreLettura& e) {
        EXPECT_STREQ(e.what(), "stazione: field 'nome': the file ends inside a record");
        EXPECT_EQ(e.luogo().riga, 2);
        EXPECT_EQ(e.luogo().colonna, 1);
    }
    LettoreCampi vuoto("");
    EXPECT_TRUE(vuoto.fine_file());
    EXPECT_THROW(vuoto.leggi_testo(), ErroreLettura);
}

TEST(LettoreCampi, Limits32BitFields) {
    LettoreCampi l("2147483647,-2147483648,2147483648");
    EXPECT_EQ(l.leggi_numero<int32_t>("r", "c").v, 2147483647);
    EXPECT_EQ(l.leggi_numero<int32_t>("r", "c").v, -2147483647 - 1);
    EXPECT_THROW(l.leggi_numero<int32_t>("r", "c"), ErroreLettura);
}

}  // namespace
}  // namespace compattatore
