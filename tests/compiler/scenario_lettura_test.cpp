// Reading the scenario's own description files, as the normal run writes them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "cli/scenario.h"
#include "compiler/compila.h"
#include "compiler/descrizioni_file.h"
#include "compiler/memorizza_dati.h"
#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "model/tracciato.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"

namespace compattatore {
namespace {

class ScenarioLetto : public ::testing::Test {
protected:
    void SetUp() override {
        dati_linea(cartella.str(), CHIAVE_LINEA);
        dati_treno(cartella.str(), CHIAVE_LINEA, CHIAVE_TRENO);
        m.stato.chiave_linea = CHIAVE_LINEA;
        m.stato.chiave_treno = CHIAVE_TRENO;
        m.stato.crea_tracciato = 1;
        letto = memorizza_dati_da_file(m, {cartella.file(nome_descrizione_linea(CHIAVE_LINEA)),
                                           cartella.file(nome_descrizione_treno(CHIAVE_LINEA, CHIAVE_TRENO))});
    }
    prova::CartellaTemporanea cartella;
    Modello m;
    EsitoLettura letto;
};

TEST_F(ScenarioLetto, FillsTheModelAndDeletesBothFiles) {
    EXPECT_EQ(codice_registrato(letto.diagnostiche).codice, 0);
    EXPECT_FALSE(cartella.esiste(nome_descrizione_linea(CHIAVE_LINEA)));
    EXPECT_FALSE(cartella.esiste(nome_descrizione_treno(CHIAVE_LINEA, CHIAVE_TRENO)));
    ASSERT_EQ(m.celle.size(), 2081u);
    EXPECT_EQ(m.tracciato.size(), 104001u);

    const Oggetto& treno = m.oggetti[OGGETTO_TRENO];
    EXPECT_EQ(treno.inizio, 1050);
    EXPECT_EQ(treno.fine, 95500);
    EXPECT_EQ(treno.posizione, 4);
    EXPECT_EQ(treno.nome, CHIAVE_TRENO);
    EXPECT_EQ(m.oggetti[OGGETTO_LINEA].nome, CHIAVE_LINEA);
    EXPECT_EQ(m.oggetti[OGGETTO_DIMENSIONI].fine, 97000);
}

TEST_F(ScenarioLetto, StationsTakeRecordsOneToSixteen) {
    for (int j = 1; j <= 16; ++j) EXPECT_FALSE(m.oggetti[j].nome.empty()) << j;
    EXPECT_TRUE(m.oggetti[17].nome.empty());
    const Oggetto& prima = m.oggetti[1];
    EXPECT_EQ(prima.nome, "FIRENZE S.M.N.");
    EXPECT_EQ(prima.inizio, -500);
    EXPECT_EQ(prima.fine, 500);
    EXPECT_EQ(prima.orario, 69000);
    EXPECT_EQ(m.celle[9].tipo, CELLA_FERMATA);
    EXPECT_EQ(m.celle[9].dato1, 1);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(m.celle[9 - k].codice, 80 + k) << k;
}

TEST_F(ScenarioLetto, PlacesTheSlowdownAndTheSign) {
    struct Atteso {
        size_t cella;
        uint8_t tipo;
    };
    for (auto [indice, tipo] : {Atteso{401, CELLA_AVVISO_RALLENTAMENTO}, Atteso{425, CELLA_INIZIO_RALLENTAMENTO},
                                Atteso{447, CELLA_FINE_RALLENTAMENTO}}) {
        EXPECT_EQ(m.celle[indice].tipo, tipo) << indice;
        EXPECT_EQ(m.celle[indice].dato1, 60) << indice;
    }
    EXPECT_EQ(m.celle[745].tipo, CELLA_CARTELLO);
    EXPECT_EQ(m.celle[745].dato1, 80);
    EXPECT_EQ(m.oggetti[80].nome, "(GALLERIA )(APPENNINO)(Km 18+510)");
}

int16_t parola(const std::string& b, size_t i) {
    return static_cast<int16_t>(static_cast<uint8_t>(b[i]) | static_cast<uint8_t>(b[i + 1]) << 8);
}

// The cell file of a finished run differs from what the reader leaves only in
// the cells the finishing pass adds: the stamps of cell 1 and the code cells
// (kind 12, 180) around the slowdown.
TEST_F(ScenarioLetto, CellsAreThoseOfTheFinishedRunBeforeFinishing) {
    const std::string finite = prova::dato_normale(prova::FILE_CELLE_NORMALE);
    ASSERT_EQ(finite.size(), 15 * m.celle.size());
    const std::set<size_t> aggiunte = {407, 414, 420, 433, 441};
    for (size_t i = 0; i < m.celle.size(); ++i) {
        const Cella& c = m.celle[i];
        const size_t b = 15 * i;
        if (aggiunte.count(i) != 0) {
            EXPECT_EQ(c.tipo, CELLA_LIBERA) << i;
            EXPECT_EQ(finite[b], CELLA_ABBATTIMENTO) << i;
        } else {
            EXPECT_EQ(c.tipo, static_cast<uint8_t>(finite[b])) << i;
            if (i != 1) {
                EXPECT_EQ(c.dato1, parola(finite, b + 1)) << i;
                EXPECT_EQ(c.dato2, parola(finite, b + 3)) << i;
            }
        }
        EXPECT_EQ(c.dato3, parola(finite, b + 5)) << i;
        EXPECT_EQ(c.dato4, parola(finite, b + 7)) << i;
        const uint8_t resto[] = {c.tempo, c.codice, c.montagna, c.vel_limite, c.pendenza, c.aderenza};
        for (size_t k = 0; k < 6; ++k) EXPECT_EQ(resto[k], static_cast<uint8_t>(finite[b + 9 + k])) << i << " " << k;
    }
}

// The first curve, "curvas2,  1000,  400": straight along +y up to row 1000,
// then turning left.
TEST_F(ScenarioLetto, PlanOfTheFirstCurve) {
    const Tracciato t = righe_tracciato(m.tracciato);
    EXPECT_EQ(t[0].y, ValoreEtichettato{int16_t{0}});
    EXPECT_EQ(t[1].y, ValoreEtichettato{int16_t{1}});
    for (size_t r = 2; r <= 1000; ++r) {
        ASSERT_EQ(t[r].x, ValoreEtichettato{0.0}) << r;
        ASSERT_EQ(t[r].y, ValoreEtichettato{static_cast<double>(r)}) << r;
    }
    for (size_t r = 1001; r <= 1400; ++r) ASSERT_LT(valore(t[r].x), 0.0) << r;
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t[103999].x));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t[104000].y));
    EXPECT_TRUE(std::holds_alternative<double>(t[103998].y));
}

// Each curved step is formed in extended precision and rounded once; the
// same recurrence in plain double arithmetic drifts from row 1003 on.
TEST_F(ScenarioLetto, CurvedStepsRoundOnce) {
    struct Riga {
        size_t r;
        double x, y;
    };
    const Riga attese[] = {
        {1003, -0x1.3a92a2e223f14p-10, 0x1.f57ffffea8671p+9},
        {1004, -0x1.0624dcd7249eep-9, 0x1.f5fffffca501bp+9},
        {1100, -0x1.028d382a779a9p+0, 0x1.12ff92c94d12ap+10},
        {1400, -0x1.008111da3507ep+4, 0x1.5de4b3beeaafdp+10},
    };
    const Tracciato t = righe_tracciato(m.tracciato);
    for (const Riga& a : attese) {
        EXPECT_EQ(t[a.r].x, ValoreEtichettato{a.x}) << a.r;
        EXPECT_EQ(t[a.r].y, ValoreEtichettato{a.y}) << a.r;
    }

    std::vector<double> x(1401, 0.0), y(1401);
    for (size_t r = 0; r <= 1000; ++r) y[r] = static_cast<double>(r);
    const double c = -0.0002;
    for (size_t r = 1001; r <= 1400; ++r) {
        double dx = x[r - 1] - x[r - 2], dy = y[r - 1] - y[r - 2];
        x[r] = x[r - 1] + (dx + c * dy);
        y[r] = y[r - 1] + (dy - c * dx);
    }
    for (const Riga& a : attese) EXPECT_NE(x[a.r], a.x) << a.r;
}

// The reader takes the texts in memory, as an author's compile gives them.
TEST(ScenarioAutore, TheTextsInMemoryWithoutThePlan) {
    prova::CartellaTemporanea cartella;
    dati_linea(cartella.str(), CHIAVE_LINEA);
    dati_treno(cartella.str(), CHIAVE_LINEA, CHIAVE_TRENO);
    const std::string linea = nome_descrizione_linea(CHIAVE_LINEA);
    const std::string treno = nome_descrizione_treno(CHIAVE_LINEA, CHIAVE_TRENO);
    Modello m;
    m.stato.chiave_linea = CHIAVE_LINEA;
    m.stato.chiave_treno = CHIAVE_TRENO;
    const EsitoLettura esito = memorizza_dati(m, {linea, treno, cartella.leggi(linea), cartella.leggi(treno)});
    EXPECT_EQ(codice_registrato(esito.diagnostiche).codice, 0);
    EXPECT_TRUE(esito.diagnostiche.voci().empty());
    EXPECT_TRUE(m.tracciato.empty());
    EXPECT_EQ(m.celle.size(), 2081u);
    EXPECT_EQ(esito.provenienze.segnali, 45);
    EXPECT_EQ(esito.provenienze.stazioni, 16);
}

}  // namespace
}  // namespace compattatore
