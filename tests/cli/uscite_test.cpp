// Where the compiled files may go: never over a source, and synced to the
// disk when asked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"
#include "support/sha256.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::CartellaTemporanea;

using prova::LINEA_NORMALE;
using prova::TRENO_NORMALE;

// The regular files of a directory with their bytes (links and directories left out).
std::map<std::string, std::string> file_regolari(const fs::path& directory) {
    std::map<std::string, std::string> file;
    for (const auto& voce : fs::directory_iterator(directory))
        if (voce.is_regular_file() && !voce.is_symlink())
            file[voce.path().filename().string()] = prova::leggi_tutto(voce.path());
    return file;
}

// Sources that the compiled files of keys a and b would replace, reached by
// the same or another path.
TEST(Compila, RefusesToWriteOverItsOwnSources) {
    struct Caso {
        const char* nome;
        std::function<std::vector<std::string>(const CartellaTemporanea&)> argomenti;
        std::string sostituita;  // the source named in the message
    };
    const Caso casi[] = {
        {"sources named as the object and cell files",
         [](const auto& d) {
             return std::vector<std::string>{
                 d.file("a_b.sim"), d.file("a_b.dat"), "--line-key", "a", "--train-key", "b", "-o", d.str()};
         },
         "a_b.sim"},
        {"the line source named as the plan file, reached through a link to the directory",
         [](const auto& d) {
             fs::create_directory_symlink(d.percorso(), d.percorso() / "via");
             return std::vector<std::string>{
                 d.file("a_linea.dat"), d.file("t.txt"), "--line-key", "a", "--train-key", "b", "-o", d.file("via")};
         },
         "a_linea.dat"},
        {"a hard link to the train source under the cell file's name",
         [](const auto& d) {
             fs::create_directory(d.percorso() / "out");
             fs::create_hard_link(d.file("t.txt"), d.percorso() / "out" / "a_b.dat");
             return std::vector<std::string>{
                 d.file("l.txt"), d.file("t.txt"), "--line-key", "a", "--train-key", "b", "-o", d.file("out")};
         },
         "t.txt"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        for (const char* nome : {"a_b.sim", "a_linea.dat", "l.txt"})
            dir.scrivi(nome, prova::dato_normale(LINEA_NORMALE));
        for (const char* nome : {"a_b.dat", "t.txt"}) dir.scrivi(nome, prova::dato_normale(TRENO_NORMALE));
        std::vector<std::string> argomenti = {"compile"};
        for (const std::string& a : caso.argomenti(dir)) argomenti.push_back(a);
        const auto prima = file_regolari(dir.percorso());

        const auto esito = prova::esegui_programma(argomenti);

        EXPECT_EQ(esito.stato, 2) << esito.errori;
        EXPECT_NE(esito.errori.find("would replace the source " + dir.file(caso.sostituita)), std::string::npos)
            << esito.errori;
        EXPECT_EQ(file_regolari(dir.percorso()), prima);
    }
}

TEST(Compila, SyncIsAcceptedAndGivesTheSameFiles) {
    CartellaTemporanea dir;
    dir.scrivi(LINEA_NORMALE, prova::dato_normale(LINEA_NORMALE));
    dir.scrivi(TRENO_NORMALE, prova::dato_normale(TRENO_NORMALE));

    const auto esito = prova::esegui_programma(
        {"compile", dir.file(LINEA_NORMALE), dir.file(TRENO_NORMALE), "-o", dir.str(), "--sync"});

    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_EQ(prova::sha256_hex(dir.leggi(prova::FILE_TRACCIATO_NORMALE)), prova::SHA256_TRACCIATO_NORMALE);
    EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_EQ(dir.leggi(prova::FILE_CELLE_NORMALE), prova::dato_normale(prova::FILE_CELLE_NORMALE));
    EXPECT_EQ(prova::istantanea(dir.percorso()).size(), 5u) << "no temporary stays";
}

TEST(EsecuzioneNormale, SyncIsAcceptedAndGivesTheSameFiles) {
    const auto& normale = prova::corsa_normale_eseguita();
    CartellaTemporanea dir;

    const auto esito = prova::esegui_programma({"--dir", dir.str(), "--no-window", "--sync"});

    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_TRUE(prova::istantanea(dir.percorso()) == prova::istantanea(normale.directory));  // 2 MB: no dump
}

}  // namespace
}  // namespace compattatore
