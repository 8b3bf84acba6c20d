#include "cli/cartella_uscita.h"

#include "platform/file.h"

namespace compattatore {

void prepara_cartella_uscita(const std::string& cartella) {
    if (cartella.empty()) return;
    try {
        piattaforma::crea_directory(cartella);
    } catch (const piattaforma::ErroreFile&) {  // NOLINT(bugprone-empty-catch): the writing reports it
    }
}

}  // namespace compattatore
