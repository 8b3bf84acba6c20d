#include "platform/finestra_win32.h"
#include "platform/interfaccia.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// The window is for a program started from the desktop: Windows then gives
// it a console of its own, no other process shares it, and standard error is
// that console. Started from a command prompt (which shares its console), or
// with standard error taken to a file or a pipe (a script, a test), the
// console tells everything and no box waits for a click. A window station
// that is not visible (a service) has no desktop to show one on.
bool avviato_dal_desktop() {
    USEROBJECTFLAGS bandiere{};
    if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &bandiere, sizeof(bandiere), nullptr) ||
        (bandiere.dwFlags & WSF_VISIBLE) == 0)
        return false;
    DWORD modo = 0;
    if (!GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &modo)) return false;
    DWORD processi[2];
    return GetConsoleProcessList(processi, 2) == 1;
}

}  // namespace

std::unique_ptr<Interfaccia> crea_interfaccia(bool finestra_permessa) {
    if (finestra_permessa && avviato_dal_desktop()) return crea_finestra_win32();
    return crea_console();
}

}  // namespace compattatore::piattaforma
