// The shown error: a code in a message that must be acknowledged, after which
// the run ends.
#pragma once

#include <string>

#include "platform/interfaccia.h"

namespace compattatore {

// Shows " Errore n. " followed by `a` (a code in decimal digits) and returns
// the exit status the caller must end the program with at once. Ending by
// return rather than inside lets every open file close and keeps the
// compiler usable from tests and other commands.
[[nodiscard]] int errore(piattaforma::Interfaccia& interfaccia, const std::string& a);

}  // namespace compattatore
