// init as an author meets it: the starting scenario it writes compiles into
// the normal run's own files, under any keys, and nothing is overwritten
// unless asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"
#include "support/sha256.h"

namespace compattatore {
namespace {

using prova::CartellaTemporanea;
using prova::esegui_programma;

TEST(Inizia, ItsFilesCompileIntoTheNormalRunsBinaryFiles) {
    CartellaTemporanea dir;
    const auto inizio = prova::esegui(PROGRAMMA, {"init"}, {}, dir.str());
    ASSERT_EQ(inizio.stato, 0) << inizio.errori;
    EXPECT_EQ(inizio.errori, "");
    // The description files are the normal run's, byte for byte.
    for (const char* nome : {"Corvale_Mendra_linea.txt", "Corvale_Mendra_4821-3-.txt"})
        EXPECT_EQ(dir.leggi(nome), prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/" + nome)) << nome;
    EXPECT_NE(inizio.uscita.find("compattatore compile Corvale_Mendra_linea.txt Corvale_Mendra_4821-3-.txt\n"),
              std::string::npos)
        << inizio.uscita;

    const auto compilato =
        prova::esegui(PROGRAMMA, {"compile", "Corvale_Mendra_linea.txt", "Corvale_Mendra_4821-3-.txt"}, {}, dir.str());
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;
    EXPECT_EQ(compilato.errori, "");
    EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_EQ(dir.leggi(prova::FILE_CELLE_NORMALE), prova::dato_normale(prova::FILE_CELLE_NORMALE));
    EXPECT_EQ(prova::sha256_hex(dir.leggi(prova::FILE_TRACCIATO_NORMALE)), prova::SHA256_TRACCIATO_NORMALE);
}

// Copies of the built-in train, each 15 minutes after the one before: the
// clock and the stations' times moved on, nothing else; the printed command
// compiles them all.
TEST(Inizia, ALineWithSeveralTrains) {
    CartellaTemporanea dir;
    const auto inizio = prova::esegui(PROGRAMMA, {"init", "--trains", "3"}, {}, dir.str());
    ASSERT_EQ(inizio.stato, 0) << inizio.errori;
    EXPECT_NE(
        inizio.uscita.find("wrote Corvale_Mendra_4821-3_3-.txt\ncompile them with:\n  compattatore compile --all .\n"),
        std::string::npos)
        << inizio.uscita;
    const std::string primo = prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/Corvale_Mendra_4821-3-.txt");
    EXPECT_EQ(dir.leggi("Corvale_Mendra_4821-3-.txt"), primo);
    std::string terzo = primo;
    for (const auto& [prima, dopo] :
         {std::pair<std::string, std::string>{"orologio,    19              9             40 ",
                                              "orologio,    19              39             40 "},
          {"    1,  19,10, 0, FIRENZE", "    1, 19, 40, 0, FIRENZE"},
          {"    0,  20, 7, 0, BOLOGNA", "    0, 20, 37, 0, BOLOGNA"}}) {
        ASSERT_NE(terzo.find(prima), std::string::npos) << prima;
        terzo.replace(terzo.find(prima), prima.size(), dopo);
    }
    EXPECT_EQ(dir.leggi("Corvale_Mendra_4821-3_3-.txt"), terzo);
    EXPECT_TRUE(dir.esiste("Corvale_Mendra_4821-3_2-.txt"));

    const auto compilato = prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str());
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;
    EXPECT_EQ(compilato.errori, "");
    EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_TRUE(dir.esiste("Corvale_Mendra_4821-3_3.sim"));

    for (const char* sbagliato : {"0", "100", "x", ""}) {
        const auto esito = prova::esegui(PROGRAMMA, {"init", "altro", "--trains", sbagliato}, {}, dir.str());
        EXPECT_EQ(esito.stato, 2) << sbagliato;
        EXPECT_NE(esito.errori.find("--trains takes a number of trains from 1 to 99"), std::string::npos)
            << esito.errori;
    }
}

// However many trains, the line compiles without a warning: no copy's times
// run past midnight, and no two copies share a start clock.
TEST(Inizia, EveryNumberOfTrainsCompilesCleanAtTimesOfItsOwn) {
    for (const int treni : {1, 2, 16, 17, 99}) {
        SCOPED_TRACE(treni);
        CartellaTemporanea dir;
        const auto inizio = prova::esegui(PROGRAMMA, {"init", "--trains", std::to_string(treni)}, {}, dir.str());
        ASSERT_EQ(inizio.stato, 0) << inizio.errori;
        const auto compilato = prova::esegui(PROGRAMMA, {"compile", "--all", ".", "--check"}, {}, dir.str());
        EXPECT_EQ(compilato.stato, 0);
        EXPECT_EQ(compilato.errori, "");
        std::set<std::string> orologi;
        for (const auto& [nome, testo] : prova::istantanea(dir.percorso())) {
            if (!nome.ends_with("-.txt")) continue;
            const size_t orologio = testo.find("orologio,");
            orologi.insert(testo.substr(orologio, testo.find('\r', orologio) - orologio));
        }
        EXPECT_EQ(orologi.size(), static_cast<size_t>(treni));
    }
}

// A key compile would refuse, for the built-in train or any copy, is found
// before anything is written.
TEST(Inizia, AKeyCompileWouldRefuseWritesNothing) {
    const std::string lunga(226, 'x');
    struct Caso {
        std::vector<std::string> argomenti;
        std::string in_errori;
    } casi[] = {
        {{"--train-key", "linea", "--trains", "2"},
         "--train-key 'linea' makes the cell file 'Corvale_Mendra_linea.dat'"},
        {{"--train-key", "LINEA"}, "--train-key 'LINEA' makes the cell file"},
        {{"--train-key", lunga, "--trains", "12"}, "train 10's key '" + lunga + "_10' makes the file name"},
        {{"--line-key", std::string(240, 'l')}, "--line-key '" + std::string(240, 'l') + "' makes the file name"},
        {{"--train-key", "\xE6\x97\xA5"}, "holds a character Windows-1252 cannot hold"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.in_errori);
        CartellaTemporanea dir;
        std::vector<std::string> argomenti{"init"};
        argomenti.insert(argomenti.end(), caso.argomenti.begin(), caso.argomenti.end());
        const auto esito = prova::esegui(PROGRAMMA, argomenti, {}, dir.str());
        EXPECT_EQ(esito.stato, 2);
        EXPECT_NE(esito.errori.find(caso.in_errori), std::string::npos) << esito.errori;
        EXPECT_EQ(esito.uscita, "");
        EXPECT_TRUE(prova::istantanea(dir.percorso()).empty());
    }
}

// A file that cannot be written stops init: what was written and what was
// not is told, and a file not written keeps what it held.
TEST(Inizia, AWritingThatFailsPartWayListsWhatWasWritten) {
    CartellaTemporanea dir;
    std::filesystem::create_directory(dir.file("Corvale_Mendra_4821-3_2-.txt"));
    dir.scrivi("Corvale_Mendra_4821-3_3-.txt", "my own work\r\n");
    const auto esito = esegui_programma({"init", dir.str(), "--trains", "3", "--force"});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_EQ(esito.uscita, "wrote " + dir.file("Corvale_Mendra_linea.txt") + "\nwrote " +
                                dir.file("Corvale_Mendra_4821-3-.txt") + "\n");
    EXPECT_NE(esito.errori.find("2 of 4 files written; not written (a file already there is as it was):\n  " +
                                dir.file("Corvale_Mendra_4821-3_2-.txt") + "\n  " +
                                dir.file("Corvale_Mendra_4821-3_3-.txt") + "\n"),
              std::string::npos)
        << esito.errori;
    EXPECT_EQ(dir.leggi("Corvale_Mendra_4821-3_3-.txt"), "my own work\r\n");
}

// Keys outside ASCII name the files as the author typed them, and compile
// reads them back from those names.
TEST(Inizia, KeysOutsideAsciiNameTheFilesAsTyped) {
    CartellaTemporanea dir;
    const auto inizio =
        prova::esegui(PROGRAMMA, {"init", "--line-key", "Citt\xC3\xA0", "--train-key", "Forl\xC3\xAC", "--trains", "2"},
                      {}, dir.str());
    ASSERT_EQ(inizio.stato, 0) << inizio.errori;
    // The names as UTF-8 on either system: a plain string would be the
    // Windows code page's there.
    const auto esiste = [&](const char8_t* nome) { return std::filesystem::exists(dir.percorso() / nome); };
    for (const char8_t* nome :
         {u8"Citt\u00E0_linea.txt", u8"Citt\u00E0_Forl\u00EC-.txt", u8"Citt\u00E0_Forl\u00EC_2-.txt"})
        EXPECT_TRUE(esiste(nome)) << reinterpret_cast<const char*>(nome);
    const auto compilato = prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str());
    EXPECT_EQ(compilato.stato, 0) << compilato.errori;
    EXPECT_TRUE(esiste(u8"Citt\u00E0_Forl\u00EC_2.sim"));
}

TEST(Inizia, OtherKeysNameTheFilesAndThePrintedCommandCompilesThem) {
    CartellaTemporanea dir;
    const std::string destinazione = dir.file("nuovo scenario");  // created, and quoted in the command
    const auto inizio = esegui_programma({"init", destinazione, "--line-key", "Valle", "--train-key", "R12"});
    ASSERT_EQ(inizio.stato, 0) << inizio.errori;
    EXPECT_EQ(prova::istantanea(destinazione).size(), 2u);
    const std::string sorgente_linea = destinazione + "/Valle_linea.txt";
    const std::string sorgente_treno = destinazione + "/Valle_R12-.txt";
    EXPECT_EQ(prova::leggi_tutto(sorgente_linea),
              prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/Corvale_Mendra_linea.txt"));

    // The last line is the command; run it through the shell as printed.
    const std::string& u = inizio.uscita;
    const std::string comando = u.substr(u.rfind("compattatore compile"), std::string::npos);
    ASSERT_EQ(comando.find("compattatore compile '" + sorgente_linea + "' '" + sorgente_treno + "' -o '"), 0u)
        << comando;
    const std::string programma = std::string(PROGRAMMA);
    const auto compilato =
        prova::esegui("/bin/sh", {"-c", programma + comando.substr(std::string("compattatore").size())});
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;
    EXPECT_EQ(compilato.errori, "");
    EXPECT_NE(compilato.uscita.find("wrote " + destinazione + "/Valle_R12.sim"), std::string::npos) << compilato.uscita;
    EXPECT_TRUE(std::filesystem::exists(destinazione + "/Valle_R12.dat"));
    EXPECT_TRUE(std::filesystem::exists(destinazione + "/Valle_linea.dat"));
}

TEST(Inizia, AnExistingFileIsReplacedOnlyWithForce) {
    for (const std::string esistente : {"Corvale_Mendra_linea.txt", "Corvale_Mendra_4821-3-.txt"}) {
        SCOPED_TRACE(esistente);
        CartellaTemporanea dir;
        dir.scrivi(esistente, "my own work\r\n");
        const auto rifiutato = esegui_programma({"init", dir.str()});
        EXPECT_EQ(rifiutato.stato, 2);
        EXPECT_NE(rifiutato.errori.find(dir.file(esistente) + " already exists"), std::string::npos)
            << rifiutato.errori;
        EXPECT_EQ(rifiutato.uscita, "");
        // Neither file is written: the author's work and nothing else is there.
        EXPECT_EQ(prova::istantanea(dir.percorso()),
                  (std::map<std::string, std::string>{{esistente, "my own work\r\n"}}));

        const auto forzato = esegui_programma({"init", dir.str(), "--force"});
        EXPECT_EQ(forzato.stato, 0) << forzato.errori;
        EXPECT_EQ(dir.leggi(esistente), prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/" + esistente));
    }
}

TEST(Inizia, UsageErrors) {
    struct Caso {
        std::vector<std::string> argomenti;
        std::string in_errori;
    } casi[] = {
        {{"init", "--line-key", "a/b"}, "--line-key 'a/b' cannot be part of a file name"},
        {{"init", "--train-key", ""}, "--train-key '' cannot be part of a file name"},
        {{"init", "--train-key"}, "--train-key needs a value"},
        {{"init", "uno", "due"}, "more than one directory given"},
        {{"init", "--bogus"}, "unknown option '--bogus'"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.in_errori);
        CartellaTemporanea dir;
        const auto esito = prova::esegui(PROGRAMMA, caso.argomenti, {}, dir.str());
        EXPECT_EQ(esito.stato, 2);
        EXPECT_NE(esito.errori.find(caso.in_errori), std::string::npos) << esito.errori;
        EXPECT_TRUE(prova::istantanea(dir.percorso()).empty());
    }
}

TEST(Inizia, AnUnwritableDirectoryIsAFileError) {
    CartellaTemporanea dir;
    dir.scrivi("file", "");
    const auto esito = esegui_programma({"init", dir.file("file") + "/sotto"});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_NE(esito.errori.find("cannot create " + dir.file("file") + "/sotto: Not a directory"), std::string::npos)
        << esito.errori;
}

}  // namespace
}  // namespace compattatore
