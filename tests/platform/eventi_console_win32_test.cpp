// Ctrl-C, Ctrl-Break and the console's closing on Windows: they remove the
// temporaries of a run and end it as they would have, the old files intact;
// while a watch lives they end its wait instead of the program.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using namespace std::chrono_literals;

std::optional<int> interrotto(const std::vector<std::string>& argomenti) {
    prova::AvvioProcesso avvio{.argomenti = {INTERROTTO}};
    avvio.argomenti.insert(avvio.argomenti.end(), argomenti.begin(), argomenti.end());
    prova::ProcessoFiglio processo(avvio);
    return processo.attendi(30s);
}

TEST(EventiConsole, CtrlCRemovesTheTemporariesOldFilesIntactAndEndsTheRun) {
    prova::CartellaTemporanea dir;
    dir.scrivi("vecchio.sim", "vecchio");
    const auto stato = interrotto({"temporanei", dir.str(), "vecchio.sim", "nuovo.dat"});
    ASSERT_TRUE(stato.has_value()) << "still running after the event";
    EXPECT_NE(*stato, 8) << "no temporaries before the event";
    EXPECT_NE(*stato, 9) << "the event did not end the run";
    EXPECT_EQ(prova::istantanea(dir.percorso()), (std::map<std::string, std::string>{{"vecchio.sim", "vecchio"}}));
}

TEST(EventiConsole, CtrlCEndsAWatchsWaitAndNotTheProgram) {
    prova::CartellaTemporanea dir;
    const auto stato = interrotto({"sorveglianza", dir.scrivi("sorgente.txt", "")});
    ASSERT_TRUE(stato.has_value()) << "the wait went on after the event";
    EXPECT_EQ(*stato, 5);
}

}  // namespace
}  // namespace compattatore
