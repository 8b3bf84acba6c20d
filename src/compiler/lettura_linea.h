// The line description reader: header part, progressive ordering, body and
// the fills at its end.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/lettura.h"
#include "compiler/parole_chiave.h"

namespace compattatore {

// The whole line file. `prossimo_cartello` receives the object record the next
// text sign would take, the limit for the train file's stations.
Esito leggi_descrizione_linea(Lettura& l, int32_t& prossimo_cartello);

// Its parts, in the order they run: up to and including the "[generale]"
// field and the header records (codes 102, 1, 3, 4, 5) ...
Esito leggi_intestazione_linea(Lettura& l);
// ... then the body records and, unless a code ended the reader, the
// gradient and plan fills that close the file.
Esito leggi_corpo_linea(Lettura& l, int32_t& prossimo_cartello);

}  // namespace compattatore
