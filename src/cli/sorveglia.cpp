#include "cli/sorveglia.h"

#include <chrono>
#include <optional>

#include "cli/stato_uscita.h"
#include "platform/file.h"
#include "platform/flussi_standard.h"
#include "platform/sorveglianza.h"

namespace compattatore {

namespace {

// An editor's save is over well within this time.
constexpr std::chrono::milliseconds QUIETE{250};

std::optional<std::string> primo_mancante(const std::vector<std::string>& sorgenti) {
    for (const std::string& percorso : sorgenti)
        if (!piattaforma::esiste(percorso)) return percorso;
    return std::nullopt;
}

}  // namespace

int compila_sorvegliando(const std::vector<std::string>& sorgenti, const std::function<int()>& compila) {
    try {
        // Watching starts before the first compile, so no change is missed.
        piattaforma::SorveglianzaFile sorveglianza(sorgenti);
        std::optional<std::string> segnalato;  // the missing file already reported
        bool primo = true;
        for (;;) {
            const std::optional<std::string> mancante = primo_mancante(sorgenti);
            if (!mancante || mancante != segnalato) {
                if (!primo)
                    piattaforma::scrivi_su_uscita("---------------- " + piattaforma::ora_locale() +
                                                  " ----------------\n");
                if (mancante)
                    piattaforma::scrivi_su_errore("compattatore compile: " + *mancante +
                                                  " is missing; waiting for it\n");
                else
                    compila();
                segnalato = mancante;
                primo = false;
            }
            if (sorveglianza.attendi(QUIETE) == piattaforma::SorveglianzaFile::Evento::interruzione)
                return USCITA_RIUSCITA;
            for (const std::string& directory : sorveglianza.riarmate())
                piattaforma::scrivi_su_errore("compattatore compile: watching " + directory +
                                              " anew (the folder is back, or a link now leads there)\n");
        }
    } catch (const piattaforma::ErroreFile& e) {
        piattaforma::scrivi_su_errore(std::string("compattatore compile: ") + e.what() + "\n");
        return USCITA_FILE;
    }
}

}  // namespace compattatore
