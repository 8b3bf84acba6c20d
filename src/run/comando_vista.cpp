#include "run/comando_vista.h"

#include <iostream>
#include <optional>
#include <stdexcept>

#include "platform/file.h"
#include "run/argomenti_file.h"
#include "run/stato_uscita.h"
#include "vista/pagina.h"

namespace compattatore {

int esegui_vista(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    try {
        bool directory_data = false;
        for (size_t i = 0; i < argomenti.size(); ++i) {
            if (argomento_file(argomenti, i, richiesta, directory_data)) continue;
            if (argomenti[i] != "-o")
                throw std::invalid_argument("unknown argument '" + std::string(argomenti[i]) + "'");
            uscita = valore_opzione(argomenti, i);
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << "compattatore view: " << e.what() << "\nTry 'compattatore --help'.\n";
        return USCITA_USO;
    }
    return con_file_compilati(richiesta, "view", [&](const FileCompilati& file) {
        const std::string percorso = percorso_prodotto(uscita, richiesta, file, ".html");
        piattaforma::sostituisci(percorso, pagina_vista(file.scenario, file.chiavi));
        scrivi_uscita_standard(
            std::string(file.scenario.tracciato.empty() ? "no plan file: the page shows the profile alone\n" : "") +
            "wrote " + percorso + "\n");
        return int{USCITA_RIUSCITA};
    });
}

}  // namespace compattatore
