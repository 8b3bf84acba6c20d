#include "platform/memoria.h"

#include <sys/mman.h>
#include <unistd.h>

#include <memory>

namespace compattatore::piattaforma {

namespace {

// The whole pages inside [inizio, inizio + byte), or none.
struct Pagine {
    void* inizio = nullptr;
    size_t byte = 0;
};

Pagine pagine_intere(void* inizio, size_t byte) {
    const auto pagina = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    void* base = inizio;
    size_t resto = byte;
    if (std::align(pagina, pagina, base, resto) == nullptr) return {};
    return {base, resto / pagina * pagina};
}

void popola(Pagine p) {
#ifdef MADV_POPULATE_WRITE
    // A failure leaves the pages to be mapped one by one.
    if (p.byte > 0) ::madvise(p.inizio, p.byte, MADV_POPULATE_WRITE);
#else
    (void)p;
#endif
}

}  // namespace

void prepara_pagine(void* inizio, size_t byte) { popola(pagine_intere(inizio, byte)); }

void prepara_pagine_grandi(void* inizio, size_t byte) {
    const Pagine p = pagine_intere(inizio, byte);
#ifdef MADV_HUGEPAGE
    if (p.byte > 0) ::madvise(p.inizio, p.byte, MADV_HUGEPAGE);
#endif
    popola(p);
}

}  // namespace compattatore::piattaforma
