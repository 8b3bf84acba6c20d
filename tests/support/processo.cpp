#include "support/processo.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/cartella_temporanea.h"

extern char** environ;

namespace compattatore::prova {

namespace {

std::vector<std::string> ambiente_modificato(const std::vector<std::string>& modifiche) {
    std::vector<std::string> risultato;
    for (char** e = environ; *e != nullptr; ++e) risultato.emplace_back(*e);
    for (const std::string& m : modifiche) {
        std::string nome = m.substr(0, m.find('='));
        std::erase_if(risultato, [&](const std::string& v) { return v.compare(0, nome.size() + 1, nome + "=") == 0; });
        if (m.find('=') != std::string::npos) risultato.push_back(m);
    }
    return risultato;
}

std::vector<char*> puntatori(std::vector<std::string>& testi) {
    std::vector<char*> p;
    for (std::string& t : testi) p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

}  // namespace

EsitoProcesso esegui(const std::string& programma, const std::vector<std::string>& argomenti,
                     const std::vector<std::string>& ambiente) {
    CartellaTemporanea raccolta;
    std::string file_uscita = raccolta.file("stdout");
    std::string file_errori = raccolta.file("stderr");

    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, 1, file_uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&azioni, 2, file_errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> argv_testi{programma};
    argv_testi.insert(argv_testi.end(), argomenti.begin(), argomenti.end());
    std::vector<std::string> env_testi = ambiente_modificato(ambiente);
    auto argv = puntatori(argv_testi);
    auto envp = puntatori(env_testi);

    pid_t pid = 0;
    int errore = posix_spawn(&pid, programma.c_str(), &azioni, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&azioni);
    if (errore != 0) throw std::runtime_error(std::string("cannot start the program: ") + std::strerror(errore));

    int stato = 0;
    while (waitpid(pid, &stato, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("lost the program's process");
    }
    EsitoProcesso esito;
    esito.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    esito.uscita = leggi_tutto(file_uscita);
    esito.errori = leggi_tutto(file_errori);
    return esito;
}

}  // namespace compattatore::prova
