#include "cli/segnalazione.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "cli/errore.h"
#include "compiler/codici_errore.h"
#include "support/interfaccia_registrata.h"

namespace compattatore {
namespace {

TEST(Errore, ShowsTheCodeAfterTheFixedPrefixAndEndsWithStatusOne) {
    prova::InterfacciaRegistrata ui;
    EXPECT_EQ(errore(ui, "1251"), 1);
    EXPECT_EQ(ui.messaggi, std::vector<std::string>{" Errore n. 1251"});
}

TEST(CodiciErrore, EveryCodeHasAMeaningAndOnlyTheFinishingCodesWarn) {
    for (int32_t c : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,   15,
                      16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103, 1250, 1251}) {
        auto voce = voce_codice(c);
        ASSERT_TRUE(voce) << c;
        EXPECT_FALSE(voce->significato.empty()) << c;
        EXPECT_EQ(voce->livello == Livello::avviso, c >= 11 && c <= 13) << c;
        EXPECT_EQ(voce->riservato, c >= 1250) << c;
    }
    for (int32_t c : {0, 14, 23, 26, 1249}) EXPECT_FALSE(voce_codice(c)) << c;
}

Diagnostica registrata(int32_t codice, std::optional<int32_t> posizione, std::string file = {}, Luogo luogo = {},
                       std::string motivo = {}) {
    Diagnostica d = crea_diagnostica(codice, std::move(file), luogo, std::move(motivo));
    d.posizione = posizione;
    return d;
}

TEST(TestoCodiceRegistrato, WholeMessages) {
    Diagnostica finitura = registrata(12, 1500);
    finitura.cella = 31;
    const struct {
        Diagnostica d;
        const char* atteso;
    } casi[] = {
        {registrata(17, 21200),
         " Errore n. 17: a slowdown's warning point (1200 m before it) falls on a cell that is not free, at 21200 m"},
        {registrata(101, {}), " Errore n. 101: the line description file does not exist"},
        {finitura,
         " Avviso n. 12: no free cell for a code cell before a slowdown start, at 1500 m (cell 31, 1550-1600 m)"},
        {registrata(25, {}, "dir/L_linea.txt", {12, 5}, "pendenza: malformed number"),
         " Errore n. 25: a description file could not be read: pendenza: malformed number (dir/L_linea.txt:12:5)"},
        {registrata(25, {}, "dir/L_T-.txt", {}, "no such file"),
         " Errore n. 25: a description file could not be read: no such file (dir/L_T-.txt)"},
        {registrata(101, {}, "dir/L_linea.txt", {}, "the line description file does not exist"),
         " Errore n. 101: the line description file does not exist (dir/L_linea.txt)"},
        {registrata(999, {}), " Errore n. 999: unknown error"},
    };
    for (const auto& c : casi) EXPECT_EQ(testo_codice_registrato(c.d), c.atteso);
}

TEST(SegnalaErroreFile, NumberOperationFileAndReason) {
    prova::InterfacciaRegistrata ui;
    segnala_errore_file(ui, piattaforma::ErroreFile("cannot create", "dir/L_linea.txt", ENOENT));
    EXPECT_EQ(ui.messaggi,
              std::vector<std::string>{"Errore: cannot create dir/L_linea.txt: No such file or directory"});
}

ElencoDiagnostiche esito_con(std::vector<Diagnostica> voci) {
    ElencoDiagnostiche e;
    for (Diagnostica& d : voci) e.aggiungi(std::move(d));
    return e;
}

TEST(SegnalaEsito, ReportsInOrderAndGivesTheExitStatus) {
    const std::string lettura = " Errore n. 16: a signal falls on a cell that is not free, at 300 m";
    const std::string avviso = " Avviso n. 12: no free cell for a code cell before a slowdown start, at 1500 m";
    const std::string avviso_13 =
        " Avviso n. 13: no free cell for a code cell inside a slowdown or before the signal after it, at 2000 m";
    const Diagnostica errore_16 = registrata(16, 300), avviso_12 = registrata(12, 1500),
                      avviso_13d = registrata(13, 2000);
    const Diagnostica scartato = crea_avviso(AVVISO_RECORD_SCONOSCIUTO, "t.txt", {1, 1}, "'x' is skipped");
    const struct {
        const char* nome;
        ElencoDiagnostiche esito;
        std::vector<std::string> messaggi;
        int stato;
    } casi[] = {
        {"clean", esito_con({}), {}, 0},
        {"warning only", esito_con({avviso_12}), {avviso}, 0},
        {"every warning, in order", esito_con({avviso_12, avviso_13d}), {avviso, avviso_13}, 0},
        {"the reader's own warnings are not shown", esito_con({scartato}), {}, 0},
        {"reading error", esito_con({errore_16}), {lettura}, 1},
        {"no cell array",
         esito_con({registrata(101, {})}),
         {" Errore n. 101: the line description file does not exist"},
         1},
        {"reserved field", esito_con({avviso_12, registrata(1250, {})}), {avviso, " Errore n. 1250"}, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        prova::InterfacciaRegistrata ui;
        EXPECT_EQ(segnala_esito(ui, c.esito), c.stato);
        EXPECT_EQ(ui.messaggi, c.messaggi);
    }
}

}  // namespace
}  // namespace compattatore
