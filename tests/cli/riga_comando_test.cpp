// The command line read and its usage errors told, for every command alike.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

std::set<std::string> nomi_in(const fs::path& directory) {
    std::set<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(directory)) nomi.insert(voce.path().filename().string());
    return nomi;
}

// "--" ends the options: each argument after it is a word, even one that
// starts with '-'.
TEST(RigaComando, DoubleDashEndsTheOptions) {
    const std::set<std::string> sorgenti{"-L_linea.txt", "-L_T-.txt"};
    const std::set<std::string> compilati{"-L_linea.dat", "-L_T.sim", "-L_T.dat"};
    struct Caso {
        const char* nome;
        std::vector<std::string> argomenti;  // run in a directory that holds -L_linea.txt and -L_T-.txt
        int stato;
        std::string errori;  // the whole of standard error, for a usage error
        std::set<std::string> scritti;
    } casi[] = {
        {"files named -NAME after --", {"compile", "--", "-L_linea.txt", "-L_T-.txt"}, 0, "", compilati},
        {"options before --",
         {"compile", "--no-plan", "--", "-L_linea.txt", "-L_T-.txt"},
         0,
         "",
         {"-L_T.sim", "-L_T.dat"}},
        {"nothing after --", {"compile", "./-L_linea.txt", "./-L_T-.txt", "--"}, 0, "", compilati},
        {"the same files without --",
         {"compile", "-L_linea.txt", "-L_T-.txt"},
         2,
         "compattatore compile: unknown option '-L_linea.txt'\nTry 'compattatore compile --help'.\n",
         {}},
        {"--help after -- is a file",
         {"compile", "--", "-L_linea.txt", "--help"},
         2,
         "compattatore compile: the train key cannot be told from '--help' (not named -L_TRAIN-.txt): give "
         "--train-key\nTry 'compattatore compile --help'.\n",
         {}},
        {"a second -- is a file",
         {"compile", "--", "-L_linea.txt", "--"},
         2,
         "compattatore compile: the train key cannot be told from '--' (not named -L_TRAIN-.txt): give "
         "--train-key\nTry 'compattatore compile --help'.\n",
         {}},
        {"--help after -- is a word the run does not take",
         {"--", "--help"},
         2,
         "compattatore: unexpected argument '--help'\nTry 'compattatore --help'.\n",
         {}},
        {"-- ends the run's options too", {"--version", "--"}, 0, "", {}},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        prova::CartellaTemporanea dir;
        dir.scrivi("-L_linea.txt", prova::dato_normale("Corvale_Mendra_linea.txt"));
        dir.scrivi("-L_T-.txt", prova::dato_normale("Corvale_Mendra_4821-3-.txt"));

        const auto esito = prova::esegui(PROGRAMMA, caso.argomenti, {}, dir.str());

        EXPECT_EQ(esito.stato, caso.stato) << esito.errori;
        if (caso.stato == 2) {
            EXPECT_EQ(esito.errori, caso.errori);
            EXPECT_EQ(esito.uscita, "");
        }
        std::set<std::string> attesi = sorgenti;
        attesi.insert(caso.scritti.begin(), caso.scritti.end());
        EXPECT_EQ(nomi_in(dir.percorso()), attesi);
    }
}

// What is wrong with the files a command finds is a usage error too, but the
// command's help cannot put it right: no hint to it.
TEST(RigaComando, AUsageErrorInTheFilesFoundHasNoHintToTheHelp) {
    prova::CartellaTemporanea dir;
    dir.scrivi("A_B.sim", "");
    dir.scrivi("A_C.sim", "");
    for (const std::string comando : {"inspect", "draw", "view", "decompile"}) {
        SCOPED_TRACE(comando);
        const auto esito = prova::esegui_programma({comando, dir.str()});
        EXPECT_EQ(esito.stato, 2);
        EXPECT_EQ(esito.errori, "compattatore " + comando + ": more than one *.sim file in " + dir.str() +
                                    ": name the keys with --line-key and --train-key\n");
    }
}

}  // namespace
}  // namespace compattatore
