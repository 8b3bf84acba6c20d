// The wait window and the message boxes, shown by the window program: a
// program of its own, so that this one needs neither the window toolkit nor
// the X libraries, and loads nothing at run time.
#pragma once

#include <memory>
#include <string>

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

// Starts `programma` and waits until it has opened the display. Null when it
// cannot: the caller falls back to the console. Says why on standard error,
// unless the display simply cannot be opened. Should the window program end
// later, the console stands in for what remains, with the same word.
std::unique_ptr<Interfaccia> avvia_finestra(const std::string& programma);

}  // namespace compattatore::piattaforma
