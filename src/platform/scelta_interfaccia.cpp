#include "platform/interfaccia.h"

#ifdef COMPATTATORE_FINESTRA
#include "platform/fltk_opzionale/finestra.h"
#endif

namespace compattatore::piattaforma {

std::unique_ptr<Interfaccia> crea_interfaccia(bool finestra_permessa) {
#ifdef COMPATTATORE_FINESTRA
    if (finestra_permessa) {
        if (auto finestra = crea_finestra()) return finestra;
    }
#else
    (void)finestra_permessa;
#endif
    return crea_console();
}

}  // namespace compattatore::piattaforma
