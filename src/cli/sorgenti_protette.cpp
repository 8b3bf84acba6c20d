#include "cli/sorgenti_protette.h"

#include "cli/errore_uso.h"
#include "platform/file.h"

namespace compattatore {

void rifiuta_uscite_sulle_sorgenti(const std::vector<std::string>& uscite, const std::vector<std::string>& sorgenti) {
    for (const std::string& uscita : uscite)
        for (const std::string& sorgente : sorgenti)
            if (piattaforma::stesso_file(uscita, sorgente)) {
                std::string motivo = "the compiled file " + uscita;
                motivo += " would replace the source " + sorgente;
                motivo += ": write elsewhere (-o) or under other keys";
                throw ErroreUso(motivo);
            }
}

}  // namespace compattatore
