#include "run/segnalazione.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "run/codici_errore.h"
#include "run/errore.h"
#include "support/interfaccia_registrata.h"

namespace compattatore {
namespace {

TEST(Errore, ShowsTheCodeAfterTheFixedPrefixAndEndsWithStatusOne) {
    prova::InterfacciaRegistrata ui;
    EXPECT_EQ(errore(ui, "1251"), 1);
    EXPECT_EQ(ui.messaggi, std::vector<std::string>{" Errore n. 1251"});
}

TEST(CodiciErrore, EveryCodeHasAMeaningAndOnlyTheFinishingCodesWarn) {
    for (int32_t c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103,
                      1250, 1251}) {
        auto voce = voce_codice(c);
        ASSERT_TRUE(voce) << c;
        EXPECT_FALSE(voce->significato.empty()) << c;
        EXPECT_EQ(e_avviso(c), c >= 11 && c <= 13) << c;
    }
    for (int32_t c : {0, 14, 23, 26, 1249}) EXPECT_FALSE(voce_codice(c)) << c;
}

TEST(TestoCodiceRegistrato, WholeMessages) {
    const struct {
        int32_t codice, posizione;
        DettaglioErrore dettaglio;
        const char* atteso;
    } casi[] = {
        {17, 21200, {}, " Errore n. 17: a slowdown's warning point (1200 m before it) falls on a cell that is not free, at 21200 m"},
        {101, 7, {}, " Errore n. 101: the line description file does not exist"},
        {12, 1500, {}, " Avviso n. 12: no free cell for a code cell before a slowdown start, at 1500 m"},
        {25, 0, {"dir/L_linea.txt", 12, 5, "pendenza: malformed number"},
         " Errore n. 25: a description file could not be read: pendenza: malformed number (dir/L_linea.txt:12:5)"},
        {25, 0, {"dir/L_T-.txt", 0, 0, "no such file"},
         " Errore n. 25: a description file could not be read: no such file (dir/L_T-.txt)"},
        {101, 0, {"dir/L_linea.txt", 0, 0, "the line description file does not exist"},
         " Errore n. 101: the line description file does not exist (dir/L_linea.txt)"},
        {999, 0, {}, " Errore n. 999: unknown error"},
    };
    for (const auto& c : casi) EXPECT_EQ(testo_codice_registrato(c.codice, c.posizione, c.dettaglio), c.atteso);
}

TEST(SegnalaErroreFile, NumberOperationFileAndTheSystemsWords) {
    prova::InterfacciaRegistrata ui;
    segnala_errore_file(ui, piattaforma::ErroreFile("cannot create", "dir/L_linea.txt", ENOENT));
    EXPECT_EQ(ui.messaggi, std::vector<std::string>{"Errore: cannot create dir/L_linea.txt: No such file or directory"});
}

EsitoPercorso esito_con(int32_t lettura, std::vector<AvvisoFinitura> avvisi, int32_t riservato, bool celle = true) {
    EsitoPercorso e;
    e.codice_lettura = lettura;
    e.posizione_lettura = 300;
    e.avvisi = std::move(avvisi);
    e.codice_riservato = riservato;
    e.celle_create = celle;
    return e;
}

TEST(SegnalaEsito, ReportsInOrderAndGivesTheExitStatus) {
    const std::string lettura = " Errore n. 16: a signal falls on a cell that is not free, at 300 m";
    const std::string avviso = " Avviso n. 12: no free cell for a code cell before a slowdown start, at 1500 m";
    const std::string avviso_13 =
        " Avviso n. 13: no free cell for a code cell inside a slowdown or before the signal after it, at 2000 m";
    const std::vector<AvvisoFinitura> uno{{12, 30}};
    const struct {
        const char* nome;
        EsitoPercorso esito;
        std::vector<std::string> messaggi;
        int stato;
    } casi[] = {
        {"clean", esito_con(0, {}, 0), {}, 0},
        {"warning only", esito_con(0, uno, 0), {avviso}, 0},
        {"every warning, in order", esito_con(0, {{12, 30}, {13, 40}}, 0), {avviso, avviso_13}, 0},
        {"reading error", esito_con(16, {}, 0), {lettura}, 1},
        {"reading error and warning", esito_con(16, uno, 0), {lettura, avviso}, 1},
        {"no cell array", esito_con(101, {}, 0, false), {" Errore n. 101: the line description file does not exist"}, 1},
        {"reserved field", esito_con(0, uno, 1250), {avviso, " Errore n. 1250"}, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        prova::InterfacciaRegistrata ui;
        EXPECT_EQ(segnala_esito(ui, c.esito, StatoPercorso{}), c.stato);
        EXPECT_EQ(ui.messaggi, c.messaggi);
    }
}

}  // namespace
}  // namespace compattatore
