#include "documents/documenti.h"
#include "documents/scrivi_righe.h"
#include "impostazioni.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

void dati_note(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
               bool sincronizza) {
    // Windows-1252: "\xE8" is e grave, "\xE0" is a grave. The author line is a
    // setting of the build.
    const std::string_view righe[] = {
        "Autore:",
        AUTORE_NOTE,
        "",
        "Il tracciato riproduce al 95% la linea da Firenze a Bologna C.le.",
        "L'editor \xE8 stato ricavato da piantine topografiche in scala 1:50.000",
        "e da orari di servizio generali, datato 1995.",
        "Il treno non presenta particolari difficolt\xE0 di guida, simulando il lavoro",
        "quotidiano dei macchinisti, dove tutto funziona bene.",
    };
    scrivi_righe(piattaforma::unisci(directory, nome_note(chiave_linea, chiave_treno)), righe, sincronizza);
}

}  // namespace compattatore
