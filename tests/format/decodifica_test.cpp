#include "format/decodifica.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "support/cartella_temporanea.h"
#include "support/dati.h"

namespace compattatore {
namespace {

using prova::dato_normale;
using prova::FILE_CELLE_NORMALE;
using prova::FILE_OGGETTI_NORMALE;

std::string piccolo_endian(uint64_t valore, size_t larghezza) {
    std::string byte;
    for (size_t k = 0; k < larghezza; ++k) byte += static_cast<char>((valore >> (8 * k)) & 0xFF);
    return byte;
}
std::string vuoto() { return piccolo_endian(0, 2); }
std::string intero(int16_t v) { return piccolo_endian(2, 2) + piccolo_endian(static_cast<uint16_t>(v), 2); }
std::string reale(double v) { return piccolo_endian(5, 2) + piccolo_endian(std::bit_cast<uint64_t>(v), 8); }

// Four rows: (0, 0) and (0, 1) as integers, (1.5, -2.0), then an empty row.
const std::string TRACCIATO_PICCOLO =
    intero(0) + intero(0) + reale(1.5) + vuoto() + intero(0) + intero(1) + reale(-2.0) + vuoto();

TEST(DecodificaTracciato, ReadsColumnZeroThenColumnOneWithTheirTags) {
    auto righe = decodifica_tracciato(TRACCIATO_PICCOLO, "p.dat", 4);
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe.assegnate(), 3u);
    EXPECT_EQ(righe[0].x, ValoreEtichettato(int16_t{0}));
    EXPECT_EQ(righe[1].y, ValoreEtichettato(int16_t{1}));
    EXPECT_EQ(righe[2].x, ValoreEtichettato(1.5));
    EXPECT_EQ(righe[2].y, ValoreEtichettato(-2.0));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(righe[3].x));
    EXPECT_EQ(righe.etichetta(3), EtichettaValore::vuota);
    EXPECT_EQ(righe.y(3), 0.0);
}

// The plan holds its rows in metre order, so every tag follows from the row:
// a file whose tags say otherwise cannot be the compiler's and is damaged.
TEST(DecodificaTracciato, RefusesTagsThatDoNotFollowFromTheRow) {
    struct Caso {
        const char* nome;
        std::string byte;
        size_t posizione;
        const char* motivo;
    } casi[] = {
        {"row 1 a float", intero(0) + reale(1) + vuoto() + vuoto() + intero(0) + reale(1) + vuoto() + vuoto(), 4,
         "tag 5 of column 0 row 1 where the plan has tag 2"},
        {"row 2 an integer", intero(0) + intero(0) + intero(2) + vuoto() + intero(0) + intero(1) + intero(2) + vuoto(),
         8, "tag 2 of column 0 row 2 where the plan has tag 5"},
        {"a value after an empty row",
         intero(0) + intero(0) + vuoto() + reale(3) + intero(0) + intero(1) + vuoto() + vuoto(), 10,
         "tag 5 of column 0 row 3 where the plan has tag 0"},
        {"column 1 empty sooner",
         intero(0) + intero(0) + reale(1.5) + vuoto() + intero(0) + intero(1) + vuoto() + vuoto(), 28,
         "tag 0 of column 1 row 2 where the plan has tag 5"},
        {"a tag of no kind", intero(0) + intero(0) + piccolo_endian(3, 2) + vuoto() + intero(0) + intero(1), 8,
         "tag 3 of column 0 row 2 is not 0, 2 or 5"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        try {
            decodifica_tracciato(c.byte, "p.dat", 4);
            ADD_FAILURE() << "accepted";
        } catch (const ErroreDecodifica& e) {
            EXPECT_EQ(e.posizione(), c.posizione);
            EXPECT_NE(std::string(e.what()).find(c.motivo), std::string::npos) << e.what();
        }
    }
}

TEST(DecodificaOggetti, ReadsTheNormalRunsHeaderAndStations) {
    auto oggetti = decodifica_oggetti(dato_normale(FILE_OGGETTI_NORMALE), "o.sim");
    EXPECT_EQ(oggetti[OGGETTO_DIMENSIONI].fine, 97000);
    EXPECT_EQ(oggetti[OGGETTO_LINEA].nome, "Corvale_Mendra");
    EXPECT_EQ(oggetti[OGGETTO_LINEA].valori[0], 610);
    EXPECT_EQ(oggetti[OGGETTO_LINEA].orario, 32113);
    EXPECT_EQ(oggetti[OGGETTO_TRENO].nome, "4821-3");
    EXPECT_EQ(oggetti[OGGETTO_TRENO].inizio, 1050);
    EXPECT_EQ(oggetti[OGGETTO_TRENO].fine, 95500);
    const Oggetto& firenze = oggetti[1];
    EXPECT_EQ(firenze.nome, "FIRENZE S.M.N.");
    EXPECT_EQ(firenze.tipo, 8);
    EXPECT_EQ(firenze.inizio, -500);
    EXPECT_EQ(firenze.fine, 500);
    EXPECT_EQ(firenze.orario, 69000);
}

TEST(DecodificaCelle, ReadsTheNormalRunsStampsAndSlowdown) {
    auto celle = decodifica_celle(dato_normale(FILE_CELLE_NORMALE), "c.dat");
    ASSERT_EQ(celle.size(), 2081u);
    EXPECT_EQ(celle[1].dato1, 5121);
    EXPECT_EQ(celle[1].dato2, 2266);
    EXPECT_EQ(celle[401].tipo, CELLA_AVVISO_RALLENTAMENTO);
    EXPECT_EQ(celle[425].tipo, CELLA_INIZIO_RALLENTAMENTO);
    EXPECT_EQ(celle[447].tipo, CELLA_FINE_RALLENTAMENTO);
    EXPECT_EQ(celle[447].dato1, 60);
    EXPECT_EQ(celle[447].dato3, 1);
    EXPECT_EQ(celle[407].tipo, CELLA_ABBATTIMENTO);
    EXPECT_EQ(celle[407].dato1, 180);
}

// One damaged image of one of the three files and the error it must give.
struct CasoGuasto {
    const char* nome;
    char file;  // 'o' objects, 'c' cells, 't' plan
    std::string (*guasta)(std::string);
    size_t posizione;
    const char* motivo;  // part of the message
};

std::string scrivi_a(std::string byte, size_t posizione, const std::string& nuovi) {
    byte.replace(posizione, nuovi.size(), nuovi);
    return byte;
}

// In the normal run's object file record 0 is empty (34 bytes), record 1 is
// FIRENZE S.M.N. (48 bytes, name length at byte 48), and the line length
// (`fine` of record 84) lies at byte 3135. The plan file ends with two empty
// values (2 bytes each) after a real (10 bytes).
const CasoGuasto CASI_GUASTI[] = {
    {"objects empty", 'o', [](std::string) { return std::string(); }, 0, "ends inside record 0 `tipo`"},
    {"objects cut inside a name", 'o', [](std::string b) { return b.substr(0, 34 + 20); }, 48,
     "record 1 `nome` of 14 bytes runs past the end"},
    {"objects cut before the last field", 'o', [](std::string b) { return b.substr(0, b.size() - 3); }, 3248,
     "ends inside record 86 `orario`"},
    {"objects one byte longer", 'o', [](std::string b) { return b + '\0'; }, 3252, "1 byte follows the last record"},
    {"object name length past the end", 'o', [](std::string b) { return scrivi_a(b, 48, "\xFF\xFF"); }, 48,
     "record 1 `nome` of 65535 bytes runs past the end"},
    {"negative line length", 'o', [](std::string b) { return scrivi_a(b, 3135, "\xFF\xFF\xFF\xFF"); }, 3135,
     "line length of -1 m"},
    {"cells one byte short", 'c', [](std::string b) { return b.substr(0, b.size() - 1); }, 31200,
     "not a multiple of 15: 14 bytes"},
    {"cells one byte longer", 'c', [](std::string b) { return b + 'x'; }, 31215,
     "not a multiple of 15: 1 byte of a partial cell"},
    {"cells one cell short", 'c', [](std::string b) { return b.substr(0, b.size() - 15); }, 31200,
     "has 2081 cells (31215 bytes), the file holds 2080"},
    {"cells one cell longer", 'c', [](std::string b) { return b + std::string(15, '\0'); }, 31215,
     "has 2081 cells (31215 bytes), the file holds 2082"},
    {"plan with tag 3", 't', [](std::string b) { return scrivi_a(b, 4, piccolo_endian(3, 2)); }, 4,
     "tag 3 of column 0 row 1 is not 0, 2 or 5"},
    {"plan cut inside a value", 't', [](std::string b) { return b.substr(0, b.size() - 5); }, 2079964 - 4 - 8,
     "ends inside column 1 row 103998"},
    {"plan with a byte after the end", 't', [](std::string b) { return b + '\0'; }, 2079964,
     "1 byte follows row 104000 of column 1"},
};

TEST(DecodificaScenario, DamagedFilesNameTheFileAndTheOffset) {
    const std::string oggetti = dato_normale(FILE_OGGETTI_NORMALE);
    const std::string celle = dato_normale(FILE_CELLE_NORMALE);
    const std::string tracciato = prova::leggi_tutto(std::filesystem::path(prova::corsa_normale_eseguita().directory) /
                                                     prova::FILE_TRACCIATO_NORMALE);
    ASSERT_EQ(tracciato.size(), 2079964u);
    EXPECT_NO_THROW(decodifica_scenario({"o.sim", oggetti}, {"c.dat", celle}, ImmagineFile{"t.dat", tracciato}));

    for (const CasoGuasto& caso : CASI_GUASTI) {
        SCOPED_TRACE(caso.nome);
        ImmagineFile o{"o.sim", oggetti}, c{"c.dat", celle}, t{"t.dat", tracciato};
        ImmagineFile& guasto = caso.file == 'o' ? o : caso.file == 'c' ? c : t;
        guasto.byte = caso.guasta(guasto.byte);
        const size_t attesa = caso.posizione;
        try {
            decodifica_scenario(o, c, t);
            ADD_FAILURE() << "no error";
        } catch (const ErroreDecodifica& e) {
            EXPECT_EQ(e.file(), guasto.nome);
            EXPECT_EQ(e.posizione(), attesa);
            EXPECT_NE(std::string(e.what()).find(caso.motivo), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(guasto.nome + ": byte " + std::to_string(attesa) + ": ", 0), 0u)
                << e.what();
        }
    }
}

TEST(DecodificaTracciato, ARowCountTheFileCannotHoldIsRefusedAtOnce) {
    EXPECT_THROW(decodifica_tracciato(TRACCIATO_PICCOLO, "p.dat", 1000000000), ErroreDecodifica);
    EXPECT_THROW(decodifica_tracciato(TRACCIATO_PICCOLO, "p.dat", 0), ErroreDecodifica);
}

}  // namespace
}  // namespace compattatore
