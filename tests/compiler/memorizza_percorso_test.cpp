#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include "format/file_binari.h"
#include "support/cartella_temporanea.h"
#include "support/modello_prova.h"

namespace compattatore {
namespace {

OpzioniScrittura opzioni(bool scrivi, bool forza) {
    OpzioniScrittura o;
    o.scrivi = scrivi;
    o.forza = forza;
    return o;
}

EsitoPercorso esito_con(int32_t lettura, int32_t finitura, int32_t riservato) {
    EsitoPercorso e;
    e.codice_lettura = lettura;
    if (finitura != 0) e.avvisi.push_back({finitura, 30, 30});
    e.codice_riservato = riservato;
    e.celle_create = true;
    return e;
}

TEST(CompletaPercorso, FinishesThenStampsTheReservedFields) {
    Modello m = prova::modello_vuoto(100);
    prova::posa(m, {{30, CELLA_INIZIO_RALLENTAMENTO, 120}, {40, CELLA_FINE_RALLENTAMENTO}});

    EsitoPercorso esito = completa_percorso(m);

    EXPECT_TRUE(esito.celle_create);
    EXPECT_EQ(esito.codice_lettura, 0);
    EXPECT_TRUE(esito.avvisi.empty());
    EXPECT_EQ(esito.codice_riservato, 0);
    EXPECT_EQ(m.celle[25].tipo, CELLA_ABBATTIMENTO);
    EXPECT_EQ(m.oggetti[OGGETTO_LINEA].valori[0], 610);
    EXPECT_EQ(m.oggetti[OGGETTO_LINEA].orario, 32113);
    EXPECT_EQ(m.celle[1].dato1, 5121);
    EXPECT_EQ(m.celle[1].dato2, 2266);
    // Bytes 16..17 of the cell file: 01 14.
    EXPECT_EQ(codifica_celle(m.celle).substr(16, 2), std::string("\x01\x14", 2));
}

TEST(CompletaPercorso, ReservedFieldAlreadySet) {
    struct Caso {
        const char* nome;
        void (*imposta)(Modello&);
        int32_t codice;
        bool primo_timbro;  // 610 / 5121 already stamped when it stops
    };
    const Caso casi[] = {
        {"valori[0] of record 85", [](Modello& m) { m.oggetti[OGGETTO_LINEA].valori[0] = 1; }, 1250, false},
        {"dato1 of cell 1 (a board at 0 m)", [](Modello& m) { m.celle[1].dato1 = 2100; }, 1250, false},
        {"orario of record 85", [](Modello& m) { m.oggetti[OGGETTO_LINEA].orario = 60; }, 1251, true},
        {"dato2 of cell 1", [](Modello& m) { m.celle[1].dato2 = -1; }, 1251, true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Modello m = prova::modello_vuoto(100);
        c.imposta(m);
        EsitoPercorso esito = completa_percorso(m);
        EXPECT_EQ(esito.codice_riservato, c.codice);
        EXPECT_EQ(m.celle[1].dato1 == 5121, c.primo_timbro);
        EXPECT_FALSE(da_scrivere(esito, opzioni(true, true)));
    }
}

TEST(CompletaPercorso, KeepsTheReadingCodeApartFromTheWarnings) {
    // A reading error (17) followed by a finishing warning (12): the warning
    // must not hide the error, as the single code of the model would.
    Modello m = prova::modello_vuoto(100);
    m.stato.codice_errore = 17;
    m.stato.posizione_errore = 21200;
    prova::posa(m, {{23, CELLA_INDICATORE_VMAX},
                    {24, CELLA_INDICATORE_VMAX},
                    {25, CELLA_INDICATORE_VMAX},
                    {30, CELLA_INIZIO_RALLENTAMENTO, 120},
                    {40, CELLA_FINE_RALLENTAMENTO}});

    EsitoPercorso esito = completa_percorso(m);

    EXPECT_EQ(esito.codice_lettura, 17);
    EXPECT_EQ(esito.posizione_lettura, 21200);
    EXPECT_EQ(esito.avvisi, (std::vector<AvvisoFinitura>{{12, 30, 30}}));
    EXPECT_EQ(m.stato.posizione_errore, 1500);
    EXPECT_EQ(m.stato.codice_errore, 12);  // the model keeps the last code
    EXPECT_FALSE(da_scrivere(esito, {}));
    EXPECT_TRUE(da_scrivere(esito, opzioni(true, true)));
}

TEST(CompletaPercorso, WithoutCellsNothingRunsAndTheCodeStays) {
    const struct {
        int32_t codice;
        int32_t atteso;
    } casi[] = {{101, 101}, {1, 1}, {25, 25}, {0, 25}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.codice);
        Modello m;
        m.stato.codice_errore = c.codice;
        EsitoPercorso esito = completa_percorso(m);
        EXPECT_FALSE(esito.celle_create);
        EXPECT_EQ(esito.codice_lettura, c.atteso);
        EXPECT_EQ(m.oggetti[OGGETTO_LINEA].valori[0], 0);
        EXPECT_FALSE(da_scrivere(esito, opzioni(true, true)));
    }
}

TEST(DaScrivere, OnlyWarningsOrForceLetTheFilesGo) {
    const struct {
        const char* nome;
        EsitoPercorso esito;
        OpzioniScrittura opzioni;
        bool atteso;
    } casi[] = {
        {"clean", esito_con(0, 0, 0), opzioni(true, false), true},
        {"warning", esito_con(0, 13, 0), opzioni(true, false), true},
        {"reading error", esito_con(15, 0, 0), opzioni(true, false), false},
        {"reading error, forced", esito_con(15, 0, 0), opzioni(true, true), true},
        {"check only", esito_con(0, 0, 0), opzioni(false, false), false},
        {"reserved field, forced", esito_con(0, 0, 1251), opzioni(true, true), false},
    };
    for (const auto& c : casi) EXPECT_EQ(da_scrivere(c.esito, c.opzioni), c.atteso) << c.nome;
}

TEST(ScriviFileBinari, WritesTheThreeFilesInOrder) {
    prova::CartellaTemporanea dir;
    Modello m = prova::modello_vuoto(140, "Linea", "T1");
    m.stato.crea_tracciato = 1;
    m.tracciato = TrattiTracciato(2);
    m.tracciato.avvia();
    dir.scrivi("Linea_T1.dat", std::string(5000, 'x'));  // an older, longer file

    auto scritti = scrivi_file_binari(m, dir.str());

    EXPECT_EQ(scritti, (std::vector<std::string>{dir.file("Linea_linea.dat"), dir.file("Linea_T1.sim"),
                                                 dir.file("Linea_T1.dat")}));
    EXPECT_EQ(dir.leggi("Linea_linea.dat"), codifica_tracciato(m.tracciato));
    EXPECT_EQ(dir.leggi("Linea_T1.sim"), codifica_oggetti(m.oggetti));
    EXPECT_EQ(dir.leggi("Linea_T1.dat").size(), 2115u);
}

TEST(ScriviFileBinari, WithoutThePlanAnOldPlanFileStays) {
    prova::CartellaTemporanea dir;
    Modello m = prova::modello_vuoto(140, "Linea", "T1");
    dir.scrivi("Linea_linea.dat", "old plan");

    auto scritti = scrivi_file_binari(m, dir.str());

    EXPECT_EQ(scritti.size(), 2u);
    EXPECT_EQ(dir.leggi("Linea_linea.dat"), "old plan");
    EXPECT_TRUE(dir.esiste("Linea_T1.sim"));
}

}  // namespace
}  // namespace compattatore
