#include "format/file_binari.h"

#include <gtest/gtest.h>

#include <string>

namespace compattatore {
namespace {

std::string byte(std::initializer_list<int> valori) {
    std::string s;
    for (int v : valori) s.push_back(static_cast<char>(v));
    return s;
}

TEST(FileOggetti, EmptyTableIs87RecordsOf34ZeroBytes) {
    std::string file = codifica_oggetti(TabellaOggetti{});
    EXPECT_EQ(file, std::string(2958, '\0'));
}

TEST(FileOggetti, FieldsInDeclaredOrderLittleEndian) {
    TabellaOggetti t{};
    Oggetto& o = t[0];
    o.tipo = 0x81;
    o.inizio = -2;
    o.fine = 0x01020304;
    o.posizione = 97000;
    o.attributo = 0xFE;
    o.nome = "Corvale_Mendra";
    o.valori = {610, -1, 0x1234, 0, 1};
    o.flag = {1, 2, 3, 0xFF};
    o.orario = 32113;

    std::string file = codifica_oggetti(t);
    ASSERT_EQ(file.size(), 2958u + 14u);
    const std::string atteso =
        byte({0x81, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xE8, 0x7A, 0x01, 0x00, 0xFE, 14, 0}) +
        "Corvale_Mendra" +
        byte({0x62, 0x02, 0xFF, 0xFF, 0x34, 0x12, 0x00, 0x00, 0x01, 0x00,  //
              1, 2, 3, 0xFF, 0x71, 0x7D, 0x00, 0x00});
    EXPECT_EQ(atteso.size(), 48u);
    EXPECT_EQ(file.substr(0, 48), atteso);
    EXPECT_EQ(file.substr(48), std::string(86 * 34, '\0'));
}

TEST(FileOggetti, NameBytesAreWrittenAsTheyAre) {
    TabellaOggetti t{};
    t[1].nome = "CITT\xC0";  // single-byte text: five bytes, five counted
    std::string file = codifica_oggetti(t);
    EXPECT_EQ(file.substr(34 + 14, 7), byte({5, 0}) + "CITT\xC0");
}

TEST(FileTracciato, TagsTwoFiveAndZeroColumnByColumn) {
    Tracciato t(4);  // rows (0, 0) and (0, 1), then (1.5, -2.0), then an empty row
    t.aggiungi(0, 0);
    t.aggiungi(0, 1);
    t.aggiungi(1.5, -2.0);
    const std::string atteso = byte({2, 0, 0, 0, 2, 0, 0, 0,              // x rows 0, 1
                                     5, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F,  // x row 2: 1.5
                                     0, 0,                                // x row 3
                                     2, 0, 0, 0, 2, 0, 1, 0,              // y rows 0, 1
                                     5, 0, 0, 0, 0, 0, 0, 0, 0,    0xC0,  // y row 2: -2.0
                                     0, 0});                              // y row 3
    EXPECT_EQ(codifica_tracciato(t), atteso);
}

TEST(FileCelle, FifteenBytesPerCellInFieldOrder) {
    // A line of 25 m: N = round(7025 / 50) = 140 (half to even), 141 cells.
    std::vector<Cella> celle(141);
    celle[1] = Cella{.tipo = CELLA_ABBATTIMENTO,
                     .dato1 = 180,
                     .dato2 = -2,
                     .dato3 = 0x0102,
                     .dato4 = 5121,
                     .tempo = 9,
                     .codice = 4,
                     .montagna = 3,
                     .vel_limite = 28,
                     .pendenza = 88,
                     .aderenza = 0xFF};
    std::string file = codifica_celle(celle);
    ASSERT_EQ(file.size(), 2115u);
    EXPECT_EQ(file.substr(0, 15), std::string(15, '\0'));
    EXPECT_EQ(file.substr(15, 15), byte({0x0C, 0xB4, 0x00, 0xFE, 0xFF, 0x02, 0x01, 0x01, 0x14, 9, 4, 3, 28, 88, 0xFF}));
    EXPECT_EQ(file.substr(30), std::string(139 * 15, '\0'));
}

}  // namespace
}  // namespace compattatore
