// The inspect and draw commands as a user runs them: output and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/comando.h"
#include "support/dati.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::esegui_comando;
using test::tra_apici;

TEST(Ispeziona, NormalRunFilesShowStationsTimesAndMatchingCodes) {
    const auto esito =
        esegui_comando(std::string(PROGRAMMA) + " inspect " + tra_apici(test::DIRECTORY_CORSA_NORMALE) + " 2>&1");
    ASSERT_EQ(esito.stato, 0) << esito.uscita;
    for (const char* atteso : {"FIRENZE S.M.N.", "19:10:00", "Stations (16)", "Text signs (3)",
                               "32113 (the keys give 32113: match)", "2266 (the keys give 2266: match)",
                               "plan file            absent"}) {
        EXPECT_NE(esito.uscita.find(atteso), std::string::npos) << atteso;
    }
}

// A directory holding the normal run's files with one of them damaged.
class Guasti : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = test::percorso_temporaneo("ispeziona_guasti");
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        for (const std::string& nome : {test::FILE_OGGETTI_NORMALE, test::FILE_CELLE_NORMALE}) {
            fs::copy_file(fs::path(test::DIRECTORY_CORSA_NORMALE) / nome, directory_ / nome);
        }
    }
    void TearDown() override { fs::remove_all(directory_); }
    fs::path directory_;
};

TEST_F(Guasti, ExitStatusAndMessageForEachFault) {
    struct Caso {
        const char* argomenti;  // after the program; DIR stands for the directory
        int stato;
        const char* messaggio;
    };
    const Caso casi[] = {
        {"inspect DIR --json --from 20 --to 22.4", 0, "\"from_m\":20000,\"to_m\":22400"},
        {"inspect DIR --from x", 2, "'x' is not a distance in km"},
        {"inspect DIR --bogus", 2, "unknown argument '--bogus'"},
        {"draw DIR -o", 2, "-o needs a value"},
        {"inspect DIR/nowhere", 3, "nowhere"},
        {"inspect DIR --train-key 9999", 3, "Corvale_Mendra_9999.sim"},
        {"draw DIR -o DIR/nowhere/x.svg", 3, "x.svg"},
    };
    for (const Caso& caso : casi) {
        std::string argomenti = caso.argomenti;
        for (size_t k; (k = argomenti.find("DIR")) != std::string::npos;) argomenti.replace(k, 3, directory_.string());
        SCOPED_TRACE(argomenti);
        const auto esito = esegui_comando(std::string(PROGRAMMA) + " " + argomenti + " 2>&1");
        EXPECT_EQ(esito.stato, caso.stato) << esito.uscita;
        EXPECT_NE(esito.uscita.find(caso.messaggio), std::string::npos) << esito.uscita;
    }
}

TEST_F(Guasti, DamagedCellFileNamesFileAndOffsetWithStatus1) {
    std::ofstream(directory_ / test::FILE_CELLE_NORMALE, std::ios::binary | std::ios::app) << "xyz";
    for (const char* comando : {" inspect ", " draw "}) {
        const auto esito = esegui_comando(std::string(PROGRAMMA) + comando + tra_apici(directory_.string()) + " 2>&1");
        EXPECT_EQ(esito.stato, 1) << esito.uscita;
        EXPECT_NE(esito.uscita.find(test::FILE_CELLE_NORMALE + ": byte 31215: the size 31218 is not a multiple of 15"),
                  std::string::npos)
            << esito.uscita;
    }
}

TEST_F(Guasti, KeysAreFoundFromTheOnlySimFile) {
    fs::rename(directory_ / test::FILE_OGGETTI_NORMALE, directory_ / "Altra_Linea_1.sim");
    fs::rename(directory_ / test::FILE_CELLE_NORMALE, directory_ / "Altra_Linea_1.dat");
    // The file's records still hold the scenario's own keys: they do not name it.
    auto esito = esegui_comando(std::string(PROGRAMMA) + " inspect " + tra_apici(directory_.string()) + " 2>&1");
    EXPECT_EQ(esito.stato, 2) << esito.uscita;
    fs::rename(directory_ / "Altra_Linea_1.sim", directory_ / "Corvale_Mendra_4821-3.sim");
    fs::rename(directory_ / "Altra_Linea_1.dat", directory_ / "Corvale_Mendra_4821-3.dat");
    esito = esegui_comando("cd " + tra_apici(directory_.string()) + " && " + PROGRAMMA + " inspect 2>&1");
    EXPECT_EQ(esito.stato, 0) << esito.uscita;
}

}  // namespace
}  // namespace compattatore
