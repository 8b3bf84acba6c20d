#include "platform/temporanei.h"

#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>

namespace compattatore::piattaforma {

namespace {

// Each thread writing holds at most a train's files, or the three binary
// files, at once. The signal handler can reach only plain global state and
// atomics that need no lock.
constexpr int POSTI = 256;
enum Posto : int { libero, in_scrittura, pieno };
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
char percorsi[POSTI][PATH_MAX];
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::atomic<int> posti[POSTI];

// The steps under SegnaliSospesi under way on every thread, and whether the
// handler has begun: it then waits for those steps to end, and no new one
// starts.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::atomic<int> passi_in_corso{0};
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
std::atomic<bool> in_chiusura{false};
// A step is a few system calls; should one never end (a disk that hangs),
// the handler goes on after this long all the same.
constexpr int ATTESA_MASSIMA_MS = 2000;

constexpr int SEGNALI[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t insieme_segnali() {
    sigset_t insieme;
    sigemptyset(&insieme);
    for (int s : SEGNALI) sigaddset(&insieme, s);
    return insieme;
}

// Only async-signal-safe calls: poll to wait, unlink, then the signal's
// default action.
void al_segnale(int segnale) {
    in_chiusura.store(true);
    for (int atteso = 0; passi_in_corso.load() != 0 && atteso < ATTESA_MASSIMA_MS; ++atteso) ::poll(nullptr, 0, 1);
    for (int i = 0; i < POSTI; ++i)
        if (posti[i].load() == pieno) ::unlink(percorsi[i]);
    ::signal(segnale, SIG_DFL);
    ::raise(segnale);
}

// Once, and not for a signal the program was started to ignore.
void installa_gestore() {
    static std::once_flag installato;
    std::call_once(installato, [] {
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
    });
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
    ::pthread_sigmask(SIG_BLOCK, &insieme, &precedenti);
    passi_in_corso.fetch_add(1);
    if (!in_chiusura.load()) return;
    // The handler is removing the temporaries on another thread, and the
    // program ends with it: this step must not begin.
    passi_in_corso.fetch_sub(1);
    for (;;) ::pause();
}

SegnaliSospesi::~SegnaliSospesi() {
    if (--sospensioni > 0) return;
    passi_in_corso.fetch_sub(1);
    ::pthread_sigmask(SIG_SETMASK, &precedenti, nullptr);
}

void segnali_al_principale() {
    const sigset_t insieme = insieme_segnali();
    ::pthread_sigmask(SIG_BLOCK, &insieme, nullptr);
}

void segnala_al_programma(int segnale) { ::kill(::getpid(), segnale); }

int registra_temporaneo(const std::string& percorso) {
    installa_gestore();
    if (percorso.size() >= PATH_MAX) return -1;
    for (int i = 0; i < POSTI; ++i) {
        int atteso = libero;
        if (!posti[i].compare_exchange_strong(atteso, in_scrittura)) continue;
        std::memcpy(percorsi[i], percorso.c_str(), percorso.size() + 1);
        posti[i].store(pieno);
        return i;
    }
    return -1;
}

void rilascia_temporaneo(int posto) {
    if (posto >= 0) posti[posto].store(libero);
}

}  // namespace compattatore::piattaforma
