#include "platform/interfaccia.h"

#ifdef COMPATTATORE_FINESTRA
#include <dlfcn.h>

#include <cstdlib>
#include "platform/flussi_standard.h"

#include "platform/file.h"
#include "platform/fltk_opzionale/finestra.h"
#endif

namespace compattatore::piattaforma {

#ifdef COMPATTATORE_FINESTRA
namespace {

// The window module is loaded only when a display is named: without one no
// window can open, and the toolkit and its libraries are not worth loading.
std::unique_ptr<Interfaccia> finestra_dal_modulo() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return nullptr;
    std::string modulo;
    try {
        modulo = unisci(directory_eseguibile(), MODULO_FINESTRA);
    } catch (const ErroreFile&) {
        return nullptr;
    }
    void* libreria = ::dlopen(modulo.c_str(), RTLD_NOW | RTLD_LOCAL);
    // A symbol found by name is a function only by the module's word.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    auto crea = libreria ? reinterpret_cast<CreaFinestra*>(::dlsym(libreria, NOME_CREA_FINESTRA)) : nullptr;
    if (crea == nullptr) {
        scrivi_su_errore(std::string("compattatore: no window (") + ::dlerror() + "); the console stands in\n");
        return nullptr;
    }
    return std::unique_ptr<Interfaccia>(crea());
}

}  // namespace
#endif

std::unique_ptr<Interfaccia> crea_interfaccia(bool finestra_permessa) {
#ifdef COMPATTATORE_FINESTRA
    if (finestra_permessa) {
        if (auto finestra = finestra_dal_modulo()) return finestra;
    }
#else
    (void)finestra_permessa;
#endif
    return crea_console();
}

}  // namespace compattatore::piattaforma
