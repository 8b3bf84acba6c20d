// Running a program to its end, the same on every system.
#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore::prova {

EsitoProcesso esegui(const std::string& programma, const std::vector<std::string>& argomenti,
                     const std::vector<std::string>& ambiente, const std::string& directory) {
    CartellaTemporanea raccolta;
    AvvioProcesso avvio{.argomenti = {programma},
                        .file_uscita = raccolta.file("stdout"),
                        .file_errori = raccolta.file("stderr"),
                        .directory = directory};
    avvio.argomenti.insert(avvio.argomenti.end(), argomenti.begin(), argomenti.end());
    for (const std::string& voce : ambiente) {
        const auto uguale = voce.find('=');
        if (uguale == std::string::npos) {
            avvio.ambiente[voce] = std::nullopt;
        } else {
            avvio.ambiente[voce.substr(0, uguale)] = voce.substr(uguale + 1);
        }
    }
    EsitoProcesso esito;
    {
        ProcessoFiglio processo(avvio);
        const auto stato = processo.attendi(std::chrono::minutes(1));
        EXPECT_TRUE(stato.has_value()) << programma << " did not end within a minute";
        esito.stato = stato.value_or(-1);
        esito.picco_memoria_kib = processo.picco_memoria_kib();
    }
    esito.uscita = raccolta.leggi("stdout");
    esito.errori = raccolta.leggi("stderr");
    return esito;
}

}  // namespace compattatore::prova
