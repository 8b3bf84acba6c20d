#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "compiler/finitura.h"
#include "format/file_binari.h"
#include "support/cartella_temporanea.h"
#include "support/diagnostiche_prova.h"
#include "support/modello_prova.h"

namespace compattatore {
namespace {

OpzioniScrittura opzioni(bool scrivi, bool forza) {
    OpzioniScrittura o;
    o.scrivi = scrivi;
    o.forza = forza;
    return o;
}

// The stages after reading on a model built by hand, after a reading that
// found `lette`.
Compilazione completata(Modello m, const std::vector<Diagnostica>& lette = {}) {
    Compilazione c;
    c.modello = std::move(m);
    EsitoLettura letto;
    for (const Diagnostica& d : lette) letto.diagnostiche.aggiungi(d);
    completa_compilazione(c, std::move(letto));
    return c;
}

Diagnostica letta(int32_t codice, std::optional<int32_t> posizione = std::nullopt) {
    Diagnostica d = crea_diagnostica(codice, "L_linea.txt", {3, 1}, "");
    d.posizione = posizione;
    return d;
}

// A model with cells whose outcome lists these codes.
Compilazione esito_con(int32_t lettura, int32_t finitura, int32_t riservato) {
    Compilazione c;
    c.modello.celle.resize(2);
    for (int32_t codice : {lettura, finitura, riservato})
        if (codice != 0) c.diagnostiche.aggiungi(crea_diagnostica(codice, {}, {}, {}));
    return c;
}

TEST(CompletaCompilazione, FinishesThenStampsTheReservedFields) {
    Modello m = prova::modello_vuoto(100);
    prova::posa(m, {{30, CELLA_INIZIO_RALLENTAMENTO, 120}, {40, CELLA_FINE_RALLENTAMENTO}});

    const Compilazione c = completata(std::move(m));

    EXPECT_TRUE(c.diagnostiche.voci().empty());  // no reading code, no warning, no reserved field
    EXPECT_EQ(c.modello.celle[25].tipo, CELLA_ABBATTIMENTO);
    EXPECT_EQ(c.modello.oggetti[OGGETTO_LINEA].valori[0], 610);
    EXPECT_EQ(c.modello.oggetti[OGGETTO_LINEA].orario, 32113);
    EXPECT_EQ(c.modello.celle[1].dato1, 5121);
    EXPECT_EQ(c.modello.celle[1].dato2, 2266);
    // Bytes 16..17 of the cell file: 01 14.
    EXPECT_EQ(codifica_celle(c.modello.celle).substr(16, 2), std::string("\x01\x14", 2));
}

TEST(CompletaCompilazione, ReservedFieldAlreadySet) {
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
        const Compilazione esito = completata(std::move(m));
        EXPECT_EQ(codice_riservato(esito.diagnostiche), c.codice);
        EXPECT_EQ(esito.modello.celle[1].dato1 == 5121, c.primo_timbro);
        EXPECT_FALSE(da_scrivere(esito, opzioni(true, true)));
    }
}

TEST(CompletaCompilazione, KeepsTheReadingCodeApartFromTheWarnings) {
    // A reading error (17) and a model on which the finishing pass meets a
    // code 12: the warning must not hide the error.
    Modello m = prova::modello_vuoto(100);
    prova::posa(m, {{23, CELLA_INDICATORE_VMAX},
                    {24, CELLA_INDICATORE_VMAX},
                    {25, CELLA_INDICATORE_VMAX},
                    {30, CELLA_INIZIO_RALLENTAMENTO, 120},
                    {40, CELLA_FINE_RALLENTAMENTO}});
    Modello copia = m;
    ASSERT_EQ(rifinisci_celle(copia), (std::vector<AvvisoFinitura>{{12, 30, 30}}));

    const Compilazione esito = completata(std::move(m), {letta(17, 21200)});

    EXPECT_EQ(prova::codice_lettura(esito.diagnostiche), 17);
    EXPECT_EQ(codice_registrato(esito.diagnostiche), (CodiceRegistrato{17, 21200}));
    EXPECT_TRUE(prova::codici_finitura(esito.diagnostiche).empty());
    EXPECT_FALSE(da_scrivere(esito, {}));
    EXPECT_TRUE(da_scrivere(esito, opzioni(true, true)));
}

TEST(CompletaCompilazione, WithoutCellsNothingRunsAndTheCodeStays) {
    const struct {
        int32_t codice;
        int32_t atteso;
    } casi[] = {{101, 101}, {1, 1}, {25, 25}, {0, 25}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.codice);
        std::vector<Diagnostica> lette;
        if (c.codice != 0) lette.push_back(letta(c.codice));
        const Compilazione esito = completata(Modello{}, lette);
        EXPECT_TRUE(esito.modello.celle.empty());
        EXPECT_EQ(prova::codice_lettura(esito.diagnostiche), c.atteso);
        EXPECT_EQ(esito.modello.oggetti[OGGETTO_LINEA].valori[0], 0);
        EXPECT_FALSE(da_scrivere(esito, opzioni(true, true)));
    }
}

TEST(DaScrivere, OnlyWarningsOrForceLetTheFilesGo) {
    const struct {
        const char* nome;
        Compilazione esito;
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
