// Runs that write into one directory take turns, on every system: the lock
// is the directory's, whatever name each run gives it.
#include "platform/blocco_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
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

// The output directory is held by another run: the program says once that
// it waits, writes nothing meanwhile, and runs once the directory is free.
TEST(BloccoDirectory, ASecondRunWaitsForTheFirstAndSaysSoOnce) {
    CartellaTemporanea dir, raccolta;
    dir.scrivi(LINEA_NORMALE, prova::dato_normale(LINEA_NORMALE));
    dir.scrivi(TRENO_NORMALE, prova::dato_normale(TRENO_NORMALE));
    fs::create_directory(dir.percorso() / "out");
    const std::string attesa = "another run is writing into ";
    struct Caso {
        const char* nome;
        std::vector<std::string> argomenti;
        std::string directory;  // as the run names it
        std::string da_dove;    // the run's working directory; empty: the test's
    } casi[] = {
        {"normal run", {"--dir", dir.file("out"), "--no-window"}, dir.file("out"), ""},
        {"compile",
         {"compile", dir.file(LINEA_NORMALE), dir.file(TRENO_NORMALE), "-o", dir.file("out")},
         dir.file("out"),
         ""},
        {"normal run naming the directory from within its parent", {"--dir", "out", "--no-window"}, "out", dir.str()},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        fs::remove_all(dir.percorso() / "out");
        fs::create_directory(dir.percorso() / "out");
        std::optional<piattaforma::BloccoDirectory> primo;
        bool atteso_da_noi = false;
        primo.emplace(dir.file("out"), [&] { atteso_da_noi = true; });
        ASSERT_FALSE(atteso_da_noi);

        prova::AvvioProcesso avvio{
            .argomenti = {PROGRAMMA}, .file_errori = raccolta.file("stderr"), .directory = caso.da_dove};
        avvio.argomenti.insert(avvio.argomenti.end(), caso.argomenti.begin(), caso.argomenti.end());
        prova::ProcessoFiglio secondo(avvio);
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (raccolta.leggi("stderr").find(attesa) == std::string::npos && secondo.in_corso() &&
               std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(secondo.in_corso()) << raccolta.leggi("stderr");
        EXPECT_TRUE(prova::istantanea(dir.percorso() / "out").empty()) << "nothing written while waiting";

        primo.reset();
        const auto stato = secondo.attendi(std::chrono::seconds(60));
        ASSERT_TRUE(stato.has_value());
        EXPECT_EQ(*stato, 0);
        const std::string errori = raccolta.leggi("stderr");
        EXPECT_EQ(errori.find(attesa), errori.rfind(attesa)) << "said once: " << errori;
        EXPECT_NE(errori.find(attesa + caso.directory + "; waiting for it to finish"), std::string::npos) << errori;
        EXPECT_EQ(prova::sha256_hex(prova::leggi_tutto(dir.percorso() / "out" / prova::FILE_TRACCIATO_NORMALE)),
                  prova::SHA256_TRACCIATO_NORMALE);
    }
}

}  // namespace
}  // namespace compattatore
