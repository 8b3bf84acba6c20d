#include "run/comando_ispeziona.h"

#include <iostream>
#include <stdexcept>

#include "ispezione/rapporto.h"
#include "run/argomenti_file.h"
#include "run/stato_uscita.h"

namespace compattatore {

int esegui_ispeziona(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    Intervallo intervallo;
    bool json = false;
    try {
        bool directory_data = false;
        for (size_t i = 0; i < argomenti.size(); ++i) {
            if (argomento_file(argomenti, i, richiesta, directory_data)) continue;
            if (argomenti[i] == "--json") {
                json = true;
            } else if (argomenti[i] == "--from") {
                intervallo.da = metri_da_km(valore_opzione(argomenti, i));
            } else if (argomenti[i] == "--to") {
                intervallo.a = metri_da_km(valore_opzione(argomenti, i));
            } else {
                throw std::invalid_argument("unknown argument '" + std::string(argomenti[i]) + "'");
            }
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << "compattatore inspect: " << e.what() << "\nTry 'compattatore --help'.\n";
        return USCITA_USO;
    }
    return con_file_compilati(richiesta, "inspect", [&](const FileCompilati& file) {
        const Rapporto rapporto = costruisci_rapporto(file.scenario, file.chiavi, intervallo);
        scrivi_uscita_standard(json ? rapporto_json(rapporto) : rapporto_testo(rapporto));
        return int{USCITA_RIUSCITA};
    });
}

}  // namespace compattatore
