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

}  // namespace compattatore::piattaforma
