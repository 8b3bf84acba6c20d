// The wait window and the message box, native on Windows.
#pragma once

#include <memory>

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

std::unique_ptr<Interfaccia> crea_finestra_win32();

}  // namespace compattatore::piattaforma
