// Every code the reader records, with the position it keeps and the
// description files it leaves on disk.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "compiler/lettura_prova.h"

namespace compattatore {
namespace {

using prova::linea_con;
using prova::treno_con;

const std::string TRENO_VUOTO = treno_con("");
const std::string SEGNALE_3800 = "segnale, 3800, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";

struct Caso {
    const char* nome;
    std::optional<std::string> linea;
    std::optional<std::string> treno;
    int32_t codice;
    int32_t posizione;
    bool linea_rimasta;
    bool treno_rimasto;
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nome; }

std::string stazione(int posizione, int tipo, int lunghezza) {
    return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " + std::to_string(lunghezza) +
           ", 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 10, 0, 0, S\r\n";
}

std::string molti_cartelli(int quanti) {
    std::string s;
    for (int k = 0; k < quanti; ++k) s += "cartello_indicatore, " + std::to_string(100 + 100 * k) + ", (S)\r\n";
    return s;
}

const Caso CASI[] = {
    {"no line file", std::nullopt, TRENO_VUOTO, 101, 0, false, true},
    {"no header", "[curve]\r\ncurvad1, 100, 100\r\n", TRENO_VUOTO, 102, 0, false, true},
    {"length above the limit", linea_con("", "lunghezza percorso, 1000001\r\n"), TRENO_VUOTO, 1, 0, false, true},
    {"repetition start", linea_con("", "lunghezza percorso, 10000\r\nripetizione segnali 4 codici, 1025, 5000\r\n"),
     TRENO_VUOTO, 3, 0, false, true},
    {"repetition end", linea_con("", "lunghezza percorso, 10000\r\nripetizione segnali 4 codici, 1000, 5010\r\n"),
     TRENO_VUOTO, 4, 0, false, true},
    {"repetition count", linea_con("", "lunghezza percorso, 10000\r\nripetizione segnali codici, 1000, 5000\r\n"),
     TRENO_VUOTO, 5, 0, false, true},
    {"curve class", linea_con("curvas, 100, 100\r\n"), TRENO_VUOTO, 103, 0, false, true},
    {"sign on a taken cell",
     linea_con("indicatori_vmax, 1000, 100, 100, 100, 0, , , , 0\r\ncartello_indicatore, 1000, (X)\r\n"), TRENO_VUOTO,
     6, 1000, false, true},
    {"board on a taken cell",
     linea_con("indicatori_vmax, 1000, 100, 100, 100, 0, , , , 0\r\nindicatori_vmax, 1000, 90, 90, 90, 0, , , , 0\r\n"),
     TRENO_VUOTO, 21, 1000, false, true},
    {"line record beyond the cells", linea_con("pendenza, 16950, 2\r\n"), TRENO_VUOTO, 15, 16950, false, false},
    {"malformed number", linea_con("pendenza, 12abc, 2\r\n"), TRENO_VUOTO, 25, 0, false, false},
    {"empty line file", "", TRENO_VUOTO, 25, 0, false, false},
    {"body record before the length", linea_con("pendenza, 100, 2\r\n", ""), TRENO_VUOTO, 25, 0, false, false},
    {"no length at all", linea_con("", ""), TRENO_VUOTO, 25, 0, false, false},
    {"sign before the line start", linea_con("cartello_indicatore, -100, (X)\r\n"), TRENO_VUOTO, 25, 0, false, false},
    {"81st text sign", linea_con(molti_cartelli(81)), TRENO_VUOTO, 25, 0, false, false},
    {"no train file", linea_con(""), std::nullopt, 25, 0, false, false},
    {"empty train file", linea_con(""), "", 25, 0, false, false},
    {"abbattimento on a taken cell", linea_con(""), treno_con("abbattimento, 1000, 90\r\nabbattimento, 1000, 60\r\n"),
     7, 1000, false, false},
    {"station position", linea_con(""), treno_con(stazione(1025, 12, 400)), 8, 1025, false, false},
    {"platform length", linea_con(""), treno_con(stazione(1000, 12, 450)), 9, 1000, false, false},
    {"stop too near the start", linea_con(""), treno_con(stazione(0, 12, 100)), 24, 0, false, false},
    {"stations 300 m apart", linea_con(""), treno_con(stazione(2000, 12, 400) + stazione(2700, 12, 400)), 22, 2700,
     false, false},
    {"signal on a taken cell", linea_con(""), treno_con(SEGNALE_3800 + SEGNALE_3800), 16, 3800, false, false},
    {"slowdown warning cell", linea_con(""), treno_con(SEGNALE_3800 + "rallentamento, 5000, 60, 500, 1, 0, 60\r\n"), 17,
     5000, false, false},
    {"slowdown start cell", linea_con(""),
     treno_con("segnale, 5000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 5000, 60, 500, 1, 0, 60\r\n"), 18, 5000,
     false, false},
    {"slowdown end cell", linea_con(""),
     treno_con("segnale, 5500, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 5000, 60, 500, 1, 0, 60\r\n"), 19, 5000,
     false, false},
    {"slowdown approach cell", linea_con(""),
     treno_con("segnale, 3700, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 5000, 60, 500, 1, 1, 60\r\n"), 20, 5000,
     false, false},
    {"train record beyond the cells", linea_con(""), treno_con("velocita, 16950, 100\r\n"), 15, 16950, false, false},
    {"speed too high for a cell", linea_con(""), treno_con("velocita, 0, 1280\r\nvelocita, 900, 100\r\n"), 25, 0, false,
     false},
    {"progressive off the 50 m grid",
     linea_con("", "lunghezza percorso, 10000\r\nprogressiva chilometrica tre, 5000, 220, 0\r\n"), TRENO_VUOTO, 2, 0,
     false, false},
    {"train record after a line code 15", linea_con("pendenza, 16950, 2\r\n"), treno_con(SEGNALE_3800 + SEGNALE_3800),
     16, 3800, false, false},
};

class CodiceLettura : public ::testing::TestWithParam<Caso> {};

TEST_P(CodiceLettura, RecordsTheCodeAndDeletesItsFiles) {
    const Caso& caso = GetParam();
    prova::Letti r = prova::leggi_descrizioni(caso.linea, caso.treno);
    EXPECT_EQ(r.codice(), caso.codice) << r.primo().motivo;
    EXPECT_EQ(r.posizione(), caso.posizione);
    EXPECT_EQ(r.linea_rimasta, caso.linea_rimasta);
    EXPECT_EQ(r.treno_rimasto, caso.treno_rimasto);
    EXPECT_FALSE(r.primo().motivo.empty());
    EXPECT_FALSE(r.primo().file.empty());
}

INSTANTIATE_TEST_SUITE_P(Casi, CodiceLettura, ::testing::ValuesIn(CASI), [](const auto& info) {
    std::string nome = info.param.nome;
    for (char& c : nome)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return nome;
});

}  // namespace
}  // namespace compattatore
