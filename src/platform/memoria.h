// Memory that a computation is about to fill.
#pragma once

#include <cstddef>

namespace compattatore::piattaforma {

// Maps the pages of [inizio, inizio + byte) in one call, so that filling
// them does not trap once per page (costly on virtual machines: a trap
// there costs several times the mapping). Nothing changes where the system
// cannot do it.
void prepara_pagine(void* inizio, size_t byte);

// The same for a table of megabytes, asked for in large pages where the
// system has them: on a virtual machine even a mapped small page costs the
// host a fault at its first store.
void prepara_pagine_grandi(void* inizio, size_t byte);

}  // namespace compattatore::piattaforma
