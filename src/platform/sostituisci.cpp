// One file replaced whole: the same on every system, since the new file and
// the set replace below it are each system's own.
#include "platform/file.h"

namespace compattatore::piattaforma {

void sostituisci(const std::string& percorso, std::string_view contenuto, bool sincronizza) {
    FileNuovo file(percorso);
    file.scrivi(contenuto);
    file.chiudi(sincronizza);
    FileNuovo* solo = &file;
    rinomina_insieme({&solo, 1}, sincronizza);
}

}  // namespace compattatore::piattaforma
