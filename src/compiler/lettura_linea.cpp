#include "compiler/lettura_linea.h"

#include "compiler/progressive_ordina.h"

namespace compattatore {

Esito leggi_descrizione_linea(Lettura& l, int32_t& prossimo_cartello) {
    if (leggi_intestazione_linea(l) == Esito::interrotta) return Esito::interrotta;
    progressive_ordina(l.m.oggetti);
    return leggi_corpo_linea(l, prossimo_cartello);
}

}  // namespace compattatore
