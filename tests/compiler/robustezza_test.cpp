// Malformed description files: each one ends in a coded error with a reason,
// never in a crash, a hang or a write outside an array (the sanitizer build
// runs these too). And the largest line the reader accepts, densely filled,
// compiles; how fast is the benchmark's business.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "compiler/codici_errore.h"
#include "compiler/compila.h"
#include "compiler/lettura_prova.h"
#include "compiler/memorizza_percorso.h"
#include "format/file_binari.h"
#include "model/numeri.h"
#include "support/cartella_temporanea.h"
#include "support/diagnostiche_prova.h"

namespace compattatore {
namespace {

using prova::linea_con;
using prova::treno_con;

struct Compilato {
    Compilazione esito;
};

// The whole compile of the two texts with the plan, the author's way, then
// the encoding a forced run would write.
Compilato compila_testi(const std::string& linea, const std::string& treno) {
    Compilato c{.esito = compila({prova::LINEA_PROVA, prova::TRENO_PROVA, linea, treno},
                                 {.chiave_linea = "L", .chiave_treno = "T", .crea_tracciato = 1, .lettura = {}})};
    if (da_scrivere(c.esito, {.directory = "", .scrivi = true, .forza = true, .sincronizza = false})) {
        EXPECT_EQ(codifica_celle(c.esito.modello.celle).size(), 15 * c.esito.modello.celle.size());
        EXPECT_FALSE(codifica_oggetti(c.esito.modello.oggetti).empty());
        EXPECT_EQ(codifica_tracciato(c.esito.modello.tracciato).empty(), c.esito.modello.tracciato.empty());
    }
    return c;
}

std::string ripeti(const std::string& pezzo, size_t volte) {
    std::string s;
    for (size_t k = 0; k < volte; ++k) s += pezzo;
    return s;
}

// Every byte value in turn, NUL and CR LF included, the way a binary file
// handed over by mistake looks.
std::string spazzatura(size_t lunghezza) {
    std::string s;
    uint32_t x = 2463534242u;
    for (size_t k = 0; k < lunghezza; ++k) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s.push_back(static_cast<char>(x & 0xFF));
    }
    return s;
}

const std::string TRENO_VUOTO = treno_con("");
const std::string STAZIONE = "stazione, 1000, 8, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 10, 0, 0, ";

// Rows with code 0 are odd but well-formed: the reader skips what it does not
// know, and the compile must simply finish.
struct Caso {
    const char* nome;
    std::string linea;
    std::string treno;
    int32_t codice;
    int riga;  // of the field named, in the file the code concerns
    int colonna;
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nome; }

class Malformato : public ::testing::TestWithParam<Caso> {};

TEST_P(Malformato, EndsInACodedErrorWithAReason) {
    const Caso& caso = GetParam();
    Compilato c = compila_testi(caso.linea, caso.treno);
    EXPECT_EQ(prova::codice_lettura(c.esito.diagnostiche), caso.codice)
        << prova::primo_errore(c.esito.diagnostiche).motivo;
    if (caso.codice != 0) {
        EXPECT_TRUE(voce_codice(prova::codice_lettura(c.esito.diagnostiche)).has_value());
        EXPECT_FALSE(prova::primo_errore(c.esito.diagnostiche).motivo.empty());
    }
    EXPECT_EQ(prova::primo_errore(c.esito.diagnostiche).luogo.riga, caso.riga)
        << prova::primo_errore(c.esito.diagnostiche).motivo;
    EXPECT_EQ(prova::primo_errore(c.esito.diagnostiche).luogo.colonna, caso.colonna)
        << prova::primo_errore(c.esito.diagnostiche).motivo;
}

const Caso CASI[] = {
    {"empty line file", "", TRENO_VUOTO, 25, 1, 1},
    {"empty train file after a good line", linea_con(""), "", 25, 1, 1},
    {"binary garbage as the line file", spazzatura(4096), TRENO_VUOTO, 102, 1, 1},
    {"binary garbage after the header", "[generale]\r\n" + spazzatura(4096), TRENO_VUOTO, 25, 0, 0},
    {"binary garbage as the train file", linea_con(""), spazzatura(4096), 25, 1, 1},
    {"no length record: no cells", "[generale]\r\n[corpo]\r\npendenza, 100, 2\r\n", TRENO_VUOTO, 25, 3, 11},
    {"header only, nothing after it", "[generale]\r\n", TRENO_VUOTO, 102, 2, 1},
    {"record cut at the end of the file", linea_con(""), "[generale]\r\nstazione, 1000, 8", 25, 2, 18},
    // Never closed, it would take the rest of the file as the name: refused where it opens.
    {"quoted name without its closing quote", linea_con(""), treno_con(STAZIONE + "\"NOME\r\n"), 25, 2, 65},
    {"length too large for its field", linea_con("", "lunghezza percorso, 99999999999\r\n"), TRENO_VUOTO, 25, 2, 21},
    {"a thousand-digit number", linea_con("pendenza, " + std::string(1000, '9') + ", 2\r\n"), TRENO_VUOTO, 25, 4, 11},
    {"station kind above its byte", linea_con(""), treno_con("stazione, 1000, 256, 400\r\n"), 25, 2, 17},
    {"station value above 16 bits", linea_con(""), treno_con("stazione, 1000, 8, 400, 0, 0, 0, 32768\r\n"), 25, 2, 34},
    {"hours that overflow the clock", linea_con(""),
     treno_con("stazione, 1000, 8, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 2147483647, 0, 0, S\r\n"), 25, 2, 55},
    {"curve whose end overflows", linea_con("curvad1, 100, 2147483647\r\n"), TRENO_VUOTO, 25, 4, 10},
    {"slowdown whose end overflows", linea_con(""), treno_con("rallentamento, 1000, 60, 2147483647, 1, 0, 60\r\n"), 25,
     2, 16},
    {"a 10000-character keyword", linea_con(std::string(10000, 'x') + "\r\n"), TRENO_VUOTO, 0, 0, 0},
    {"a 10000-character record of commas", linea_con("pendenza" + ripeti(", ", 5000) + "\r\n"), TRENO_VUOTO, 0, 0, 0},
    {"a 10000-character sign text", linea_con("cartello_indicatore, 1000, " + std::string(10000, 'A') + "\r\n"),
     TRENO_VUOTO, 0, 0, 0},
    {"a 70000-character sign text", linea_con("cartello_indicatore, 1000, " + std::string(70000, 'A') + "\r\n"),
     TRENO_VUOTO, 25, 4, 28},
    {"a 70000-character station name", linea_con(""), treno_con(STAZIONE + std::string(70000, 'N') + "\r\n"), 25, 2,
     65},
};

INSTANTIATE_TEST_SUITE_P(Casi, Malformato, ::testing::ValuesIn(CASI), [](const auto& info) {
    std::string nome;
    for (char ch : std::string(info.param.nome)) nome += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return nome;
});

// The longest line, with a gradient every 300 m, a curve every 500 m, a speed
// change every 500 m, a board and a signal every kilometre, a text sign every
// 20 km and a slowdown every 100 km.
std::string linea_densa() {
    std::string corpo;
    for (int p = 0; p < 1000000; p += 300)
        corpo += "pendenza, " + std::to_string(p) + ", " + std::to_string(p % 7 - 3) + "\r\n";
    for (int p = 0; p < 1000000; p += 500)
        corpo +=
            (p % 1000 ? "curvas" : "curvad") + std::to_string(1 + p / 500 % 6) + ", " + std::to_string(p) + ", 200\r\n";
    for (int p = 500; p < 1000000; p += 1000)
        corpo += "indicatori_vmax, " + std::to_string(p) + ", 100, 110, 120, 0, , , , 0\r\n";
    for (int p = 750; p < 1000000; p += 20000)
        corpo += "cartello_indicatore, " + std::to_string(p) + ", (KM " + std::to_string(p / 1000) + ")\r\n";
    return linea_con(corpo, "lunghezza percorso, 1000000\r\n");
}

std::string treno_denso() {
    std::string corpo;
    for (int p = 0; p < 1000000; p += 500)
        corpo += "velocita, " + std::to_string(p) + ", " + std::to_string(80 + p / 500 % 10 * 10) + "\r\n";
    for (int p = 250; p < 1000000; p += 1000)
        corpo += "segnale, " + std::to_string(p) + ", 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";
    for (int p = 100000; p < 1000000; p += 100000)
        corpo += "rallentamento, " + std::to_string(p) + ", 60, 1100, 1, 1, 60\r\n";
    return treno_con(corpo);
}

TEST(LineaMassima, DenseRecordsCompile) {
    Compilato c = compila_testi(linea_densa(), treno_denso());

    EXPECT_EQ(prova::codice_lettura(c.esito.diagnostiche), 0) << prova::primo_errore(c.esito.diagnostiche).motivo;
    ASSERT_EQ(c.esito.modello.celle.size(), 20141u);
    EXPECT_EQ(c.esito.modello.tracciato.size(), 1007001u);
    EXPECT_EQ(c.esito.modello.celle[cella_di(250)].tipo, CELLA_SEGNALE);
    EXPECT_EQ(c.esito.modello.celle[cella_di(999500)].tipo, CELLA_INDICATORE_VMAX);
    EXPECT_EQ(c.esito.modello.celle[cella_di(980750)].tipo, CELLA_CARTELLO);
    EXPECT_EQ(c.esito.modello.celle[cella_di(900000)].tipo, CELLA_INIZIO_RALLENTAMENTO);
}

}  // namespace
}  // namespace compattatore
