#include "platform/guasti.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/flussi_standard.h"
#include "platform/temporanei.h"

namespace compattatore::piattaforma {

namespace {

// The number of a call, from the environment; 0: none.
uint64_t chiamata_in(const char* variabile) {
    const char* valore = std::getenv(variabile);
    return valore == nullptr ? 0 : std::strtoull(valore, nullptr, 10);
}

}  // namespace

bool chiamata_guasta(const char* chiamata) {
    static const uint64_t bersaglio = chiamata_in("COMPATTATORE_PROVA_GUASTO");
    static const uint64_t segnale = chiamata_in("COMPATTATORE_PROVA_SEGNALE");
    // Counted on every thread that writes, each call once.
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
    static std::atomic<uint64_t> contatore{0};
    if (bersaglio == 0 && segnale == 0) return false;
    const uint64_t contate = ++contatore;
    if (contate == segnale) {
        scrivi_su_errore("compattatore: test SIGTERM at file-system call " + std::to_string(contate) + " (" + chiamata +
                         ")\n");
        segnala_al_programma(SIGTERM);
    }
    if (contate != bersaglio) return false;
    scrivi_su_errore("compattatore: test failure of file-system call " + std::to_string(contate) + " (" + chiamata +
                     ")\n");
    errno = EIO;
    return true;
}

}  // namespace compattatore::piattaforma
