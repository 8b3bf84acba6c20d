#include "compiler/memorizza_dati.h"

namespace compattatore {

void memorizza_dati(Modello&, const SorgentiDescrizione&) {}

}  // namespace compattatore
