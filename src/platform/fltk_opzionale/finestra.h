// The windowed interface: the wait window and modal message boxes, drawn
// with FLTK. Built only when FLTK is installed.
#pragma once

#include <memory>

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

// Null when no display can be opened; the caller then falls back to the
// console. FLTK would end the process itself on a missing display, so the
// display is opened here first and handed over.
std::unique_ptr<Interfaccia> crea_finestra();

}  // namespace compattatore::piattaforma
