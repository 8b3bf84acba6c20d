#include "platform/memoria.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

// Windows maps a buffer's pages when they are first touched and has no call
// to map a range already allocated at once; nothing is done.
void prepara_pagine(void* /*inizio*/, size_t /*byte*/) {}

void prepara_pagine_grandi(void* /*inizio*/, size_t /*byte*/) {}

}  // namespace compattatore::piattaforma
