// The four recorders and the progressive ordering on small models.
#include <gtest/gtest.h>

#include <array>

#include "compiler/progressive_ordina.h"
#include "compiler/registratori.h"
#include "model/errore_lettura.h"

namespace compattatore {
namespace {

Modello modello() {
    Modello m;
    m.celle.assign(2081, Cella{});
    return m;
}

TEST(MemoMontagna, MarksEveryFourthCellAndJoinsCloseSpans) {
    Modello m = modello();
    Montagne montagne;
    memo_montagna(m, montagne, 18800, 18850, 2);
    memo_montagna(m, montagne, 18900, 19100, 2);
    EXPECT_EQ(m.celle[378].montagna, 3);  // 50 m after the previous span: kind 3
    memo_montagna(m, montagne, 21250, 22250, 12);
    for (int i = 425; i <= 444; ++i) EXPECT_EQ(m.celle[i].montagna, 2) << i;
    for (int i = 425; i <= 444; ++i)
        EXPECT_EQ(m.celle[i].tipo, (i - 424) % 4 == 0 ? CELLA_GALLERIA : CELLA_LIBERA) << i;
    EXPECT_EQ(montagne.numero_montagne, 3);
}

TEST(MemoMontagna, RefusesThe81stSpan) {
    Modello m = modello();
    Montagne montagne;
    for (int k = 0; k < 80; ++k) memo_montagna(m, montagne, 1000 * k, 1000 * k + 100, 1);
    EXPECT_THROW(memo_montagna(m, montagne, 90000, 90100, 1), ErroreLettura);
}

TEST(MemoIndicatori, PacksSpeedsAndRefusesATakenCell) {
    Modello m = modello();
    EXPECT_EQ(memo_indicatori_v_max(m, 1000, 105, 115, 120, 0, 0, 0, 0, 0), 0);
    const Cella& c = m.celle[21];
    EXPECT_EQ(c.tipo, CELLA_INDICATORE_VMAX);
    EXPECT_EQ(c.dato1, 2100);
    EXPECT_EQ(c.dato2, 2300);
    EXPECT_EQ(c.dato3, 2400);
    EXPECT_EQ(c.dato4, 0);
    EXPECT_EQ(memo_indicatori_v_max(m, 2000, 140, 60, 110, 2, 140, 0, 110, 1), 0);
    EXPECT_EQ(m.celle[41].dato1, 2828);
    EXPECT_EQ(m.celle[41].dato2, 1200);
    EXPECT_EQ(m.celle[41].dato3, 2222);
    EXPECT_EQ(m.celle[41].dato4, 21);
    EXPECT_EQ(memo_indicatori_v_max(m, 1000, 90, 90, 90, 0, 0, 0, 0, 0), 21);
    EXPECT_EQ(m.celle[21].dato1, 2100);
    EXPECT_THROW(memo_indicatori_v_max(m, 3000, 2000, 0, 0, 0, 0, 0, 0, 0), ErroreLettura);
}

TEST(MemoSegnale, PlacesTheSignalAndItsCodeMarks) {
    Modello m = modello();
    EXPECT_EQ(memo_segnale(m, 1050, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0), 0);
    const Cella& c = m.celle[22];
    EXPECT_EQ(c.tipo, CELLA_SEGNALE);
    EXPECT_EQ(c.dato1, 40);
    EXPECT_EQ(c.dato2, 10);
    EXPECT_EQ(c.dato3, 0);
    EXPECT_EQ(c.dato4, 6);
    EXPECT_EQ(c.tempo, 0);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(m.celle[22 - 2 * k].codice, 60 + k) << k;

    struct Tempo {
        int32_t sx, tempo;
        uint8_t atteso;
    };
    int32_t p = 5000;
    for (auto [sx, tempo, atteso] : {Tempo{2, 50, 101}, Tempo{2, 240, 240}, Tempo{1, 50, 0}, Tempo{2, 0, 0}}) {
        EXPECT_EQ(memo_segnale(m, p, sx, 4, 1, 0, 0, 0, 0, 0, 0, tempo), 0);
        EXPECT_EQ(m.celle[p / 50 + 1].tempo, atteso) << sx << " " << tempo;
        p += 1000;
    }
    EXPECT_EQ(memo_segnale(m, 1050, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0), 16);
}

TEST(MemoSegnale, CodeMarksBeforeTheLineStartAreSkipped) {
    Modello m = modello();
    EXPECT_EQ(memo_segnale(m, 100, 1, 4, 1, 0, 0, 1, 0, 0, 0, 0), 0);
    EXPECT_EQ(m.celle[3].tipo, CELLA_SEGNALE);
    EXPECT_EQ(m.celle[1].codice, 41);
}

TEST(MemoRallentamento, WarningStartAndEndCells) {
    Modello m = modello();
    EXPECT_EQ(memo_rallentamento(m, 21200, 60, 1100, 1, 0, 60), 0);
    struct Atteso {
        int cella;
        uint8_t tipo;
        int16_t dato3;
    };
    for (auto [i, tipo, dato3] :
         {Atteso{401, CELLA_AVVISO_RALLENTAMENTO, 0}, Atteso{425, CELLA_INIZIO_RALLENTAMENTO, 1},
          Atteso{447, CELLA_FINE_RALLENTAMENTO, 1}}) {
        EXPECT_EQ(m.celle[i].tipo, tipo) << i;
        EXPECT_EQ(m.celle[i].dato1, 60) << i;
        EXPECT_EQ(m.celle[i].dato2, 60) << i;
        EXPECT_EQ(m.celle[i].dato3, dato3) << i;
    }
    EXPECT_EQ(m.celle[400].tipo, CELLA_LIBERA);

    Modello con_preavviso = modello();
    EXPECT_EQ(memo_rallentamento(con_preavviso, 21200, 60, 1100, 1, 1, 60), 0);
    for (int q = 0; q < 4; ++q) {
        EXPECT_EQ(con_preavviso.celle[400 - q].tipo, CELLA_PREAVVISO_RALLENTAMENTO);
        EXPECT_EQ(con_preavviso.celle[400 - q].dato1, q + 1);
        EXPECT_EQ(con_preavviso.celle[400 - q].dato2, q + 1);
    }
}

TEST(MemoRallentamento, WarningPointOnlyAfter1500) {
    Modello m = modello();
    EXPECT_EQ(memo_rallentamento(m, 1500, 60, 100, 1, 1, 0), 0);
    EXPECT_EQ(m.celle[31].tipo, CELLA_INIZIO_RALLENTAMENTO);
    EXPECT_EQ(m.celle[33].tipo, CELLA_FINE_RALLENTAMENTO);
    for (int i = 0; i < 31; ++i) EXPECT_EQ(m.celle[i].tipo, CELLA_LIBERA) << i;

    EXPECT_EQ(memo_rallentamento(m, 1550, 60, 500, 1, 1, 0), 0);
    EXPECT_EQ(m.celle[8].tipo, CELLA_AVVISO_RALLENTAMENTO);
    EXPECT_EQ(m.celle[7].tipo, CELLA_PREAVVISO_RALLENTAMENTO);
    EXPECT_EQ(m.celle[7].dato2, 0);  // no d_v
}

// An end cell that is not after the start cell would leave a start that
// nothing ends: code 19, and no cell of the slowdown written.
TEST(MemoRallentamento, EndNotAfterTheStartIsRefused) {
    const int32_t lunghezze[] = {0, 24, -50, -3000};  // 24 m still rounds to the start cell; 26 m does not
    for (int32_t l : lunghezze) {
        SCOPED_TRACE(l);
        Modello m = modello();
        EXPECT_EQ(memo_rallentamento(m, 21200, 60, l, 1, 1, 60), 19);
        for (int i = 0; i <= m.ultima_cella(); ++i) ASSERT_EQ(m.celle[i].tipo, CELLA_LIBERA) << i;
    }
    Modello m = modello();
    EXPECT_EQ(memo_rallentamento(m, 21200, 60, 26, 1, 0, 60), 0);
    EXPECT_EQ(m.celle[426].tipo, CELLA_FINE_RALLENTAMENTO);
}

struct CasoProgressive {
    std::array<int32_t, 9> ingresso;  // tre, due, uno
    std::array<int32_t, 9> uscita;    // records 81, 82, 83
};

TEST(ProgressiveOrdina, OrdersAndLengthens) {
    const CasoProgressive casi[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {{5000, 200, 1, 0, 0, 0, 3000, 750, 0}, {5000, 300, 1, 3000, 750, 0, 0, 0, 0}},
        {{4000, 50, 0, 4000, 100, 0, 100, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {{100, 50, 0, 900, 50, 0, 100, 50, 1}, {900, 50, 0, 100, 150, 1, 100, 50, 0}},
        {{0, 150, 1, 0, 200, 0, 0, 0, 0}, {0, 200, 0, 0, 250, 1, 0, 0, 0}},
        {{-500, 100, 2, 500, 0, -1, 0, 0, 0}, {-500, 100, 2, 500, 0, -1, 0, 0, 0}},
    };
    for (const auto& caso : casi) {
        TabellaOggetti o{};
        for (int k = 0; k < 3; ++k) {
            o[81 + k].inizio = caso.ingresso[3 * k];
            o[81 + k].fine = caso.ingresso[3 * k + 1];
            o[81 + k].posizione = caso.ingresso[3 * k + 2];
            o[81 + k].nome.assign(1, 'n');
        }
        progressive_ordina(o);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(o[81 + k].inizio, caso.uscita[3 * k]) << caso.ingresso[0] << " record " << 81 + k;
            EXPECT_EQ(o[81 + k].fine, caso.uscita[3 * k + 1]) << caso.ingresso[0] << " record " << 81 + k;
            EXPECT_EQ(o[81 + k].posizione, caso.uscita[3 * k + 2]) << caso.ingresso[0] << " record " << 81 + k;
            EXPECT_EQ(o[81 + k].nome, "n");
        }
    }
}

}  // namespace
}  // namespace compattatore
