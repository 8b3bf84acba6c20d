#include "platform/processo_collegato.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

#include <algorithm>
#include <array>
#include <thread>

#include "platform/file.h"
#include "platform/flussi_standard.h"

namespace compattatore::piattaforma {

namespace {

using Orologio = std::chrono::steady_clock;

// A line longer than this is no answer of the protocols spoken here.
constexpr size_t RIGA_PIU_LUNGA = 4096;

// Whether `fd` has something to read (or its end) before `scadenza`.
bool leggibile(int fd, std::optional<Orologio::time_point> scadenza) {
    for (;;) {
        int attesa = -1;
        if (scadenza) {
            const auto resta = std::chrono::ceil<std::chrono::milliseconds>(*scadenza - Orologio::now());
            attesa = static_cast<int>(std::max<std::chrono::milliseconds::rep>(resta.count(), 0));
        }
        pollfd voce{.fd = fd, .events = POLLIN, .revents = 0};
        const int esito = ::poll(&voce, 1, attesa);
        if (esito > 0) return true;
        if (esito == 0) return false;
        if (errno != EINTR) return true;  // the read that follows meets the same fault
    }
}

void chiudi(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

ProcessoCollegato::ProcessoCollegato(const std::string& programma) {
    // Opened close-on-exec, so that only the two ends handed over below
    // reach the program.
    std::array<int, 2> verso{-1, -1};
    std::array<int, 2> da{-1, -1};
    if (::pipe2(verso.data(), O_CLOEXEC) != 0) throw ErroreFile("cannot start", programma, errno);
    if (::pipe2(da.data(), O_CLOEXEC) != 0) {
        const int numero = errno;
        chiudi(verso[0]);
        chiudi(verso[1]);
        throw ErroreFile("cannot start", programma, numero);
    }
    // `verso` was made first, so its reading end is the lower descriptor and
    // duplicating it to 0 cannot overwrite the other end given to 1.
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, verso[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&azioni, da[1], STDOUT_FILENO);
    std::string nome = programma;
    std::array<char*, 2> argomenti{nome.data(), nullptr};
    const int esito = ::posix_spawn(&pid_, programma.c_str(), &azioni, nullptr, argomenti.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    chiudi(verso[0]);
    chiudi(da[1]);
    verso_ = verso[1];
    da_ = da[0];
    if (esito != 0) {
        chiudi(verso_);
        chiudi(da_);
        throw ErroreFile("cannot start", programma, esito);
    }
}

ProcessoCollegato::~ProcessoCollegato() {
    if (!fine_) termina(std::chrono::seconds(2));
}

bool ProcessoCollegato::scrivi(std::string_view testo) const {
    if (verso_ < 0) return false;
    // SIGPIPE is held back for the write, and one the write itself raised is
    // taken off again, so that a program that ended only makes it fail.
    sigset_t pipe_rotta;
    sigemptyset(&pipe_rotta);
    sigaddset(&pipe_rotta, SIGPIPE);
    sigset_t maschera{};
    sigset_t in_sospeso{};
    ::pthread_sigmask(SIG_BLOCK, &pipe_rotta, &maschera);
    ::sigpending(&in_sospeso);
    const bool gia_in_sospeso = sigismember(&in_sospeso, SIGPIPE) == 1;
    const bool scritto = scrivi_tutto(verso_, testo);
    if (!scritto && errno == EPIPE && !gia_in_sospeso) {
        const timespec subito{};
        while (::sigtimedwait(&pipe_rotta, nullptr, &subito) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &maschera, nullptr);
    return scritto;
}

std::optional<std::string> ProcessoCollegato::leggi_riga(std::optional<std::chrono::milliseconds> limite) {
    std::optional<Orologio::time_point> scadenza;
    if (limite) scadenza = Orologio::now() + *limite;
    for (;;) {
        const size_t a_capo = letto_.find('\n');
        if (a_capo != std::string::npos) {
            std::string riga = letto_.substr(0, a_capo);
            letto_.erase(0, a_capo + 1);
            return riga;
        }
        if (da_ < 0 || letto_.size() > RIGA_PIU_LUNGA || !leggibile(da_, scadenza)) return std::nullopt;
        std::array<char, 256> blocco{};
        const ssize_t n = ::read(da_, blocco.data(), blocco.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        letto_.append(blocco.data(), static_cast<size_t>(n));
    }
}

ProcessoCollegato::Fine ProcessoCollegato::termina(std::chrono::milliseconds limite) {
    if (fine_) return *fine_;
    const auto scadenza = Orologio::now() + limite;
    chiudi(verso_);
    // Its output ends when it does; what it still says is of no use now.
    std::array<char, 256> blocco{};
    while (leggibile(da_, scadenza)) {
        const ssize_t n = ::read(da_, blocco.data(), blocco.size());
        if (n == 0 || (n < 0 && errno != EINTR)) break;
    }
    chiudi(da_);
    Fine fine;
    pid_t esito = 0;
    while ((esito = ::waitpid(pid_, &fine.stato, WNOHANG)) == 0 && Orologio::now() < scadenza)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (esito == 0) {
        ::kill(pid_, SIGKILL);
        fine.ucciso = true;
        while (::waitpid(pid_, &fine.stato, 0) < 0 && errno == EINTR) {
        }
    }
    fine_ = fine;
    return fine;
}

}  // namespace compattatore::piattaforma
