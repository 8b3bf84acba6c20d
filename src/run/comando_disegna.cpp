#include "run/comando_disegna.h"

#include <iostream>
#include <optional>
#include <stdexcept>

#include "disegno/disegno.h"
#include "platform/file.h"
#include "run/argomenti_file.h"
#include "run/stato_uscita.h"

namespace compattatore {

int esegui_disegna(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    Intervallo intervallo;
    try {
        bool directory_data = false;
        for (size_t i = 0; i < argomenti.size(); ++i) {
            if (argomento_file(argomenti, i, richiesta, directory_data)) continue;
            if (argomenti[i] == "-o") {
                uscita = valore_opzione(argomenti, i);
            } else if (argomenti[i] == "--from") {
                intervallo.da = metri_da_km(valore_opzione(argomenti, i));
            } else if (argomenti[i] == "--to") {
                intervallo.a = metri_da_km(valore_opzione(argomenti, i));
            } else {
                throw std::invalid_argument("unknown argument '" + std::string(argomenti[i]) + "'");
            }
        }
        if (intervallo.da && intervallo.a && *intervallo.da >= *intervallo.a)
            throw std::invalid_argument("--from must come before --to");
    } catch (const std::invalid_argument& e) {
        std::cerr << "compattatore draw: " << e.what() << "\nTry 'compattatore --help'.\n";
        return USCITA_USO;
    }
    return con_file_compilati(richiesta, "draw", [&](const FileCompilati& file) {
        const std::string percorso = percorso_prodotto(uscita, richiesta, file, ".svg");
        piattaforma::sostituisci(percorso, disegna_scenario(file.scenario, file.chiavi, intervallo));
        scrivi_uscita_standard(
            std::string(file.scenario.tracciato.empty() ? "no plan file: the drawing holds the profile alone\n" : "") +
            "wrote " + percorso + "\n");
        return int{USCITA_RIUSCITA};
    });
}

}  // namespace compattatore
