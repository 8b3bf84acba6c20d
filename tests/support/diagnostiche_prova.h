// What tests look at in a list of diagnostics: its first error, the code the
// reading recorded, the finishing pass's codes.
#pragma once

#include <cstdint>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "compiler/compila.h"
#include "compiler/diagnostiche.h"

namespace compattatore::prova {

// An empty diagnostic when there is no error.
inline Diagnostica primo_errore(const ElencoDiagnostiche& d) {
    const Diagnostica* p = d.primo_errore();
    return p != nullptr ? *p : Diagnostica{};
}

// The code the reading recorded (0: it read both files whole). The finishing
// pass reports only after a clean reading, so an error recorded is the
// reading's.
inline int32_t codice_lettura(const ElencoDiagnostiche& d) {
    const int32_t codice = codice_registrato(d).codice;
    const auto voce = voce_codice(codice);
    return voce && voce->livello == Livello::errore ? codice : 0;
}

// The finishing pass's codes, in the order found: the coded warnings.
inline std::vector<int32_t> codici_finitura(const ElencoDiagnostiche& d) {
    std::vector<int32_t> codici;
    for (const Diagnostica& v : d.voci())
        if (v.codice && v.livello == Livello::avviso) codici.push_back(*v.codice);
    return codici;
}

// What `compile` shows with no -W option: all but the kinds off by default.
inline std::vector<Diagnostica> mostrate(const ElencoDiagnostiche& d) {
    return da_mostrare(d.voci(),
                       std::set<std::string, std::less<>>(std::begin(GRUPPI_SPENTI), std::end(GRUPPI_SPENTI)));
}

}  // namespace compattatore::prova
