// The windowed interface: the wait window and modal message boxes, drawn
// with FLTK. Built only when FLTK is installed, as a module that the program
// loads at run time.
#pragma once

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

// The module's one entry point, found by this name. It gives a new window
// interface, or null when no display can be opened (the caller then falls
// back to the console). FLTK would end the process itself on a missing
// display, so the display is opened first and handed over.
using CreaFinestra = Interfaccia*();
inline constexpr const char* NOME_CREA_FINESTRA = "compattatore_crea_finestra";

}  // namespace compattatore::piattaforma
