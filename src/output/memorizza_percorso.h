// The route compiler's entry point: read, finish, check, stamp and write.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/memorizza_dati.h"
#include "compiler/modello.h"

namespace compattatore {

void memorizza_percorso(Modello& m, int32_t& j, const SorgentiDescrizione& sorgenti, const std::string& directory);

}  // namespace compattatore
