#include "platform/flussi_standard.h"

#include <unistd.h>

#include <cerrno>

#include "platform/file.h"

namespace compattatore::piattaforma {

bool scrivi_tutto(int fd, std::string_view testo) {
    while (!testo.empty()) {
        const ssize_t n = ::write(fd, testo.data(), testo.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        testo.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void scrivi_su_uscita(std::string_view testo) {
    if (!scrivi_tutto(STDOUT_FILENO, testo)) throw ErroreFile("cannot write", "standard output", errno);
}

void scrivi_su_errore(std::string_view testo) { (void)scrivi_tutto(STDERR_FILENO, testo); }

size_t leggi_da_ingresso(char* dove, size_t n) {
    for (;;) {
        const ssize_t letti = ::read(STDIN_FILENO, dove, n);
        if (letti >= 0) return static_cast<size_t>(letti);
        if (errno != EINTR) throw ErroreFile("cannot read", "standard input", errno);
    }
}

}  // namespace compattatore::piattaforma
