// The command line read and its usage errors told, for every command alike.
#include <gtest/gtest.h>

#include <string>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

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
