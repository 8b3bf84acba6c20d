#include "model/testo_1252.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Testo1252, ConvertsUtf8AndKeepsSingleByteText) {
    struct Caso {
        std::string ingresso;
        std::string atteso;
    } casi[] = {
        {"stazione, 0, FORL\xC3\x8C\r\n", "stazione, 0, FORL\xCC\r\n"},  // UTF-8 I grave
        {"citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x9C"
         "x",
         "citt\xE0 \x80 \x93x"},           // a grave, euro, left quote
        {"citt\xE0\r\n", "citt\xE0\r\n"},  // already Windows-1252
        {"plain ascii\n", "plain ascii\n"},
        {"\xC3", "\xC3"},                                                    // cut sequence: not UTF-8
        {"\xC0\xAF", "\xC0\xAF"},                                            // overlong: not UTF-8
        {"\xEF\xBB\xBFstazione, 0, FORL\xC3\x8C", "stazione, 0, FORL\xCC"},  // byte-order mark dropped
        {"\xEF\xBB\xBF[generale]\r\n", "[generale]\r\n"},                    // also before ASCII alone
        {"\xEF\xBB\xBF", ""},
        {"\xEF\xBB\xBF\xE8", "\xEF\xBB\xBF\xE8"},  // not UTF-8: bytes kept
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.ingresso);
        TestoConvertito r = converti_in_1252(caso.ingresso);
        EXPECT_FALSE(r.errore.has_value());
        EXPECT_EQ(r.testo, caso.atteso);
    }
}

TEST(Testo1252, ACharacterOutsideTheCodePageNamesItsLineAndColumn) {
    struct Caso {
        std::string ingresso;
        int riga;
        int colonna;
        char32_t codice;
        std::string testo;  // the whole text, '?' for what the code page lacks
    } casi[] = {
        {"a\r\nb\xC3\xA8\xE2\x86\x92", 2, 3, 0x2192, "a\r\nb\xE8?"},  // arrow after "bè"
        {"x\ry\nz\xD0\x96 \xD0\x96", 3, 2, 0x0416, "x\ry\nz? ?"},     // CR alone and LF alone end lines
        {"\xF0\x9F\x9A\x82\xC3\xA8", 1, 1, 0x1F682, "?\xE8"},         // a locomotive
        {"a\xEF\xBB\xBF", 1, 2, 0xFEFF, "a?"},                        // only a leading byte-order mark goes
        {"\xEF\xBB\xBF"
         "a\xE2\x86\x92",
         1, 2, 0x2192, "a?"},  // columns counted after the mark
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.ingresso);
        TestoConvertito r = converti_in_1252(caso.ingresso);
        ASSERT_TRUE(r.errore.has_value());
        EXPECT_EQ(r.errore->riga, caso.riga);
        EXPECT_EQ(r.errore->colonna, caso.colonna);
        EXPECT_EQ(r.errore->codice, caso.codice);
        EXPECT_EQ(r.testo, caso.testo);
    }
}

TEST(Testo1252, ShowsSingleByteTextAsUtf8) {
    EXPECT_EQ(da_1252_a_utf8(std::string("a\0\xE8\x80\x81", 5)),
              std::string("a\0\xC3\xA8\xE2\x82\xAC\xEF\xBF\xBD", 10));
    std::string tutti;
    for (int b = 0; b < 256; ++b)
        if (b < 0x80 || b >= 0xA0 || (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D))
            tutti.push_back(static_cast<char>(b));
    EXPECT_EQ(converti_in_1252(da_1252_a_utf8(tutti)).testo, tutti);  // a round trip through UTF-8
}

// Names alike on Windows: each capital letter of the code page with its
// small one, and nothing else (the multiplication and division signs sit
// where a capital and its small letter would).
TEST(Testo1252, NamesAlikeButForCase) {
    const struct {
        std::string a, b;
        bool uguali;
    } casi[] = {
        {"Forl\xEC", "FORL\xCC", true}, {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", true},
        {"\xC0\xDE", "\xE0\xFE", true}, {"\xD7", "\xF7", false},
        {"\xDF", "\xFF", false},        {"ab", "abc", false},
        {"a-1", "A-1", true},           {"a", "b", false},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(uguali_senza_maiuscole(c.a, c.b), c.uguali) << da_1252_a_utf8(c.a) << " " << da_1252_a_utf8(c.b);
        EXPECT_EQ(uguali_senza_maiuscole(c.b, c.a), c.uguali);
    }
}

}  // namespace
}  // namespace compattatore
