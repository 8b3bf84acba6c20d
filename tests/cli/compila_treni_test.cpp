// compile over many trains of one line: each train's files as compiling it
// alone gives them, the plan written once and only when it changed, each
// train failing on its own, one report over the whole set.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::CartellaTemporanea;
using prova::esegui_programma;

using prova::LINEA_NORMALE;
using prova::TRENO_NORMALE;

// The normal run's train with one record changed.
std::string treno_normale_con(const std::string& prima, const std::string& dopo) {
    std::string testo = prova::dato_normale(TRENO_NORMALE);
    const size_t dove = testo.find(prima);
    EXPECT_NE(dove, std::string::npos) << prima;
    return testo.replace(dove, prima.size(), dopo);
}

std::string linea(const std::string& corpo) {
    return "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n" + corpo + "[fine]\r\n";
}
std::string treno(const std::string& corpo) {
    return "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n" + corpo + "[fine]\r\n";
}
const std::string SEGNALE = "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";

TEST(CompilaTreni, EachTrainsFilesAreThoseOfCompilingItAloneAndThePlanIsWrittenOnce) {
    CartellaTemporanea dir;
    dir.scrivi(LINEA_NORMALE, prova::dato_normale(LINEA_NORMALE));
    dir.scrivi(TRENO_NORMALE, prova::dato_normale(TRENO_NORMALE));
    dir.scrivi("Corvale_Mendra_Tardi-.txt", treno_normale_con("orologio,    19 ", "orologio,    21 "));
    dir.scrivi("Corvale_Mendra_Lento-.txt", treno_normale_con("velocita,     900,   120", "velocita,     900,   90"));
    const std::vector<std::string> treni{"4821-3", "Lento", "Tardi"};
    fs::create_directory(dir.file("insieme"));
    const auto insieme = esegui_programma({"compile", "--all", dir.str(), "-o", dir.file("insieme")});
    ASSERT_EQ(insieme.stato, 0) << insieme.errori;
    EXPECT_EQ(insieme.errori, "");
    const std::string piano = (dir.percorso() / "insieme" / "Corvale_Mendra_linea.dat").string();
    EXPECT_TRUE(insieme.uscita.starts_with("wrote " + piano + " (2079964 bytes)\n")) << insieme.uscita;
    for (const std::string& t : treni) {
        SCOPED_TRACE(t);
        EXPECT_NE(insieme.uscita.find("\n" + t +
                                      ": compiled 2081 cells, 16 stations, 45 signals, 1 slowdowns, "
                                      "3 text signs; wrote " +
                                      (dir.percorso() / "insieme" / ("Corvale_Mendra_" + t + ".sim")).string()),
                  std::string::npos)
            << insieme.uscita;
        fs::create_directory(dir.file(t));
        const auto solo = esegui_programma(
            {"compile", dir.file(LINEA_NORMALE), dir.file("Corvale_Mendra_" + t + "-.txt"), "-o", dir.file(t)});
        ASSERT_EQ(solo.stato, 0) << solo.errori;
        for (const std::string& nome : {"Corvale_Mendra_" + t + ".sim", "Corvale_Mendra_" + t + ".dat"})
            EXPECT_EQ(dir.leggi("insieme/" + nome), dir.leggi(t + "/" + nome)) << nome;
        EXPECT_EQ(dir.leggi("insieme/Corvale_Mendra_linea.dat"), dir.leggi(t + "/Corvale_Mendra_linea.dat"));
    }
    EXPECT_EQ(dir.leggi("insieme/" + prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_NE(dir.leggi("insieme/Corvale_Mendra_Tardi.sim"), dir.leggi("insieme/" + prova::FILE_OGGETTI_NORMALE));

    // Again after a change to one train: the plan, the same bytes, is left
    // as it was (a second name for it still names the one file).
    fs::create_hard_link(piano, dir.file("seconda_via.dat"));
    dir.scrivi("Corvale_Mendra_Tardi-.txt", treno_normale_con("orologio,    19 ", "orologio,    22 "));
    const auto ancora = esegui_programma({"compile", "--all", dir.str(), "-o", dir.file("insieme")});
    ASSERT_EQ(ancora.stato, 0) << ancora.errori;
    EXPECT_TRUE(ancora.uscita.starts_with("kept " + piano + " (2079964 bytes, unchanged)\n")) << ancora.uscita;
    EXPECT_TRUE(fs::equivalent(piano, dir.file("seconda_via.dat")));

    // A plan that differs is replaced.
    prova::scrivi_tutto(dir.file("seconda_via.dat"), "not the plan");
    const auto rifatto = esegui_programma({"compile", "--all", dir.str(), "-o", dir.file("insieme")});
    ASSERT_EQ(rifatto.stato, 0) << rifatto.errori;
    EXPECT_TRUE(rifatto.uscita.starts_with("wrote " + piano)) << rifatto.uscita;
    EXPECT_EQ(dir.leggi("insieme/Corvale_Mendra_linea.dat"), dir.leggi("4821-3/Corvale_Mendra_linea.dat"));
}

// A train with an error writes nothing of its own, one whose file cannot be
// written leaves its old files whole, and the others are written all the same.
TEST(CompilaTreni, EachTrainFailsOnItsOwn) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_A-.txt", treno(SEGNALE));
    dir.scrivi("L_B-.txt", treno(SEGNALE + SEGNALE));
    dir.scrivi("L_C-.txt", treno(""));
    dir.scrivi("L_B.sim", "old B");
    const std::vector<std::string> argomenti{
        "compile", dir.file("L_linea.txt"), dir.file("L_A-.txt"), dir.file("L_B-.txt"), dir.file("L_C-.txt"), "-o",
        dir.str()};
    const auto errore = esegui_programma(argomenti);
    EXPECT_EQ(errore.stato, 1);
    EXPECT_NE(errore.errori.find(dir.file("L_B-.txt") + ":5:10: error: "), std::string::npos) << errore.errori;
    EXPECT_NE(errore.uscita.find("\nB: errors, nothing written\n"), std::string::npos) << errore.uscita;
    EXPECT_EQ(dir.leggi("L_B.sim"), "old B");
    EXPECT_FALSE(dir.esiste("L_B.dat"));
    EXPECT_TRUE(dir.esiste("L_A.sim") && dir.esiste("L_A.dat") && dir.esiste("L_C.sim") && dir.esiste("L_C.dat"));
    EXPECT_TRUE(dir.esiste("L_linea.dat"));

    // --force writes B all the same, and its line says so; the errors still fail the run.
    std::vector<std::string> forzati = argomenti;
    forzati.push_back("--force");
    const auto forzato = esegui_programma(forzati);
    EXPECT_EQ(forzato.stato, 1);
    const size_t riga_b = forzato.uscita.find("\nB: compiled ");
    ASSERT_NE(riga_b, std::string::npos) << forzato.uscita;
    const std::string b = forzato.uscita.substr(riga_b + 1, forzato.uscita.find('\n', riga_b + 1) - riga_b - 1);
    EXPECT_TRUE(b.ends_with(" (5115 bytes) despite its errors (--force)")) << b;
    EXPECT_EQ(forzato.uscita.find("despite"), forzato.uscita.rfind("despite")) << forzato.uscita;
    EXPECT_NE(dir.leggi("L_B.sim"), "old B");

    // C's object file cannot be replaced (a directory stands there): its
    // cell file stays the one written before, and A is written again.
    dir.scrivi("L_B-.txt", treno(""));
    const std::string celle_c = dir.leggi("L_C.dat");
    dir.scrivi("L_C-.txt", treno(SEGNALE));
    fs::remove(dir.file("L_C.sim"));
    fs::create_directory(dir.file("L_C.sim"));
    fs::remove(dir.file("L_A.sim"));
    const auto guasto = esegui_programma(argomenti);
    EXPECT_EQ(guasto.stato, 3);
    EXPECT_NE(guasto.errori.find("compattatore compile: "), std::string::npos) << guasto.errori;
    const size_t riga_c = guasto.uscita.find("\nC: compiled ");
    EXPECT_EQ(guasto.uscita.find("; not written (a file could not be written)\n", riga_c),
              guasto.uscita.find('\n', riga_c + 1) - 43)
        << guasto.uscita;
    EXPECT_EQ(dir.leggi("L_C.dat"), celle_c);
    EXPECT_TRUE(dir.esiste("L_A.sim") && dir.esiste("L_B.sim") && dir.esiste("L_B.dat"));
    EXPECT_NE(dir.leggi("L_B.sim"), "old B");
}

// An output directory that is not there fails the compile only when a
// train is to be written, as it does for one train: the diagnostics first.
TEST(CompilaTreni, AMissingOutputDirectoryFailsOnlyWhatIsWritten) {
    struct Caso {
        const char* nome;
        std::string linea;
        int stato;
        const char* errori;
    };
    const Caso casi[] = {
        {"a line with an error", "[generale]\r\n[fine]\r\n", 1, "no 'lunghezza percorso' record"},
        {"a line without error", linea(""), 3, "compattatore compile: cannot create "},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        CartellaTemporanea dir;
        dir.scrivi("L_linea.txt", c.linea);
        dir.scrivi("L_A-.txt", treno(""));
        dir.scrivi("L_B-.txt", treno(""));
        // A missing folder is made when its parent exists: this one's parent is missing too.
        const std::string uscita = dir.file("mancante") + "/sotto";
        const auto esito = esegui_programma({"compile", "--all", dir.str(), "-o", uscita});
        EXPECT_EQ(esito.stato, c.stato);
        EXPECT_NE(esito.errori.find(c.errori), std::string::npos) << esito.errori;
        const auto solo = esegui_programma({"compile", dir.file("L_linea.txt"), dir.file("L_A-.txt"), "-o", uscita});
        EXPECT_EQ(solo.stato, c.stato) << solo.errori;
    }
}

// One report over the whole set: the line file's warning once, the error
// limit counted over every train, one summary line per train; JSON as one
// document.
TEST(CompilaTreni, OneReportOverTheWholeSet) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea("pendnza, 100, 2\r\n"));
    dir.scrivi("L_A-.txt", treno(SEGNALE + SEGNALE));
    dir.scrivi("L_B-.txt", treno(SEGNALE + SEGNALE + SEGNALE));
    const std::vector<std::string> argomenti{"compile", "--all", dir.str(), "--check"};
    const auto tutti = esegui_programma(argomenti);
    EXPECT_EQ(tutti.stato, 1);
    EXPECT_EQ(tutti.uscita, "A: errors, nothing written\nB: errors, nothing written\n");
    const std::string avviso = dir.file("L_linea.txt") + ":4:1: warning: ";
    EXPECT_EQ(tutti.errori.find(avviso), 0U) << tutti.errori;
    EXPECT_EQ(tutti.errori.find(avviso, 1), std::string::npos) << tutti.errori;
    EXPECT_TRUE(tutti.errori.ends_with("\n3 errors, 1 warning\n")) << tutti.errori;

    std::vector<std::string> limitati = argomenti;
    limitati.insert(limitati.end(), {"--max-errors", "2"});
    const auto due = esegui_programma(limitati);
    EXPECT_TRUE(
        due.errori.ends_with("\n2 errors, 1 warning; too many errors, the rest was not checked (--max-errors 2)\n"))
        << due.errori;
    EXPECT_NE(due.errori.find(dir.file("L_B-.txt")), std::string::npos) << due.errori;

    limitati.insert(limitati.end(), {"--diagnostics", "json"});
    const auto json = esegui_programma(limitati);
    EXPECT_TRUE(json.uscita.starts_with("{\"diagnostics\":[")) << json.uscita;
    EXPECT_NE(json.uscita.find("\"errors\":2,\"warnings\":1,\"too_many_errors\":true}"), std::string::npos)
        << json.uscita;
    EXPECT_EQ(json.errori, tutti.uscita);
}

TEST(CompilaTreni, WhatTheCommandLineCannotMean) {
    CartellaTemporanea dir;
    fs::create_directory(dir.file("vuota"));
    fs::create_directory(dir.file("due"));
    dir.scrivi("due/L_linea.txt", linea(""));
    dir.scrivi("due/M_linea.txt", linea(""));
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_A-.txt", treno(""));
    dir.scrivi("L_B-.txt", treno(""));
    dir.scrivi("L_a-.txt", treno(""));
    dir.scrivi("b.txt", treno(""));
    fs::create_directory(dir.file("linea"));
    dir.scrivi("linea/L_linea.txt", linea(""));
    dir.scrivi("linea/L_A-.txt", treno(""));
    dir.scrivi("linea/L_LINEA-.txt", treno(""));
    const struct {
        std::vector<std::string> argomenti;
        std::string messaggio;
    } casi[] = {
        {{"--all", dir.file("vuota")}, "no line file (*_linea.txt) in " + dir.file("vuota")},
        {{"--all", dir.file("due")}, "more than one line file (*_linea.txt) in " + dir.file("due")},
        {{"--all", dir.file("due"), "--line-key", "L"}, "more than one line file"},
        {{"--all", dir.str(), dir.file("L_A-.txt")}, "--all DIR takes no LINE_FILE or TRAIN_FILE"},
        {{"--all", dir.str(), "--train-key", "X"}, "--train-key names one train; several are found"},
        {{dir.file("L_linea.txt"), dir.file("L_A-.txt"), dir.file("L_B-.txt"), "--train-key", "X"},
         "--train-key names one train; several are given"},
        {{dir.file("L_linea.txt"), dir.file("L_A-.txt"), dir.file("L_A-.txt")},
         "the train key 'A' is given twice, by '" + dir.file("L_A-.txt") + "' and '" + dir.file("L_A-.txt") + "'"},
        // One file on the simulator's file system, where case does not count.
        {{dir.file("L_linea.txt"), dir.file("L_A-.txt"), dir.file("L_a-.txt")},
         "the train keys 'A' and 'a' of '" + dir.file("L_A-.txt") + "' and '" + dir.file("L_a-.txt") +
             "' differ only in the case of letters"},
        // Several trains take their keys from their names alone: no option
        // is offered that the set would refuse.
        {{dir.file("L_linea.txt"), dir.file("L_A-.txt"), dir.file("b.txt")},
         "(not named L_TRAIN-.txt): name it so, as each of several trains takes its key from its file's name"},
        {{"--all", dir.file("linea")},
         "the train key 'LINEA' makes the cell file 'L_LINEA.dat' and the plan file 'L_linea.dat' one file"},
    };
    for (const auto& c : casi) {
        std::vector<std::string> argomenti{"compile"};
        argomenti.insert(argomenti.end(), c.argomenti.begin(), c.argomenti.end());
        const auto esito = esegui_programma(argomenti);
        EXPECT_EQ(esito.stato, 2) << c.messaggio;
        EXPECT_NE(esito.errori.find(c.messaggio), std::string::npos) << esito.errori;
    }
    EXPECT_FALSE(dir.esiste("L_A.sim"));
    // A folder that cannot be listed is a file failure, reported, not a crash.
    const auto mancante = esegui_programma({"compile", "--all", dir.file("mancante")});
    EXPECT_EQ(mancante.stato, 3) << mancante.errori;
    EXPECT_NE(mancante.errori.find("cannot list " + dir.file("mancante")), std::string::npos) << mancante.errori;
}

}  // namespace
}  // namespace compattatore
