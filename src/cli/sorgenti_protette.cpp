#include "cli/sorgenti_protette.h"

#include <optional>

#include "cli/errore_uso.h"
#include "platform/file.h"

namespace compattatore {

void rifiuta_uscite_sulle_sorgenti(const std::vector<std::string>& uscite, const std::vector<std::string>& sorgenti) {
    // Each path looked up once, not once a pair: a line's many trains have
    // many outputs and as many sources.
    std::vector<std::optional<piattaforma::IdentitaFile>> identita_sorgenti;
    identita_sorgenti.reserve(sorgenti.size());
    for (const std::string& sorgente : sorgenti) identita_sorgenti.push_back(piattaforma::identita_file(sorgente));
    for (const std::string& uscita : uscite) {
        const std::optional<piattaforma::IdentitaFile> identita = piattaforma::identita_file(uscita);
        if (!identita) continue;
        for (size_t i = 0; i < sorgenti.size(); ++i)
            if (identita_sorgenti[i] == identita) {
                std::string motivo = "the compiled file " + uscita;
                motivo += " would replace the source " + sorgenti[i];
                motivo += ": write elsewhere (-o) or under other keys";
                throw ErroreUso(motivo);
            }
    }
}

}  // namespace compattatore
