// Memory that a computation is about to fill.
#pragma once

#include <cstddef>

namespace compattatore::piattaforma {

// Maps the pages of [inizio, inizio + byte) in one call, so that filling
// them does not trap once per page (costly on virtual machines). Nothing
// changes where the system cannot do it.
void prepara_pagine(void* inizio, size_t byte);

}  // namespace compattatore::piattaforma
