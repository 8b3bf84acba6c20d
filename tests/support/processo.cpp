#include "support/processo.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace compattatore::prova {

namespace {

std::vector<std::string> ambiente_figlio(const std::map<std::string, std::optional<std::string>>& modifiche) {
    std::vector<std::string> ambiente;
    for (char** voce = environ; *voce != nullptr; ++voce) {
        std::string testo = *voce;
        if (!modifiche.contains(testo.substr(0, testo.find('=')))) ambiente.push_back(testo);
    }
    for (const auto& [nome, valore] : modifiche) {
        if (valore) ambiente.push_back(nome + "=" + *valore);
    }
    return ambiente;
}

std::vector<char*> puntatori(std::vector<std::string>& testi) {
    std::vector<char*> p;
    for (auto& t : testi) p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

// What posix_spawn cannot do: a resource limit set in the child. Between
// fork and exec only async-signal-safe calls are made.
pid_t avvia_figlio_limitato(const AvvioProcesso& avvio, const std::vector<char*>& argv,
                            const std::vector<char*>& envp) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int ingresso = open("/dev/null", O_RDONLY);
    const int uscita = open(avvio.file_uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errori = open(avvio.file_errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (ingresso < 0 || uscita < 0 || errori < 0 || dup2(ingresso, STDIN_FILENO) < 0 ||
        dup2(uscita, STDOUT_FILENO) < 0 || dup2(errori, STDERR_FILENO) < 0)
        _exit(127);
    if (!avvio.directory.empty() && chdir(avvio.directory.c_str()) != 0) _exit(127);
    const rlimit limite{*avvio.limite_memoria, *avvio.limite_memoria};
    if (setrlimit(RLIMIT_AS, &limite) != 0) _exit(127);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

int stato_uscita(int stato) { return WIFEXITED(stato) ? WEXITSTATUS(stato) : 128 + WTERMSIG(stato); }

}  // namespace

ProcessoFiglio::ProcessoFiglio(const AvvioProcesso& avvio) {
    std::vector<std::string> argomenti = avvio.argomenti;
    std::vector<std::string> ambiente = ambiente_figlio(avvio.ambiente);
    std::vector<char*> argv = puntatori(argomenti);
    std::vector<char*> envp = puntatori(ambiente);

    if (avvio.limite_memoria) {
        pid_ = avvia_figlio_limitato(avvio, argv, envp);
        if (pid_ < 0) throw std::runtime_error("cannot start " + argomenti[0]);
        return;
    }
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, STDOUT_FILENO, avvio.file_uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, avvio.file_errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (!avvio.directory.empty()) posix_spawn_file_actions_addchdir_np(&azioni, avvio.directory.c_str());
    int esito = posix_spawnp(&pid_, argv[0], &azioni, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&azioni);
    if (esito != 0) throw std::runtime_error("cannot start " + argomenti[0]);
}

ProcessoFiglio::~ProcessoFiglio() {
    if (!in_corso()) return;
    kill(pid_, SIGTERM);  // lets a server remove its lock files
    if (!attendi(std::chrono::seconds(5))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ProcessoFiglio::in_corso() {
    if (stato_) return false;
    int stato = 0;
    rusage uso{};
    if (wait4(pid_, &stato, WNOHANG, &uso) != pid_) return true;
    stato_ = stato_uscita(stato);
    picco_kib_ = uso.ru_maxrss;
    return false;
}

void ProcessoFiglio::segnala(int segnale) { kill(pid_, segnale); }

std::optional<int> ProcessoFiglio::attendi(std::chrono::milliseconds limite) {
    auto fine = std::chrono::steady_clock::now() + limite;
    while (in_corso()) {
        if (std::chrono::steady_clock::now() > fine) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return stato_;
}

std::string trova_programma(const std::string& nome) {
    const char* path = std::getenv("PATH");
    std::istringstream cartelle(path ? path : "");
    for (std::string cartella; std::getline(cartelle, cartella, ':');) {
        std::string candidato = cartella + "/" + nome;
        if (!cartella.empty() && access(candidato.c_str(), X_OK) == 0) return candidato;
    }
    return "";
}

}  // namespace compattatore::prova
