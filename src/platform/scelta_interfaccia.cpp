#include "platform/interfaccia.h"

#ifdef COMPATTATORE_FINESTRA
#include <cstdlib>

#include "platform/file.h"
#include "platform/finestra_esterna.h"
#endif

namespace compattatore::piattaforma {

#ifdef COMPATTATORE_FINESTRA
namespace {

// The window program is started only when a display is named: without one
// no window can open, and the program is not worth starting. It sits next to
// this program.
std::unique_ptr<Interfaccia> finestra_se_display() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return nullptr;
    std::string programma;
    try {
        programma = unisci(directory_eseguibile(), PROGRAMMA_FINESTRA);
    } catch (const ErroreFile&) {
        return nullptr;
    }
    return avvia_finestra(programma);
}

}  // namespace
#endif

std::unique_ptr<Interfaccia> crea_interfaccia(bool finestra_permessa) {
#ifdef COMPATTATORE_FINESTRA
    if (finestra_permessa) {
        if (auto finestra = finestra_se_display()) return finestra;
    }
#else
    (void)finestra_permessa;
#endif
    return crea_console();
}

}  // namespace compattatore::piattaforma
