// A seam for the tests of failing file-system calls. With the environment
// variable COMPATTATORE_PROVA_GUASTO set to N, the Nth file-system call of
// the run fails as a failing disk would make it fail (an input/output
// error), and says so on standard error; every call of this layer that
// touches a file counts, so a test can fail each of a run's calls in turn.
// With COMPATTATORE_PROVA_SEGNALE set to N, the program sends itself
// SIGTERM just before the Nth call, as a user's kill at that moment would.
#pragma once

#include <cerrno>
#include <type_traits>

namespace compattatore::piattaforma {

// True, with errno set to EIO, when this call is the one to fail.
bool chiamata_guasta(const char* chiamata);

// `esegui()` unless this call is the one to fail, which gives what the
// system gives for a failure: -1, or a null pointer.
template <class F>
auto contata(const char* chiamata, F esegui) -> decltype(esegui()) {
    using Esito = decltype(esegui());
    if (chiamata_guasta(chiamata)) {
        if constexpr (std::is_pointer_v<Esito>)
            return nullptr;
        else
            return Esito(-1);
    }
    return esegui();
}

}  // namespace compattatore::piattaforma
