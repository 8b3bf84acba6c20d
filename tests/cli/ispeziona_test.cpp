// The inspect and draw commands as a user runs them: output and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::esegui_programma;

TEST(Ispeziona, NormalRunFilesShowStationsTimesAndMatchingCodes) {
    const auto esito = esegui_programma({"inspect", prova::DIRECTORY_CORSA_NORMALE});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    for (const char* atteso :
         {"FIRENZE S.M.N.", "19:10:00", "Stations (16)", "Text signs (3)", "32113 (the keys give 32113: match)",
          "2266 (the keys give 2266: match)", "plan file            absent"}) {
        EXPECT_NE(esito.uscita.find(atteso), std::string::npos) << atteso;
    }
}

// Texts of the files are the author's, or anyone's: a station name and a
// sign text holding terminal escapes (set the window title, clear the
// screen) are shown escaped in the text report, and as JSON escapes.
TEST(Ispeziona, ControlCharactersOfTheFilesNeverReachTheTerminal) {
    prova::CartellaTemporanea dir;
    const std::string fuga = "\x1B]0;titolo\x07\x1B[2J";
    const std::string linea = dir.scrivi("Valle_linea.txt",
                                         "[generale]\r\nlunghezza percorso, 10000\r\n"
                                         "[indicazioni]\r\ncartello_indicatore, 500, cartello" +
                                             fuga + "\r\n[fine]\r\n");
    const std::string treno = dir.scrivi(
        "Valle_R12-.txt",
        "[generale]\r\nstazione, 1000, 1, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, Valle" + fuga + "\r\n[fine]\r\n");
    const auto compilato = esegui_programma({"compile", linea, treno, "-o", dir.str(), "--no-plan"});
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;

    const auto testo = esegui_programma({"inspect", dir.str()});
    ASSERT_EQ(testo.stato, 0) << testo.errori;
    EXPECT_EQ(testo.uscita.find_first_of("\x1B\x07"), std::string::npos) << testo.uscita;
    for (const char* atteso : {"Valle\\x1b]0;titolo\\x07\\x1b[2J", "cartello\\x1b]0;titolo\\x07\\x1b[2J"})
        EXPECT_NE(testo.uscita.find(atteso), std::string::npos) << atteso << "\n" << testo.uscita;

    const auto json = esegui_programma({"inspect", dir.str(), "--json"});
    ASSERT_EQ(json.stato, 0) << json.errori;
    EXPECT_EQ(json.uscita.find_first_of("\x1B\x07"), std::string::npos);
    EXPECT_NE(json.uscita.find("Valle\\u001b]0;titolo\\u0007\\u001b[2J"), std::string::npos) << json.uscita;
}

// Another scenario, compiled without a plan: inspect and draw take its keys
// from the only *.sim file there, and refuse to guess between two.
TEST(Ispeziona, KeysOfAnotherScenarioComeFromItsOnlySimFile) {
    prova::CartellaTemporanea dir;
    const std::string linea = dir.scrivi("Valle_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const std::string treno = dir.scrivi("Valle_R12-.txt", "[generale]\r\n[fine]\r\n");
    ASSERT_EQ(esegui_programma({"compile", linea, treno, "-o", dir.str(), "--no-plan"}).stato, 0);

    auto esito = esegui_programma({"inspect", dir.str()});
    EXPECT_EQ(esito.stato, 0) << esito.errori;
    for (const char* atteso :
         {"Scenario Valle / R12\n", "keys in the files    Valle / R12", ": match)", "plan file            absent"})
        EXPECT_NE(esito.uscita.find(atteso), std::string::npos) << atteso << "\n" << esito.uscita;
    EXPECT_EQ(esito.uscita.find("MISMATCH"), std::string::npos) << esito.uscita;
    esito = esegui_programma({"draw", dir.str()});
    EXPECT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_TRUE(dir.esiste("Valle_R12.svg"));

    dir.scrivi("Valle_R13.sim", dir.leggi("Valle_R12.sim"));
    esito = esegui_programma({"inspect", dir.str()});
    EXPECT_EQ(esito.stato, 2);
    EXPECT_NE(esito.errori.find("more than one *.sim file"), std::string::npos) << esito.errori;
}

// Several trains of one line compiled together: inspect lists them (as text
// or JSON), and --train-key shows one; draw wants that key alone.
TEST(Ispeziona, ADirectoryOfSeveralTrainsListsThem) {
    prova::CartellaTemporanea dir;
    const std::string linea = dir.scrivi("Valle_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const std::string r12 = dir.scrivi("Valle_R12-.txt", "[generale]\r\n[fine]\r\n");
    const std::string r13 = dir.scrivi("Valle_R13-.txt", "[generale]\r\nsabbia, 200\r\n[fine]\r\n");
    ASSERT_EQ(esegui_programma({"compile", linea, r12, r13, "-o", dir.str()}).stato, 0);

    const auto elenco = esegui_programma({"inspect", dir.str()});
    EXPECT_EQ(elenco.stato, 0) << elenco.errori;
    EXPECT_EQ(elenco.uscita, "Line Valle: 2 trains in " + dir.str() +
                                 "\n  R12  Valle_R12.sim\n  R13  Valle_R13.sim\nShow one with --train-key TRAIN.\n");
    const auto json = esegui_programma({"inspect", dir.str(), "--json", "--line-key", "Valle"});
    EXPECT_EQ(json.uscita,
              "{\"line\":\"Valle\",\"trains\":[{\"train\":\"R12\",\"object_file\":\"Valle_R12.sim\"},"
              "{\"train\":\"R13\",\"object_file\":\"Valle_R13.sim\"}]}\n");
    const auto uno = esegui_programma({"inspect", dir.str(), "--train-key", "R13"});
    EXPECT_EQ(uno.stato, 0) << uno.errori;
    EXPECT_NE(uno.uscita.find("Scenario Valle / R13\n"), std::string::npos) << uno.uscita;
    EXPECT_NE(uno.uscita.find("sand                 200"), std::string::npos) << uno.uscita;
    const auto disegno = esegui_programma({"draw", dir.str()});
    EXPECT_EQ(disegno.stato, 2);
    EXPECT_EQ(disegno.errori,
              "compattatore draw: " + dir.str() + " holds 2 trains of the line Valle: name one with --train-key\n");
    EXPECT_EQ(esegui_programma({"draw", dir.str(), "--train-key", "R13"}).stato, 0);
    EXPECT_TRUE(dir.esiste("Valle_R13.svg"));
}

// A directory holding the normal run's files with one of them damaged.
class Guasti : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& nome : {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE}) {
            fs::copy_file(fs::path(prova::DIRECTORY_CORSA_NORMALE) / nome, directory_.percorso() / nome);
        }
    }
    prova::CartellaTemporanea directory_;
};

TEST_F(Guasti, ExitStatusAndMessageForEachFault) {
    struct Caso {
        std::vector<std::string> argomenti;  // DIR stands for the directory
        int stato;
        const char* messaggio;  // on standard output when the command succeeds, else on standard error
    };
    const Caso casi[] = {
        {{"inspect", "DIR", "--json", "--from", "20", "--to", "22.4"}, 0, "\"from_m\":20000,\"to_m\":22400"},
        {{"inspect", "DIR", "--from", "x"}, 2, "'x' is not a distance in km"},
        {{"inspect", "DIR", "--bogus"}, 2, "unknown option '--bogus'"},
        {{"draw", "DIR", "-o"}, 2, "-o needs a value"},
        {{"inspect", "DIR/nowhere"}, 3, "nowhere"},
        {{"inspect", "DIR", "--train-key", "9999"}, 3, "Corvale_Mendra_9999.sim"},
        {{"draw", "DIR", "-o", "DIR/no/where/x.svg"}, 3, "x.svg"},
        {{"inspect", "DIR/empty"}, 3, "no compiled scenario (*.sim file) found in DIR/empty"},
        {{"draw", "DIR/empty"}, 3, "no compiled scenario (*.sim file) found in DIR/empty"},
    };
    fs::create_directory(directory_.percorso() / "empty");
    for (const Caso& caso : casi) {
        std::vector<std::string> argomenti = caso.argomenti;
        for (std::string& a : argomenti) {
            if (a.starts_with("DIR")) a.replace(0, 3, directory_.str());
        }
        std::string messaggio = caso.messaggio;
        if (messaggio.find("DIR") != std::string::npos) messaggio.replace(messaggio.find("DIR"), 3, directory_.str());
        SCOPED_TRACE(argomenti[0] + " " + messaggio);
        const auto esito = esegui_programma(argomenti);
        EXPECT_EQ(esito.stato, caso.stato) << esito.errori;
        const std::string& detto = caso.stato == 0 ? esito.uscita : esito.errori;
        EXPECT_NE(detto.find(messaggio), std::string::npos) << detto;
    }
}

TEST_F(Guasti, DamagedCellFileNamesFileAndOffsetWithStatus1) {
    std::ofstream(directory_.percorso() / prova::FILE_CELLE_NORMALE, std::ios::binary | std::ios::app) << "xyz";
    for (const char* comando : {"inspect", "draw"}) {
        const auto esito = esegui_programma({comando, directory_.str()});
        EXPECT_EQ(esito.stato, 1) << esito.errori;
        EXPECT_NE(esito.errori.find(prova::FILE_CELLE_NORMALE + ": byte 31215: the size 31218 is not a multiple of 15"),
                  std::string::npos)
            << esito.errori;
    }
}

TEST_F(Guasti, ALoneSimFileMustBeNamedByTheKeysItHoldsAndDirDefaultsToHere) {
    const fs::path& d = directory_.percorso();
    fs::rename(d / prova::FILE_OGGETTI_NORMALE, d / "Altra_Linea_1.sim");
    fs::rename(d / prova::FILE_CELLE_NORMALE, d / "Altra_Linea_1.dat");
    // The file's records still hold the scenario's own keys: they do not name it.
    auto esito = esegui_programma({"inspect", directory_.str()});
    EXPECT_EQ(esito.stato, 2) << esito.errori;
    fs::rename(d / "Altra_Linea_1.sim", d / "Corvale_Mendra_4821-3.sim");
    fs::rename(d / "Altra_Linea_1.dat", d / "Corvale_Mendra_4821-3.dat");
    esito = prova::esegui(PROGRAMMA, {"inspect"}, {}, directory_.str());
    EXPECT_EQ(esito.stato, 0) << esito.errori;
}

}  // namespace
}  // namespace compattatore
