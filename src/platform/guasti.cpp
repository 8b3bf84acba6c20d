#include "platform/guasti.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/flussi_standard.h"

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
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
    static uint64_t contate = 0;
    if (bersaglio == 0 && segnale == 0) return false;
    ++contate;
    if (contate == segnale) {
        scrivi_su_errore("compattatore: test SIGTERM at file-system call " + std::to_string(contate) + " (" + chiamata +
                         ")\n");
        ::raise(SIGTERM);
    }
    if (contate != bersaglio) return false;
    scrivi_su_errore("compattatore: test failure of file-system call " + std::to_string(contate) + " (" + chiamata +
                     ")\n");
    errno = EIO;
    return true;
}

}  // namespace compattatore::piattaforma
