// The first error of a list of diagnostics, for tests that look at it alone.
#pragma once

#include "compiler/diagnostiche.h"

namespace compattatore::prova {

// An empty diagnostic when there is no error.
inline Diagnostica primo_errore(const ElencoDiagnostiche& d) {
    const Diagnostica* p = d.primo_errore();
    return p != nullptr ? *p : Diagnostica{};
}

}  // namespace compattatore::prova
