#include "platform/sorveglianza.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/attesa_quiete.h"
#include "platform/file.h"

namespace compattatore::piattaforma {

namespace {

constexpr uint32_t EVENTI = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

// What a path leads to now.
struct Identita {
    dev_t dispositivo;
    ino_t nodo;
    bool operator==(const Identita&) const = default;
};

std::optional<Identita> identita(const std::string& percorso) {
    struct stat st {};
    if (::stat(percorso.c_str(), &st) != 0) return std::nullopt;
    return Identita{st.st_dev, st.st_ino};
}

// The file a symbolic link leads to in the end; none for another file or a
// link that leads nowhere.
std::optional<std::string> destinazione(const std::string& percorso) {
    struct stat st {};
    if (::lstat(percorso.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
    char* vero = ::realpath(percorso.c_str(), nullptr);
    if (vero == nullptr) return std::nullopt;
    std::string r(vero);
    std::free(vero);  // NOLINT(cppcoreguidelines-no-malloc): realpath's own allocation
    return r;
}

}  // namespace

struct SorveglianzaFile::Stato {
    struct Osservata {
        int wd;
        Identita identita;
    };

    std::vector<std::string> percorsi;
    int inotify = -1;
    int segnali = -1;
    sigset_t maschera_precedente{};
    std::map<std::string, Osservata> directory;  // as the paths name them
    std::map<int, std::set<std::string>> nomi;   // watch descriptor -> file names followed in its directory
    std::vector<std::string> riarmate;

    // Brings the watches in line with what the paths lead to now: whether a
    // directory is watched anew. At the start every directory must be there.
    bool arma(bool iniziale);
    bool leggi_eventi();  // whether one of the files was concerned
};

bool SorveglianzaFile::Stato::arma(bool iniziale) {
    std::map<std::string, std::set<std::string>> volute;
    for (const std::string& percorso : percorsi) {
        volute[directory_di(percorso)].insert(nome_in_percorso(percorso));
        if (const auto vero = destinazione(percorso)) volute[directory_di(*vero)].insert(nome_in_percorso(*vero));
    }
    for (auto o = directory.begin(); o != directory.end();) {
        const std::optional<Identita> ora = identita(o->first);
        if (volute.contains(o->first) && ora == o->second.identita) {
            ++o;
            continue;
        }
        const int wd = o->second.wd;
        o = directory.erase(o);
        // One directory by two names shares one watch.
        if (std::ranges::none_of(directory, [wd](const auto& d) { return d.second.wd == wd; }))
            ::inotify_rm_watch(inotify, wd);
    }
    bool nuove = false;
    for (const auto& [cartella, file] : volute) {
        if (directory.contains(cartella)) continue;
        const std::optional<Identita> ora = identita(cartella);
        const int wd = ora ? ::inotify_add_watch(inotify, cartella.c_str(), EVENTI) : -1;
        if (wd < 0) {
            if (!iniziale && (!ora || errno == ENOENT)) continue;  // gone: looked at again later
            throw ErroreFile("cannot watch", cartella, ora ? errno : ENOENT);
        }
        directory[cartella] = {wd, *ora};
        if (!iniziale) riarmate.push_back(cartella);
        nuove = true;
    }
    nomi.clear();
    for (const auto& [cartella, file] : volute)
        if (const auto o = directory.find(cartella); o != directory.end())
            nomi[o->second.wd].insert(file.begin(), file.end());
    return nuove && !iniziale;
}

bool SorveglianzaFile::Stato::leggi_eventi() {
    bool pertinente = false;
    alignas(inotify_event) char blocco[8192];
    for (;;) {
        const ssize_t n = ::read(inotify, blocco, sizeof blocco);
        if (n <= 0) return pertinente;  // EAGAIN: nothing more for now
        for (size_t i = 0; i + sizeof(inotify_event) <= static_cast<size_t>(n);) {
            inotify_event evento{};
            std::memcpy(&evento, blocco + i, sizeof evento);
            // The name follows the event, padded with NULs to `len` bytes.
            const std::string nome(blocco + i + sizeof evento, ::strnlen(blocco + i + sizeof evento, evento.len));
            i += sizeof evento + evento.len;
            // A lost queue or a directory gone: the files may have changed.
            if (evento.mask & (IN_Q_OVERFLOW | IN_IGNORED)) {
                pertinente = true;
                // The watch is over: the directory's name is watched anew when it is back.
                std::erase_if(directory, [wd = evento.wd](const auto& d) { return d.second.wd == wd; });
                continue;
            }
            const auto voce = nomi.find(evento.wd);
            if (!nome.empty() && voce != nomi.end() && voce->second.contains(nome)) pertinente = true;
        }
    }
}

SorveglianzaFile::SorveglianzaFile(const std::vector<std::string>& percorsi) : s_(std::make_unique<Stato>()) {
    s_->percorsi = percorsi;
    s_->inotify = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (s_->inotify < 0) throw ErroreFile("cannot watch", directory_di(percorsi.front()), errno);
    try {
        s_->arma(true);
    } catch (const ErroreFile&) {
        ::close(s_->inotify);
        throw;
    }
    sigset_t segnali;
    sigemptyset(&segnali);
    sigaddset(&segnali, SIGINT);
    sigaddset(&segnali, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &segnali, &s_->maschera_precedente);
    s_->segnali = ::signalfd(-1, &segnali, SFD_CLOEXEC | SFD_NONBLOCK);
    if (s_->segnali < 0) {
        const int numero = errno;
        ::sigprocmask(SIG_SETMASK, &s_->maschera_precedente, nullptr);
        ::close(s_->inotify);
        throw ErroreFile("cannot watch", "the interrupt signals", numero);
    }
}

SorveglianzaFile::~SorveglianzaFile() {
    ::close(s_->segnali);
    ::close(s_->inotify);
    ::sigprocmask(SIG_SETMASK, &s_->maschera_precedente, nullptr);
}

std::vector<std::string> SorveglianzaFile::riarmate() { return std::exchange(s_->riarmate, {}); }

SorveglianzaFile::Evento SorveglianzaFile::attendi(std::chrono::milliseconds quiete) {
    AttesaQuiete quiete_dopo(quiete);
    for (;;) {
        const auto resta = quiete_dopo.attesa();
        if (!resta) return Evento::cambiamento;  // the burst is over
        pollfd attese[] = {{s_->segnali, POLLIN, 0}, {s_->inotify, POLLIN, 0}};
        if (::poll(attese, 2, static_cast<int>(resta->count())) < 0) {
            if (errno == EINTR) continue;
            throw ErroreFile("cannot watch", "the source files", errno);
        }
        if (attese[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (::read(s_->segnali, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
                return Evento::interruzione;
        }
        const bool cambiati = (attese[1].revents & POLLIN) && s_->leggi_eventi();
        if (s_->arma(false) || cambiati) quiete_dopo.cambiamento();
    }
}

std::string ora_locale() {
    const std::time_t adesso = std::time(nullptr);
    std::tm locale{};
    ::localtime_r(&adesso, &locale);
    char testo[16];
    std::strftime(testo, sizeof testo, "%H:%M:%S", &locale);
    return testo;
}

}  // namespace compattatore::piattaforma
