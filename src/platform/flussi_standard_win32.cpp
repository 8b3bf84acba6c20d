#include <io.h>

#include <cerrno>

#include "platform/flussi_standard.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// A console shows UTF-16: the text is converted and written as such, so
// that it shows right whatever the console's code page. Redirected, the
// bytes go as they are.
bool scrivi_su_console(HANDLE h, std::string_view testo) {
    std::wstring w = largo(testo);
    std::wstring_view resto = w;
    while (!resto.empty()) {
        DWORD n = 0;
        const auto chiesti = static_cast<DWORD>(std::min<size_t>(resto.size(), 8192));
        if (!WriteConsoleW(h, resto.data(), chiesti, &n, nullptr)) return false;
        resto.remove_prefix(n);
    }
    return true;
}

}  // namespace

bool scrivi_tutto(int fd, std::string_view testo) {
    // The C library gives the handle as an integer.
    // NOLINTNEXTLINE(performance-no-int-to-ptr,cppcoreguidelines-pro-type-reinterpret-cast)
    auto* const h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (h == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    DWORD modo = 0;
    if (GetConsoleMode(h, &modo)) {
        if (scrivi_su_console(h, testo)) return true;
        errno = EIO;
        return false;
    }
    while (!testo.empty()) {
        DWORD n = 0;
        const auto chiesti = static_cast<DWORD>(std::min<size_t>(testo.size(), 1U << 30));
        if (!WriteFile(h, testo.data(), chiesti, &n, nullptr)) {
            errno = GetLastError() == ERROR_NO_DATA || GetLastError() == ERROR_BROKEN_PIPE ? EPIPE : EIO;
            return false;
        }
        testo.remove_prefix(n);
    }
    return true;
}

void scrivi_su_uscita(std::string_view testo) {
    if (!scrivi_tutto(1, testo)) throw ErroreFile("cannot write", "standard output", errno);
}

void scrivi_su_errore(std::string_view testo) { (void)scrivi_tutto(2, testo); }

size_t leggi_da_ingresso(char* dove, size_t n) {
    DWORD letti = 0;
    const auto chiesti = static_cast<DWORD>(std::min<size_t>(n, 1U << 30));
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), dove, chiesti, &letti, nullptr)) return letti;
    // The writer of a pipe that closed it: the end of the input.
    if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
    throw errore_win32("cannot read", "standard input", GetLastError());
}

}  // namespace compattatore::piattaforma
