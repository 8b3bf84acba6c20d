#include "documents/scrivi_righe.h"

#include "platform/file.h"

namespace compattatore {

std::string testo_righe(std::span<const std::string_view> tabella) {
    std::string contenuto;
    for (std::string_view riga : tabella) {
        contenuto.append(riga);
        contenuto.append("\r\n");
    }
    return contenuto;
}

void scrivi_righe(const std::string& percorso, std::span<const std::string_view> tabella, bool sincronizza) {
    piattaforma::sostituisci(percorso, testo_righe(tabella), sincronizza);
}

}  // namespace compattatore
