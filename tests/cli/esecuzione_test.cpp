// The program as its users start it: the run order, failures and options.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace {

namespace fs = std::filesystem;
namespace prova = compattatore::prova;

const char* const DOCUMENTI[] = {"Corvale_Mendra_4821-3_note.txt", "Corvale_Mendra_4821-3_rallentamenti.txt",
                                 "Corvale_Mendra_4821-3_scheda_treno.txt"};

TEST(EsecuzioneNormale, WritesTheDocumentsAndGivesTheSameBytesTwice) {
    prova::CartellaTemporanea cartella;
    auto prima = prova::esegui_programma({"--dir", cartella.str()});
    ASSERT_EQ(prima.stato, 0) << prima.errori;
    EXPECT_EQ(prima.errori.rfind("Attendere\n", 0), 0u) << "the wait indicator comes before anything else";
    std::vector<std::string> contenuti;
    for (const char* nome : DOCUMENTI) contenuti.push_back(prova::leggi_tutto(cartella.file(nome)));
    EXPECT_EQ(contenuti[1], prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/" + DOCUMENTI[1]));

    auto seconda = prova::esegui_programma({"--dir", cartella.str()});
    ASSERT_EQ(seconda.stato, 0) << seconda.errori;
    for (size_t i = 0; i < std::size(DOCUMENTI); ++i)
        EXPECT_EQ(prova::leggi_tutto(cartella.file(DOCUMENTI[i])), contenuti[i]) << DOCUMENTI[i];
}

TEST(EsecuzioneNormale, WithoutArgumentsWorksInTheProgramsOwnDirectory) {
    prova::CartellaTemporanea cartella;
    std::string copia = cartella.file("compattatore");
    fs::copy_file(PROGRAMMA, copia);
    auto esito = prova::esegui(copia, {});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    for (const char* nome : DOCUMENTI) EXPECT_TRUE(fs::exists(cartella.file(nome))) << nome;
}

TEST(EsecuzioneNormale, AFailingStepIsReportedAndStopsTheRunKeepingEarlierFiles) {
    prova::CartellaTemporanea cartella;
    // A non-empty directory where the notes must go makes step 3 fail.
    fs::create_directory(cartella.file(DOCUMENTI[0]));
    prova::scrivi_tutto(cartella.file(std::string(DOCUMENTI[0]) + "/tieni"), "x");

    auto esito = prova::esegui_programma({"--dir", cartella.str()});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_NE(esito.errori.find(cartella.file(DOCUMENTI[0])), std::string::npos) << esito.errori;
    EXPECT_NE(esito.errori.find("Is a directory"), std::string::npos) << esito.errori;
    // Steps 1 and 2 stay; steps 4 and 5 never ran.
    EXPECT_TRUE(fs::exists(cartella.file("Corvale_Mendra_linea.txt")));
    EXPECT_TRUE(fs::exists(cartella.file("Corvale_Mendra_4821-3-.txt")));
    EXPECT_FALSE(fs::exists(cartella.file(DOCUMENTI[1])));
    EXPECT_FALSE(fs::exists(cartella.file(DOCUMENTI[2])));
}

TEST(EsecuzioneNormale, AMissingDirectoryFailsAtTheFirstFile) {
    prova::CartellaTemporanea cartella;
    auto esito = prova::esegui_programma({"--dir", cartella.file("non-esiste")});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_NE(esito.errori.find("Corvale_Mendra_linea.txt"), std::string::npos) << esito.errori;
    EXPECT_NE(esito.errori.find("No such file or directory"), std::string::npos) << esito.errori;
}

TEST(RigaComando, OptionsAndUsageErrors) {
    struct Caso {
        std::vector<std::string> argomenti;
        int stato;
        std::string in_uscita;
        std::string in_errori;
    } casi[] = {
        {{"--help"}, 0, "Usage: compattatore", ""},
        {{"--version"}, 0, "compattatore ", ""},
        {{"compile", "--help"}, 0, "compattatore compile LINE_FILE TRAIN_FILE", ""},
        {{"inspect", "--help"}, 0, "compattatore inspect [DIR]", ""},
        {{"draw", "DIR", "-h"}, 0, "compattatore draw [DIR]", ""},
        {{"--dir"}, 2, "", "--dir needs a directory"},
        {{"--bogus"}, 2, "", "unknown option '--bogus'"},
        {{"extra"}, 2, "", "unexpected argument 'extra'\nTry 'compattatore --help'."},
        {{"view", "uno", "due"},
         2,
         "",
         "compattatore view: more than one directory given\nTry 'compattatore view --help'."},
        {{"decompile", "--bogus"}, 2, "", "compattatore decompile: unknown option '--bogus'"},
        {{"inspect", "--from", "3", "--to", "2"}, 2, "", "compattatore inspect: --from must come before --to"},
        {{"init", "--line-key"}, 2, "", "compattatore init: --line-key needs a value"},
        {{"compile", "-Wno-bogus"}, 2, "", "compattatore compile: no warning kind 'bogus' to silence"},
        {{"decompile", "--bogus", "--help"}, 2, "", "unknown option '--bogus'"},
        {{"decompile", "--help", "--bogus"}, 0, "Usage: compattatore decompile", ""},
        // Standard output is one file; a command writing two or three has no use for it.
        {{"decompile", "DIR", "-o", "-"},
         2,
         "",
         "compattatore decompile: -o takes the directory of the description files"},
        {{"compile", "l.txt", "t.txt", "-o", "-"},
         2,
         "",
         "compattatore compile: -o takes the directory of the binary files"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.argomenti[0] + " " + caso.argomenti.back());
        auto esito = prova::esegui_programma(caso.argomenti);
        EXPECT_EQ(esito.stato, caso.stato);
        EXPECT_NE(esito.uscita.find(caso.in_uscita), std::string::npos) << esito.uscita;
        EXPECT_NE(esito.errori.find(caso.in_errori), std::string::npos) << esito.errori;
        if (caso.stato != 0) {
            EXPECT_TRUE(esito.uscita.empty());
        }
    }
}

TEST(RigaComando, EachCommandsHelpShowsItsOwnSynopsis) {
    for (const std::string comando : {"init", "compile", "inspect", "draw", "decompile"}) {
        SCOPED_TRACE(comando);
        auto esito = prova::esegui_programma({comando, "--help"});
        EXPECT_EQ(esito.stato, 0);
        EXPECT_EQ(esito.uscita.rfind("Usage: compattatore " + comando + " ", 0), 0u) << esito.uscita;
        for (const std::string altro : {"init", "compile", "inspect", "draw", "decompile"})
            if (altro != comando) {
                EXPECT_EQ(esito.uscita.find("compattatore " + altro), std::string::npos) << altro;
            }
    }
}

// The usage at the top of the main help has a line for each form of each
// command's own usage: the same line, or its start followed by the
// shorthand [options] (or [--help], the one option of lsp).
TEST(RigaComando, TheMainUsageHasEveryFormOfEveryCommand) {
    const std::string principale = prova::esegui_programma({"--help"}).uscita;
    const std::string usi = principale.substr(0, principale.find("\n\n"));
    for (const std::string comando : {"init", "compile", "inspect", "draw", "view", "decompile", "lsp"}) {
        const std::string proprio = prova::esegui_programma({comando, "--help"}).uscita;
        std::istringstream righe(proprio.substr(0, proprio.find("\n\n")));
        for (std::string riga; std::getline(righe, riga);) {
            const size_t inizio = riga.find("compattatore " + comando);
            if (inizio == std::string::npos) continue;  // the options of the form above, carried on
            const std::string forma = riga.substr(inizio);
            SCOPED_TRACE(forma);
            bool trovata = false;
            std::istringstream righe_principali(usi);
            for (std::string r; std::getline(righe_principali, r);) {
                const std::string uso = r.substr(r.find("compattatore"));
                trovata = trovata || uso == forma;
                for (const std::string breve : {" [options]", " [--help]"}) {
                    if (!uso.ends_with(breve)) continue;
                    const std::string inizio_uso = uso.substr(0, uso.size() - breve.size());
                    trovata = trovata || forma == inizio_uso || forma.starts_with(inizio_uso + " ");
                }
            }
            EXPECT_TRUE(trovata) << usi;
        }
    }
}

}  // namespace
