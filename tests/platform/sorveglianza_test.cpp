// The watch of a few source files, on every system: a change to one of them
// ends the wait once the burst of events it makes is over; a file beside
// them that changes does not.
#include "platform/sorveglianza.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/file.h"
#include "support/cartella_temporanea.h"

namespace compattatore::piattaforma {
namespace {

using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;

TEST(SorveglianzaFile, AChangeToAWatchedFileEndsTheWaitOnceItsBurstIsOverAndANeighbourDoesNot) {
    constexpr std::chrono::milliseconds QUIETE{400};
    struct Caso {
        const char* nome;
        std::function<void(const std::string&)> cambia;
    } casi[] = {
        {"written in place", [](const std::string& f) { prova::scrivi_tutto(f, "scritto sul posto"); }},
        {"replaced by a file renamed over it", [](const std::string& f) { sostituisci(f, "sostituito"); }},
        {"deleted and created again",
         [](const std::string& f) {
             std::filesystem::remove(f);
             prova::scrivi_tutto(f, "creato di nuovo");
         }},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        prova::CartellaTemporanea dir;
        const std::string sorgente = dir.scrivi("sorgente.txt", "prima");
        SorveglianzaFile sorveglianza({sorgente});
        auto fine = std::async(std::launch::async, [&] {
            const SorveglianzaFile::Evento evento = sorveglianza.attendi(QUIETE);
            return std::pair{evento, Orologio::now()};
        });

        std::this_thread::sleep_for(300ms);
        dir.scrivi("vicino.txt", "non sorvegliato");
        std::this_thread::sleep_for(700ms);
        caso.cambia(sorgente);
        std::this_thread::sleep_for(150ms);
        const auto ultimo = Orologio::now();
        prova::scrivi_tutto(sorgente, "ancora");  // the same save's last event

        // A wait that never ends would hold the test for good.
        if (fine.wait_for(30s) != std::future_status::ready) {
            std::fputs("SorveglianzaFile::attendi never returned after a change\n", stderr);
            std::abort();
        }
        const auto [evento, quando] = fine.get();
        EXPECT_EQ(evento, SorveglianzaFile::Evento::cambiamento);
        EXPECT_GE(quando - ultimo, QUIETE) << "ended before the burst was over";
    }
}

}  // namespace
}  // namespace compattatore::piattaforma
