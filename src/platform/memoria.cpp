#include "platform/memoria.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace compattatore::piattaforma {

void prepara_pagine(void* inizio, size_t byte) {
#ifdef MADV_POPULATE_WRITE
    const auto pagina = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t da = (reinterpret_cast<uintptr_t>(inizio) + pagina - 1) / pagina * pagina;
    const uintptr_t a = (reinterpret_cast<uintptr_t>(inizio) + byte) / pagina * pagina;
    // Only whole pages inside the range; a failure leaves them to be mapped one by one.
    if (a > da) ::madvise(reinterpret_cast<void*>(da), a - da, MADV_POPULATE_WRITE);
#else
    (void)inizio;
    (void)byte;
#endif
}

}  // namespace compattatore::piattaforma
