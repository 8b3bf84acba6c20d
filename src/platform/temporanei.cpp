#include "platform/temporanei.h"

#include <unistd.h>
#include <climits>
#include <csignal>
#include <cstring>

namespace compattatore::piattaforma {

namespace {

// A run has at most the three binary files' temporaries at once. The
// signal handler can reach only plain global state.
constexpr int POSTI = 8;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
char percorsi[POSTI][PATH_MAX];
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
volatile sig_atomic_t occupati[POSTI];

constexpr int SEGNALI[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t insieme_segnali() {
    sigset_t insieme;
    sigemptyset(&insieme);
    for (int s : SEGNALI) sigaddset(&insieme, s);
    return insieme;
}

// Only async-signal-safe calls: unlink, then the signal's default action.
void al_segnale(int segnale) {
    for (int i = 0; i < POSTI; ++i)
        if (occupati[i]) ::unlink(percorsi[i]);
    ::signal(segnale, SIG_DFL);
    ::raise(segnale);
}

// Once, and not for a signal the program was started to ignore.
void installa_gestore() {
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
    static bool installato = false;
    if (installato) return;
    installato = true;
    for (int s : SEGNALI) {
        struct sigaction prima {};
        ::sigaction(s, nullptr, &prima);
        if (prima.sa_handler == SIG_IGN) continue;
        struct sigaction azione {};
        azione.sa_handler = al_segnale;
        sigemptyset(&azione.sa_mask);
        for (int altro : SEGNALI) sigaddset(&azione.sa_mask, altro);
        ::sigaction(s, &azione, nullptr);
    }
}

// The mask before the outermost SegnaliSospesi of the thread, which puts it
// back; the ones inside it find the signals waiting already.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
thread_local int sospensioni = 0;
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
thread_local sigset_t precedenti;

}  // namespace

SegnaliSospesi::SegnaliSospesi() {
    if (sospensioni++ > 0) return;
    const sigset_t insieme = insieme_segnali();
    ::sigprocmask(SIG_BLOCK, &insieme, &precedenti);
}

SegnaliSospesi::~SegnaliSospesi() {
    if (--sospensioni == 0) ::sigprocmask(SIG_SETMASK, &precedenti, nullptr);
}

int registra_temporaneo(const std::string& percorso) {
    installa_gestore();
    if (percorso.size() >= PATH_MAX) return -1;
    for (int i = 0; i < POSTI; ++i) {
        if (occupati[i]) continue;
        std::memcpy(percorsi[i], percorso.c_str(), percorso.size() + 1);
        occupati[i] = 1;
        return i;
    }
    return -1;
}

void rilascia_temporaneo(int posto) {
    if (posto >= 0) occupati[posto] = 0;
}

}  // namespace compattatore::piattaforma
