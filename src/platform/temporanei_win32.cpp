#include <csignal>
#include <mutex>
#include <string>
#include <utility>

#include "platform/temporanei.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// Each thread writing holds at most a train's files, or the three binary
// files, at once.
constexpr int POSTI = 256;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::wstring percorsi[POSTI];
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
bool occupati[POSTI];

// Ctrl-C, Ctrl-Break and the console's closing run their handler on a
// thread of their own: it takes this section, which SegnaliSospesi holds
// on any thread while a temporary is created or renamed, and keeps it to
// the end.
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
BOOL WINAPI all_evento(DWORD /*evento*/) {
    rimuovi_tutti();
    return FALSE;
}

// The SegnaliSospesi of this thread still alive, and a signal raised
// meanwhile. The C library's signals run their handler at once, in the
// thread that raises them: one raised while a temporary is created or the
// set renamed waits for the outermost SegnaliSospesi to end, as a blocked
// POSIX signal does, so that the set is never left half renamed.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
thread_local int sospensioni = 0;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
thread_local int in_attesa = 0;

// The C library's own signals (a raise of SIGTERM, for one).
void al_segnale(int segnale) {
    if (sospensioni > 0) {
        in_attesa = segnale;
        std::signal(segnale, al_segnale);  // the C library put the default back
        return;
    }
    rimuovi_tutti();
    std::signal(segnale, SIG_DFL);
    std::raise(segnale);
}

void installa_gestore() {
    static std::once_flag installato;
    std::call_once(installato, [] {
        SetConsoleCtrlHandler(all_evento, TRUE);
        std::signal(SIGTERM, al_segnale);
    });
}

}  // namespace

SegnaliSospesi::SegnaliSospesi() {
    EnterCriticalSection(&sezione());
    ++sospensioni;
}

SegnaliSospesi::~SegnaliSospesi() {
    LeaveCriticalSection(&sezione());
    if (--sospensioni == 0 && in_attesa != 0) std::raise(std::exchange(in_attesa, 0));
}

// The console's events have a thread of their own already, and the C
// library's signals run on the thread that raises them.
void segnali_al_principale() {}

void segnala_al_programma(int segnale) { std::raise(segnale); }

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
