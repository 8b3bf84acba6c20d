#include "platform/sorveglianza.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>

#include "platform/file.h"

namespace compattatore::piattaforma {

namespace {

constexpr uint32_t EVENTI = IN_CLOSE_WRITE | IN_MODIFY | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

}  // namespace

SorveglianzaFile::SorveglianzaFile(const std::vector<std::string>& percorsi)
    : inotify_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
    if (inotify_ < 0) throw ErroreFile("cannot watch", directory_di(percorsi.front()), errno);
    for (const std::string& percorso : percorsi) {
        const std::string directory = directory_di(percorso);
        const int wd = ::inotify_add_watch(inotify_, directory.c_str(), EVENTI);
        if (wd < 0) {
            const int numero = errno;
            ::close(inotify_);
            throw ErroreFile("cannot watch", directory, numero);
        }
        nomi_[wd].insert(nome_in_percorso(percorso));
    }
    sigset_t segnali;
    sigemptyset(&segnali);
    sigaddset(&segnali, SIGINT);
    sigaddset(&segnali, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &segnali, &maschera_precedente_);
    segnali_ = ::signalfd(-1, &segnali, SFD_CLOEXEC | SFD_NONBLOCK);
    if (segnali_ < 0) {
        const int numero = errno;
        ::sigprocmask(SIG_SETMASK, &maschera_precedente_, nullptr);
        ::close(inotify_);
        throw ErroreFile("cannot watch", "the interrupt signals", numero);
    }
}

SorveglianzaFile::~SorveglianzaFile() {
    ::close(segnali_);
    ::close(inotify_);
    ::sigprocmask(SIG_SETMASK, &maschera_precedente_, nullptr);
}

bool SorveglianzaFile::leggi_eventi() {
    bool pertinente = false;
    alignas(inotify_event) char blocco[8192];
    for (;;) {
        const ssize_t n = ::read(inotify_, blocco, sizeof blocco);
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
                continue;
            }
            const auto voce = nomi_.find(evento.wd);
            if (!nome.empty() && voce != nomi_.end() && voce->second.contains(nome)) pertinente = true;
        }
    }
}

SorveglianzaFile::Evento SorveglianzaFile::attendi(std::chrono::milliseconds quiete) {
    using Orologio = std::chrono::steady_clock;
    std::optional<Orologio::time_point> scadenza;  // set by a change of one of the files
    for (;;) {
        int attesa = -1;
        if (scadenza) {
            const auto resta = std::chrono::ceil<std::chrono::milliseconds>(*scadenza - Orologio::now());
            if (resta.count() <= 0) return Evento::cambiamento;  // the burst is over
            attesa = static_cast<int>(resta.count());
        }
        pollfd attese[] = {{segnali_, POLLIN, 0}, {inotify_, POLLIN, 0}};
        if (::poll(attese, 2, attesa) < 0) {
            if (errno == EINTR) continue;
            throw ErroreFile("cannot watch", "the source files", errno);
        }
        if (attese[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (::read(segnali_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) return Evento::interruzione;
        }
        if ((attese[1].revents & POLLIN) && leggi_eventi()) scadenza = Orologio::now() + quiete;
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
