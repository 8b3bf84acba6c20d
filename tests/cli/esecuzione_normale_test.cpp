// The built program, run as a person runs it, against the output of a correct
// normal run kept in the test data.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"
#include "support/sha256.h"

namespace compattatore {
namespace {

TEST(EsecuzioneNormale, LeavesTheDocumentsAndTheThreeBinaryFiles) {
    const auto& [directory, r] = prova::corsa_normale_eseguita();
    const std::filesystem::path dir(directory);

    EXPECT_EQ(r.stato, 0);
    EXPECT_EQ(r.errori.find("Errore"), std::string::npos) << r.errori;
    EXPECT_EQ(r.errori.find("Avviso"), std::string::npos) << r.errori;

    const std::string piano = prova::leggi_tutto(dir / prova::FILE_TRACCIATO_NORMALE);
    EXPECT_EQ(piano.size(), 2079964u);
    EXPECT_EQ(prova::sha256_hex(piano), prova::SHA256_TRACCIATO_NORMALE);
    const std::string celle = prova::leggi_tutto(dir / prova::FILE_CELLE_NORMALE);
    EXPECT_EQ(celle, prova::dato_normale(prova::FILE_CELLE_NORMALE));
    EXPECT_EQ(prova::leggi_tutto(dir / prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));

    // The slowdown at 21200 m: warning, start, end, and the code cells around it.
    ASSERT_EQ(celle.size(), 31215u);
    auto cella = [&](int i) { return celle.substr(15 * static_cast<size_t>(i), 3); };
    EXPECT_EQ(celle.substr(16, 2), std::string("\x01\x14", 2));
    EXPECT_EQ(cella(401), std::string("\x04\x3C\x00", 3));
    EXPECT_EQ(cella(425), std::string("\x03\x3C\x00", 3));
    EXPECT_EQ(cella(447), std::string("\x02\x3C\x00", 3));
    for (int i : {420, 414, 407, 433, 441}) EXPECT_EQ(cella(i), std::string("\x0C\xB4\x00", 3)) << i;

    EXPECT_FALSE(std::filesystem::exists(dir / "Corvale_Mendra_linea.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Corvale_Mendra_4821-3-.txt"));
    for (const char* documento : {"Corvale_Mendra_4821-3_note.txt", "Corvale_Mendra_4821-3_rallentamenti.txt",
                                  "Corvale_Mendra_4821-3_scheda_treno.txt"})
        EXPECT_TRUE(std::filesystem::exists(dir / documento)) << documento;
}

// Every file a run leaves, each first made longer than it will be: a second
// run (forced, which changes nothing on a clean scenario) replaces them whole.
TEST(EsecuzioneNormale, ASecondForcedRunReplacesEveryFileWithTheSameBytes) {
    prova::CartellaTemporanea dir;
    ASSERT_EQ(prova::esegui_programma({"--dir", dir.str(), "--no-window"}).stato, 0);
    const auto prima = prova::istantanea(dir.percorso());
    ASSERT_EQ(prima.size(), 6u);
    for (const auto& [nome, byte] : prima) dir.scrivi(nome, std::string(byte.size() + 1000, 'x'));

    const auto r = prova::esegui_programma({"--dir", dir.str(), "--no-window", "--force"});

    EXPECT_EQ(r.stato, 0) << r.errori;
    const auto dopo = prova::istantanea(dir.percorso());
    ASSERT_EQ(dopo.size(), prima.size());
    for (const auto& [nome, byte] : prima) EXPECT_TRUE(dopo.at(nome) == byte) << nome;  // 2 MB: no dump
}

}  // namespace
}  // namespace compattatore
