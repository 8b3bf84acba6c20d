#include "output/memorizza_percorso.h"

namespace compattatore {

void memorizza_percorso(Modello& m, int32_t& j, const SorgentiDescrizione& sorgenti, const std::string&) {
    m.stato.crea_tracciato = j;
    m.stato.codice_errore = 0;
    memorizza_dati(m, sorgenti);
}

}  // namespace compattatore
