#include "platform/memoria.h"

#include <sys/mman.h>
#include <unistd.h>

#include <memory>

namespace compattatore::piattaforma {

void prepara_pagine(void* inizio, size_t byte) {
#ifdef MADV_POPULATE_WRITE
    // Only whole pages inside the range; a failure leaves them to be mapped one by one.
    const auto pagina = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    void* base = inizio;
    size_t resto = byte;
    if (std::align(pagina, pagina, base, resto) == nullptr) return;
    const size_t intere = resto / pagina * pagina;
#ifdef MADV_HUGEPAGE
    // On a virtual machine each small page costs a fault in the host as well
    // on its first store, even when populated here; large pages take a few.
    ::madvise(base, intere, MADV_HUGEPAGE);
#endif
    ::madvise(base, intere, MADV_POPULATE_WRITE);
#else
    (void)inizio;
    (void)byte;
#endif
}

}  // namespace compattatore::piattaforma
