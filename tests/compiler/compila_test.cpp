// The one compile entry and the codes asked of its list of diagnostics.
#include "compiler/compila.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compiler/codici_errore.h"
#include "compiler/lettura_prova.h"
#include "compiler/memorizza_percorso.h"

namespace compattatore {
namespace {

using prova::linea_con;
using prova::treno_con;

Compilazione compila_testi(const std::string& linea, const std::string& treno) {
    return compila({prova::LINEA_PROVA, prova::TRENO_PROVA, linea, treno},
                   {.chiave_linea = "L", .chiave_treno = "T", .crea_tracciato = 1, .lettura = {}});
}

const std::string SEGNALE_3800 = "segnale, 3800, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";
// Boards on the three cells of the window 5 to 7 cells before a slowdown
// starting at 1500 m: no free cell for its code there (code 12).
const std::string FINESTRA_PIENA =
    "indicatori_vmax, 1150, 100, 100, 100, 0, , , , 0\r\n"
    "indicatori_vmax, 1200, 100, 100, 100, 0, , , , 0\r\n"
    "indicatori_vmax, 1250, 100, 100, 100, 0, , , , 0\r\n";
const std::string RALLENTAMENTO_1500 = "rallentamento, 1500, 120, 500, 1, 0, 60\r\n";

// What a normal run recorded for each kind of outcome, asked of the list.
TEST(CodiceRegistrato, IsWhatTheRunRecords) {
    const struct {
        const char* nome;
        std::string linea, treno;
        CodiceRegistrato atteso;
        std::optional<int32_t> riservato;
        bool scritto;  // by a run that is not forced
    } casi[] = {
        {"clean", linea_con(""), treno_con(""), {0, 0}, std::nullopt, true},
        {"reading error", linea_con(""), treno_con(SEGNALE_3800 + SEGNALE_3800), {16, 3800}, std::nullopt, false},
        // A code 15 ends only the line file: the train file's error follows it and is the one recorded.
        {"code 15, then a train error",
         linea_con("pendenza, 16950, 2\r\n"),
         treno_con(SEGNALE_3800 + SEGNALE_3800),
         {16, 3800},
         std::nullopt,
         false},
        // At the start of the cell the code concerns: 1500 m lands in cell 31.
        {"finishing warning after a clean reading",
         linea_con(FINESTRA_PIENA),
         treno_con(RALLENTAMENTO_1500),
         {12, 1550},
         std::nullopt,
         true},
        {"reserved field",
         linea_con("indicatori_vmax,  0,  105,  115,  120,  0,  ,  ,  ,  0\r\n"),
         treno_con(""),
         {0, 0},
         1250,
         false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const Compilazione esito = compila_testi(c.linea, c.treno);
        EXPECT_EQ(codice_registrato(esito.diagnostiche), c.atteso) << prova::primo_errore(esito.diagnostiche).motivo;
        EXPECT_EQ(codice_riservato(esito.diagnostiche), c.riservato);
        EXPECT_EQ(da_scrivere(esito, {}), c.scritto);
    }
}

// A forced model is written with the finishing pass's effect even after a
// reading error, so its warnings are reported then too, each with a note
// that it may follow from the errors; the code recorded stays the
// reading's. Unforced, nothing is written and they are left out.
TEST(CodiceRegistrato, FinishingWarningsAfterAReadingErrorOnlyWhenForced) {
    const std::string linea = linea_con(FINESTRA_PIENA);
    const std::string treno = treno_con(RALLENTAMENTO_1500 + SEGNALE_3800 + SEGNALE_3800);
    for (const bool tutti : {false, true})
        for (const bool forza : {false, true}) {
            SCOPED_TRACE(std::string(tutti ? "every error" : "first error") + (forza ? ", forced" : ""));
            const Compilazione esito = compila({prova::LINEA_PROVA, prova::TRENO_PROVA, linea, treno},
                                               {.chiave_linea = "L",
                                                .chiave_treno = "T",
                                                .crea_tracciato = 1,
                                                .lettura = {.tutti_gli_errori = tutti, .massimo_errori = 0},
                                                .forza = forza});
            std::vector<const Diagnostica*> finitura;
            for (const Diagnostica& d : esito.diagnostiche.voci())
                if (d.codice == AVVISO_FINESTRA_INIZIO) finitura.push_back(&d);
            ASSERT_EQ(finitura.size(), forza ? 1u : 0u);
            EXPECT_EQ(codice_registrato(esito.diagnostiche), (CodiceRegistrato{16, 3800}));
            if (!forza) continue;
            EXPECT_EQ(finitura[0]->livello, Livello::avviso);
            EXPECT_EQ(finitura[0]->cella, 31);
            ASSERT_EQ(finitura[0]->note.size(), 1u);
            EXPECT_NE(finitura[0]->note[0].testo.find("may follow from the errors above"), std::string::npos);
        }
}

TEST(CodiceRegistrato, TheLastCodeWinsAndAPositionStaysUntilAnotherIsGiven) {
    ElencoDiagnostiche d;
    Diagnostica a = crea_diagnostica(ERRORE_SEGNALE_OCCUPATO, "t.txt", {}, "");
    a.posizione = 3800;
    d.aggiungi(a);
    d.aggiungi(crea_avviso(AVVISO_RECORD_SCONOSCIUTO, "t.txt", {2, 1}, "skipped"));  // no code: not recorded
    d.aggiungi(crea_diagnostica(ERRORE_LETTURA, "t.txt", {}, "no position"));
    EXPECT_EQ(codice_registrato(d), (CodiceRegistrato{ERRORE_LETTURA, 3800}));
    d.aggiungi(crea_diagnostica(ERRORE_CAMPO_RISERVATO_DUE, {}, {}, {}));  // shown apart, never recorded
    EXPECT_EQ(codice_registrato(d), (CodiceRegistrato{ERRORE_LETTURA, 3800}));
    EXPECT_EQ(codice_riservato(d), ERRORE_CAMPO_RISERVATO_DUE);
}

// A diagnostic takes its severity from the code table; one without a code
// has none, whatever it says.
TEST(CreaDiagnostica, SeverityComesFromTheTable) {
    EXPECT_EQ(crea_diagnostica(AVVISO_CODICE_INTERNO, {}, {}, {}).livello, Livello::avviso);
    EXPECT_EQ(crea_diagnostica(ERRORE_CURVA, {}, {}, {}).livello, Livello::errore);
    EXPECT_EQ(crea_diagnostica(ERRORE_CAMPO_RISERVATO_UNO, {}, {}, {}).livello, Livello::errore);
    EXPECT_EQ(crea_diagnostica(999, {}, {}, {}).livello, Livello::errore);
    const Diagnostica avviso = crea_avviso(AVVISO_OLTRE_LINEA, "t.txt", {}, "why");
    const Diagnostica messaggio = crea_messaggio("t.txt", {}, "why");
    EXPECT_FALSE(avviso.codice);
    EXPECT_EQ(avviso.livello, Livello::avviso);
    EXPECT_FALSE(messaggio.codice);
    EXPECT_TRUE(messaggio.gruppo.empty());
    EXPECT_EQ(messaggio.livello, Livello::errore);
}

// A reserved field found once the list is full is not reported, but the
// files still may not be written, even when forced.
TEST(CompilaInMemoria, AReservedFieldPastAFullListStillStopsTheWriting) {
    const std::string treno = treno_con(SEGNALE_3800 + SEGNALE_3800 + SEGNALE_3800);
    const Compilazione esito = compila({prova::LINEA_PROVA, prova::TRENO_PROVA,
                                        linea_con("indicatori_vmax,  0,  105,  115,  120,  0,  ,  ,  ,  0\r\n"), treno},
                                       {.chiave_linea = "L",
                                        .chiave_treno = "T",
                                        .crea_tracciato = 1,
                                        .lettura = {.tutti_gli_errori = true, .massimo_errori = 1}});
    ASSERT_TRUE(esito.diagnostiche.troppi());
    for (const Diagnostica& d : esito.diagnostiche.voci()) EXPECT_NE(d.codice, ERRORE_CAMPO_RISERVATO_UNO);
    EXPECT_EQ(codice_riservato(esito.diagnostiche), ERRORE_CAMPO_RISERVATO_UNO);
    EXPECT_FALSE(da_scrivere(esito, {.directory = "", .scrivi = true, .forza = true, .sincronizza = false}));
}

}  // namespace
}  // namespace compattatore
