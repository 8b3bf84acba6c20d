#include "platform/memoria.h"

#include <sys/mman.h>
#include <unistd.h>

#include <bit>
#include <cstdint>

namespace compattatore::piattaforma {

void prepara_pagine(void* inizio, size_t byte) {
#ifdef MADV_POPULATE_WRITE
    // Only whole pages inside the range; a failure leaves them to be mapped one by one.
    const auto pagina = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    auto* base = static_cast<char*>(inizio);
    const size_t scarto = (pagina - std::bit_cast<uintptr_t>(inizio) % pagina) % pagina;
    if (byte <= scarto) return;
    const size_t intere = (byte - scarto) / pagina * pagina;
    if (intere == 0) return;
#ifdef MADV_HUGEPAGE
    // On a virtual machine each small page costs a fault in the host as well
    // on its first store, even when populated here; large pages take a few.
    ::madvise(base + scarto, intere, MADV_HUGEPAGE);
#endif
    ::madvise(base + scarto, intere, MADV_POPULATE_WRITE);
#else
    (void)inizio;
    (void)byte;
#endif
}

}  // namespace compattatore::piattaforma
