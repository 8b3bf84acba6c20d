// Standard output and standard error, written straight to their descriptors:
// the program keeps no stream library (whose start-up, on a small machine,
// costs as much as a quarter of a whole run), and nothing waits in a buffer.
// Pipes to other programs are written the same way.
#pragma once

#include <cstddef>
#include <string_view>

namespace compattatore::piattaforma {

// All of `testo` on the descriptor `fd`; false, with errno set, when a
// write fails.
bool scrivi_tutto(int fd, std::string_view testo);
// All of `testo` on standard output; ErroreFile ("cannot write", "standard
// output") when the system refuses it.
void scrivi_su_uscita(std::string_view testo);
// All of `testo` on standard error; a failure there has nowhere to be told.
void scrivi_su_errore(std::string_view testo);
// Up to `n` bytes of standard input into `dove`, waiting for at least one;
// 0 at the end of the input; ErroreFile ("cannot read", "standard input")
// when the system refuses it.
size_t leggi_da_ingresso(char* dove, size_t n);

}  // namespace compattatore::piattaforma
