// cmake --install puts the program (with its window program, when built),
// its manual page and the documents under the prefix, and the installed
// program runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

TEST(Installazione, InstallsTheProgramItsManualAndDocumentsAndTheProgramRuns) {
    prova::CartellaTemporanea prefisso;
    const auto installa = prova::esegui(CMAKE_PROGRAMMA, {"--install", DIRECTORY_BUILD, "--prefix", prefisso.str()});
    ASSERT_EQ(installa.stato, 0) << installa.uscita << installa.errori;

    const fs::path& p = prefisso.percorso();
    for (const char* file :
         {"bin/compattatore", "share/man/man1/compattatore.1", "share/doc/compattatore/README.md",
          "share/doc/compattatore/docs/description-files.md", "share/doc/compattatore/docs/usage.md"})
        EXPECT_TRUE(fs::is_regular_file(p / file)) << file;
#ifdef COMPATTATORE_FINESTRA
    // The window program, which the installed program starts beside itself.
    EXPECT_TRUE(fs::is_regular_file(p / "bin/compattatore_finestra"));
    EXPECT_NE(fs::status(p / "bin/compattatore_finestra").permissions() & fs::perms::owner_exec, fs::perms::none);
#endif
    EXPECT_EQ(prova::leggi_tutto(p / "share/man/man1/compattatore.1"),
              prova::leggi_tutto(std::string(DIRECTORY_DOCS) + "/compattatore.1"));

    const std::string programma = (p / "bin/compattatore").string();
    const auto versione = prova::esegui(programma, {"--version"});
    EXPECT_EQ(versione.stato, 0);
    EXPECT_EQ(versione.uscita, prova::esegui_programma({"--version"}).uscita);

    // The normal run writes next to the installed executable.
    const auto corsa = prova::esegui(programma, {"--no-window"});
    ASSERT_EQ(corsa.stato, 0) << corsa.errori;
    EXPECT_EQ(prova::leggi_tutto(p / "bin" / prova::FILE_OGGETTI_NORMALE),
              prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_EQ(prova::leggi_tutto(p / "bin" / prova::FILE_CELLE_NORMALE),
              prova::dato_normale(prova::FILE_CELLE_NORMALE));
    EXPECT_TRUE(fs::exists(p / "bin/Corvale_Mendra_4821-3_note.txt"));
}

}  // namespace
}  // namespace compattatore
