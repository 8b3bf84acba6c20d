#include <csignal>
#include <string>

#include "platform/temporanei.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// A run has at most the three binary files' temporaries at once.
constexpr int POSTI = 8;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::wstring percorsi[POSTI];
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
bool occupati[POSTI];

// Ctrl-C, Ctrl-Break and the console's closing run their handler on a
// thread of their own: it takes this section, which SegnaliSospesi holds
// while a temporary is created or renamed, and keeps it to the end.
CRITICAL_SECTION& sezione() {
    static CRITICAL_SECTION s = [] {
        CRITICAL_SECTION nuova;
        InitializeCriticalSection(&nuova);
        return nuova;
    }();
    return s;
}

void rimuovi_tutti() {
    EnterCriticalSection(&sezione());
    for (int i = 0; i < POSTI; ++i)
        if (occupati[i]) DeleteFileW(percorsi[i].c_str());
}

// The temporaries go; the process then ends as it would have.
BOOL WINAPI all_evento(DWORD) {
    rimuovi_tutti();
    return FALSE;
}

// The C library's own signals (a raise of SIGTERM, for one).
void al_segnale(int segnale) {
    rimuovi_tutti();
    std::signal(segnale, SIG_DFL);
    std::raise(segnale);
}

void installa_gestore() {
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
    static bool installato = false;
    if (installato) return;
    installato = true;
    SetConsoleCtrlHandler(all_evento, TRUE);
    std::signal(SIGTERM, al_segnale);
}

}  // namespace

SegnaliSospesi::SegnaliSospesi() { EnterCriticalSection(&sezione()); }

SegnaliSospesi::~SegnaliSospesi() { LeaveCriticalSection(&sezione()); }

int registra_temporaneo(const std::string& percorso) {
    installa_gestore();
    const SegnaliSospesi sospesi;
    for (int i = 0; i < POSTI; ++i) {
        if (occupati[i]) continue;
        percorsi[i] = percorso_largo(percorso);
        occupati[i] = true;
        return i;
    }
    return -1;
}

void rilascia_temporaneo(int posto) {
    const SegnaliSospesi sospesi;
    if (posto >= 0) occupati[posto] = false;
}

}  // namespace compattatore::piattaforma
