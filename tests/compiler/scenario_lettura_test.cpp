// Reading the scenario's own description files, as the normal run writes them.
#include <gtest/gtest.h>

#include <cmath>

#include "compiler/cartella_prova.h"
#include "compiler/memorizza_dati.h"
#include "compiler/nomi_file.h"
#include "compiler/tracciato.h"
#include "run/scenario.h"
#include "writers/documenti.h"

namespace compattatore {
namespace {

class ScenarioLetto : public ::testing::Test {
protected:
    void SetUp() override {
        dati_linea(cartella.dir(), CHIAVE_LINEA);
        dati_treno(cartella.dir(), CHIAVE_LINEA, CHIAVE_TRENO);
        m.stato.chiave_linea = CHIAVE_LINEA;
        m.stato.chiave_treno = CHIAVE_TRENO;
        m.stato.crea_tracciato = 1;
        memorizza_dati(m, {cartella.file(nome_descrizione_linea(CHIAVE_LINEA)),
                           cartella.file(nome_descrizione_treno(CHIAVE_LINEA, CHIAVE_TRENO)), true});
    }
    prova::CartellaProva cartella;
    Modello m;
};

TEST_F(ScenarioLetto, FillsTheModelAndDeletesBothFiles) {
    EXPECT_EQ(m.stato.codice_errore, 0) << m.stato.dettaglio.motivo;
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

}  // namespace
}  // namespace compattatore
