// The built program, run as a person runs it, against the output of a correct
// normal run kept in the test data.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "support/cartella_temporanea.h"
#include "support/sha256.h"

namespace compattatore {
namespace {

constexpr const char* SHA256_TRACCIATO = "198c4a6acd31c1bde5779f2978eb995edb1deaf5ed0c539599511a219f11841b";

std::string leggi_dati(const std::string& nome) {
    std::ifstream in(std::string(DATI_TEST) + "/" + nome, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Risultato {
    int stato;
    std::string errori;  // standard error
};

Risultato esegui(const prova::CartellaTemporanea& dir, const std::string& argomenti) {
    const std::string file_errori = dir.file("stderr.log");
    const std::string comando =
        std::string("'") + PROGRAMMA + "' --dir '" + dir.str() + "' " + argomenti + " 2>'" + file_errori + "'";
    const int grezzo = std::system(comando.c_str());
    Risultato r{WIFEXITED(grezzo) ? WEXITSTATUS(grezzo) : -1, dir.leggi("stderr.log")};
    std::filesystem::remove(file_errori);
    return r;
}

TEST(EsecuzioneNormale, LeavesTheDocumentsAndTheThreeBinaryFiles) {
    prova::CartellaTemporanea dir;
    Risultato r = esegui(dir, "");

    EXPECT_EQ(r.stato, 0);
    EXPECT_EQ(r.errori.find("Errore"), std::string::npos) << r.errori;
    EXPECT_EQ(r.errori.find("Avviso"), std::string::npos) << r.errori;

    const std::string piano = dir.leggi("Corvale_Mendra_linea.dat");
    EXPECT_EQ(piano.size(), 2079964u);
    EXPECT_EQ(prova::sha256_hex(piano), SHA256_TRACCIATO);
    const std::string celle = dir.leggi("Corvale_Mendra_4821-3.dat");
    EXPECT_EQ(celle, leggi_dati("Corvale_Mendra_4821-3.dat"));
    EXPECT_EQ(dir.leggi("Corvale_Mendra_4821-3.sim"), leggi_dati("Corvale_Mendra_4821-3.sim"));

    // The slowdown at 21200 m: warning, start, end, and the code cells around it.
    ASSERT_EQ(celle.size(), 31215u);
    auto cella = [&](int i) { return celle.substr(15 * static_cast<size_t>(i), 3); };
    EXPECT_EQ(celle.substr(16, 2), std::string("\x01\x14", 2));
    EXPECT_EQ(cella(401), std::string("\x04\x3C\x00", 3));
    EXPECT_EQ(cella(425), std::string("\x03\x3C\x00", 3));
    EXPECT_EQ(cella(447), std::string("\x02\x3C\x00", 3));
    for (int i : {420, 414, 407, 433, 441}) EXPECT_EQ(cella(i), std::string("\x0C\xB4\x00", 3)) << i;

    EXPECT_FALSE(dir.esiste("Corvale_Mendra_linea.txt"));
    EXPECT_FALSE(dir.esiste("Corvale_Mendra_4821-3-.txt"));
    for (const char* documento : {"Corvale_Mendra_4821-3_note.txt", "Corvale_Mendra_4821-3_rallentamenti.txt",
                                  "Corvale_Mendra_4821-3_scheda_treno.txt"})
        EXPECT_TRUE(dir.esiste(documento)) << documento;
}

TEST(EsecuzioneNormale, ASecondForcedRunReplacesEveryFileWithTheSameBytes) {
    prova::CartellaTemporanea dir;
    ASSERT_EQ(esegui(dir, "").stato, 0);
    dir.scrivi("Corvale_Mendra_4821-3.dat", std::string(40000, 'x'));

    Risultato r = esegui(dir, "--force");

    EXPECT_EQ(r.stato, 0);
    EXPECT_EQ(dir.leggi("Corvale_Mendra_4821-3.dat"), leggi_dati("Corvale_Mendra_4821-3.dat"));
}

}  // namespace
}  // namespace compattatore
