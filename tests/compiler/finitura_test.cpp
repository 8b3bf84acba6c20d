#include "compiler/finitura.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "support/modello_prova.h"

namespace compattatore {
namespace {

using prova::Posa;
using Abbattimenti = std::vector<std::pair<int32_t, int16_t>>;  // cell, dato1

constexpr uint8_t S = CELLA_SEGNALE, F = CELLA_FINE_RALLENTAMENTO, I = CELLA_INIZIO_RALLENTAMENTO,
                  A = CELLA_AVVISO_RALLENTAMENTO, G = CELLA_GALLERIA, X = CELLA_ABBATTIMENTO,
                  V = CELLA_INDICATORE_VMAX;  // V: any occupied cell

Abbattimenti abbattimenti(const Modello& m) {
    Abbattimenti a;
    for (int32_t i = 0; i <= m.ultima_cella(); ++i)
        if (m.celle[i].tipo == CELLA_ABBATTIMENTO) a.emplace_back(i, m.celle[i].dato1);
    return a;
}

struct CasoFinitura {
    const char* nome;
    int32_t ultima;
    std::vector<Posa> pose;
    Abbattimenti attesi;
    int32_t codice = 0;
    int32_t posizione = 0;
};

void verifica(const CasoFinitura& c) {
    SCOPED_TRACE(c.nome);
    Modello m = prova::modello_vuoto(c.ultima);
    for (const Posa& p : c.pose) prova::posa(m, {p});
    const std::vector<AvvisoFinitura> avvisi = rifinisci_celle(m);
    EXPECT_EQ(abbattimenti(m), c.attesi);
    // The list ends with the warning a run records.
    EXPECT_EQ(avvisi.empty(), c.codice == 0);
    if (!avvisi.empty()) {
        EXPECT_EQ(avvisi.back().codice, c.codice);
        EXPECT_EQ(avvisi.back().cella * 50, c.posizione);
    }
}

TEST(Finitura, WorkedExample) {
    verifica({"scenario slowdown",
              500,
              {{390, S}, {401, A}, {425, I, 60}, {447, F}, {452, S}},
              {{389, 180}, {407, 180}, {414, 180}, {420, 180}, {433, 180}, {441, 180}, {451, 180}}});
}

TEST(Finitura, SignalsBeforeWarningPoint) {
    const CasoFinitura casi[] = {
        {"warning at cell 3 scans nothing", 100, {{2, S}, {3, A}}, {}},
        {"twentieth cell before is scanned", 100, {{3, S}, {23, A}}, {{2, 180}}},
        {"twenty-first cell before is not", 100, {{3, S}, {24, A}}, {}},
        {"every signal in the window", 100, {{45, S}, {50, S}, {60, A}}, {{44, 180}, {49, 180}}},
        {"tunnel mark overwritten", 100, {{49, G}, {50, S}, {60, A}}, {{49, 180}}},
        {"occupied cell skipped", 100, {{49, V}, {50, S}, {60, A}}, {{48, 180}}},
        {"smaller existing value kept", 100, {{48, X, 150}, {49, X, 120}, {50, S}, {60, A}}, {{48, 150}, {49, 120}}},
        {"larger existing value lowered", 100, {{48, X, 150}, {49, X, 200}, {50, S}, {60, A}}, {{48, 150}, {49, 180}}},
        {"second cell lowered", 100, {{48, X, 200}, {49, V}, {50, S}, {60, A}}, {{48, 180}}},
        {"no room: code 11 at the signal", 100, {{48, V}, {49, V}, {50, S}, {60, A}}, {}, 11, 2500},
    };
    for (const CasoFinitura& c : casi) verifica(c);
}

TEST(Finitura, WindowsBeforeSlowdownStart) {
    // Fast slowdowns (120 km/h) so that only the windows place cells.
    const CasoFinitura casi[] = {
        {"start at 7: no window", 100, {{7, I, 120}, {17, F}}, {}},
        {"start at 8: first window", 100, {{8, I, 120}, {18, F}}, {{3, 180}}},
        {"start at 13: first window", 100, {{13, I, 120}, {23, F}}, {{8, 180}}},
        {"start at 14: two windows", 100, {{14, I, 120}, {24, F}}, {{3, 180}, {9, 180}}},
        {"start at 20: two windows", 100, {{20, I, 120}, {30, F}}, {{9, 180}, {15, 180}}},
        {"start at 21: three windows", 100, {{21, I, 120}, {31, F}}, {{3, 180}, {10, 180}, {16, 180}}},
        {"later cell of a window", 100, {{25, V}, {30, I, 120}, {40, F}}, {{12, 180}, {19, 180}, {24, 180}}},
        {"full window: code 12 at the start",
         100,
         {{23, V}, {24, V}, {25, V}, {30, I, 120}, {40, F}},
         {{12, 180}, {19, 180}},
         12,
         1500},
    };
    for (const CasoFinitura& c : casi) verifica(c);
}

TEST(Finitura, InsideAndAfterSlowdown) {
    const Abbattimenti finestre = {{12, 180}, {19, 180}, {25, 180}};
    auto con_finestre = [&](Abbattimenti altri) {
        Abbattimenti a = finestre;
        a.insert(a.end(), altri.begin(), altri.end());
        std::sort(a.begin(), a.end());
        return a;
    };
    const CasoFinitura casi[] = {
        {"every 8 cells", 100, {{30, I, 60}, {60, F}}, con_finestre({{38, 180}, {46, 180}, {54, 180}})},
        {"cell before when taken",
         100,
         {{38, V}, {30, I, 60}, {60, F}},
         con_finestre({{37, 180}, {45, 180}, {53, 180}})},
        {"cell after when both taken",
         100,
         {{37, V}, {38, V}, {30, I, 60}, {60, F}},
         con_finestre({{39, 180}, {47, 180}, {55, 180}})},
        {"no room inside: code 13, walk ends",
         100,
         {{37, V}, {38, V}, {39, V}, {30, I, 60}, {60, F}},
         finestre,
         13,
         1900},
        {"110 km/h: nothing inside", 100, {{30, I, 110}, {60, F}}, finestre},
        {"110 km/h: signal after the end cell", 100, {{30, I, 110}, {50, F}, {55, S}}, con_finestre({{54, 180}})},
        {"signal 12 cells after the end", 100, {{30, I, 120}, {50, F}, {62, S}}, con_finestre({{61, 180}})},
        {"signal 13 cells after the end", 100, {{30, I, 120}, {50, F}, {63, S}}, finestre},
        {"cell before the signal taken", 100, {{30, I, 120}, {50, F}, {54, V}, {55, S}}, con_finestre({{53, 180}})},
        {"no room before the signal: code 13 at the end",
         100,
         {{30, I, 120}, {50, F}, {53, V}, {54, V}, {55, S}},
         finestre,
         13,
         2500},
    };
    for (const CasoFinitura& c : casi) verifica(c);
}

TEST(Finitura, WalkAndSearchStopAtTheLastCell) {
    const CasoFinitura casi[] = {
        {"slow slowdown without end", 100, {{90, I, 60}}, {{72, 180}, {79, 180}, {85, 180}, {98, 180}}},
        {"fast slowdown without end", 100, {{90, I, 120}}, {{72, 180}, {79, 180}, {85, 180}}},
        {"signal on the last cell",
         100,
         {{80, I, 120}, {95, F}, {100, S}},
         {{62, 180}, {69, 180}, {75, 180}, {99, 180}}},
    };
    for (const CasoFinitura& c : casi) verifica(c);
}

// Cell 1 holds the identity stamps: the search goes on past it, and where
// nothing is left, the usual warning.
TEST(Finitura, CellOneIsNeverACodeCell) {
    const CasoFinitura casi[] = {
        {"signal at cell 3, cell 2 taken: code 11", 100, {{2, V}, {3, S}, {8, A}}, {}, 11, 150},
        {"signal at cell 3, cell 2 an abbattimento: lowered", 100, {{2, X, 200}, {3, S}, {8, A}}, {{2, 180}}},
        {"start at cell 8, cells 2 and 3 taken: code 12", 100, {{2, V}, {3, V}, {8, I, 120}, {18, F}}, {}, 12, 400},
        {"start at cell 8, cell 3 taken: cell 2", 100, {{3, V}, {8, I, 120}, {18, F}}, {{2, 180}}},
    };
    for (const CasoFinitura& c : casi) verifica(c);
}

TEST(Finitura, LastRecordedCodeSurvives) {
    // Code 12 at the start, then code 11 at a later signal.
    verifica({"12 then 11",
              200,
              {{23, V}, {24, V}, {25, V}, {30, I, 120}, {40, F}, {148, V}, {149, V}, {150, S}, {160, A}},
              {{12, 180}, {19, 180}},
              11,
              7500});
}

TEST(Finitura, ReturnsEveryWarningInTheOrderMet) {
    Modello m = prova::modello_vuoto(200);
    prova::posa(m, {{23, V}, {24, V}, {25, V}, {30, I, 120}, {40, F}, {148, V}, {149, V}, {150, S}, {160, A}});
    EXPECT_EQ(rifinisci_celle(m), (std::vector<AvvisoFinitura>{{12, 30, 30}, {11, 150, 150}}));
}

TEST(Finitura, PlacementChangesOnlyKindAndValue) {
    Modello m = prova::modello_vuoto(100);
    m.celle[49] =
        Cella{.tipo = CELLA_GALLERIA, .dato2 = 7, .codice = 4, .montagna = 2, .vel_limite = 24, .pendenza = 88};
    prova::posa(m, {{50, S}, {60, A}});
    rifinisci_celle(m);
    const Cella& c = m.celle[49];
    EXPECT_EQ(c.tipo, CELLA_ABBATTIMENTO);
    EXPECT_EQ(c.dato1, 180);
    EXPECT_EQ(c.dato2, 7);
    EXPECT_EQ(c.codice, 4);
    EXPECT_EQ(c.montagna, 2);
    EXPECT_EQ(c.vel_limite, 24);
    EXPECT_EQ(c.pendenza, 88);
}

}  // namespace
}  // namespace compattatore
