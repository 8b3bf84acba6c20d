// Programs started by a test: the program under test, the tools that check
// its output, and the servers the window tests need.
#pragma once

#ifndef _WIN32
#include <sys/types.h>
#endif

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace compattatore::prova {

struct AvvioProcesso {
    // The program first: a path, or a name looked up on PATH.
    std::vector<std::string> argomenti;
    // Variables to set; a variable mapped to nullopt is removed.
    std::map<std::string, std::optional<std::string>> ambiente{};
    std::string file_uscita = "/dev/null";  // standard output goes here
    std::string file_errori = "/dev/null";  // standard error goes here
    std::string directory{};                // the working directory; empty: the test's
    // A limit on the process's address space (RLIMIT_AS), set in the child
    // before the program starts; the program must then be a path.
    std::optional<size_t> limite_memoria{};
};

class ProcessoFiglio {
public:
    explicit ProcessoFiglio(const AvvioProcesso& avvio);
    ~ProcessoFiglio();  // ends the process if it is still running
    ProcessoFiglio(const ProcessoFiglio&) = delete;
    ProcessoFiglio& operator=(const ProcessoFiglio&) = delete;

    bool in_corso();
#ifndef _WIN32
    // Sends the signal to the process (Windows has no signals).
    void segnala(int segnale);
#endif
    // The exit status (128 + signal number after a signal), or nullopt if the
    // process is still running when the limit has passed.
    std::optional<int> attendi(std::chrono::milliseconds limite);
    // The largest resident size the ended process reached, in KiB (the
    // kernel counts the starting process's own peak in it too).
    long picco_memoria_kib() const { return picco_kib_; }

private:
#ifdef _WIN32
    void* processo_ = nullptr;  // the process's handle
#else
    pid_t pid_ = -1;
#endif
    std::optional<int> stato_;
    long picco_kib_ = 0;
};

struct EsitoProcesso {
    int stato = -1;              // exit status, 128 + signal number after a signal
    std::string uscita;          // standard output
    std::string errori;          // standard error
    long picco_memoria_kib = 0;  // see ProcessoFiglio::picco_memoria_kib
};

// The status of a program ended by a SIGTERM it raised itself: 128 + 15 on
// POSIX; on Windows the C runtime ends it with status 3, its default for
// that signal.
#ifdef _WIN32
inline constexpr int STATO_DOPO_SIGTERM = 3;
#else
inline constexpr int STATO_DOPO_SIGTERM = 128 + 15;
#endif

// Runs `programma` with `argomenti` to its end (a minute at most, then it is
// ended and the test fails) and collects what it wrote; `ambiente` entries
// ("NAME=value", or "NAME" to remove it) change the inherited environment.
EsitoProcesso esegui(const std::string& programma, const std::vector<std::string>& argomenti,
                     const std::vector<std::string>& ambiente = {}, const std::string& directory = "");

// The same for the program under test.
inline EsitoProcesso esegui_programma(const std::vector<std::string>& argomenti,
                                      const std::vector<std::string>& ambiente = {}) {
    return esegui(PROGRAMMA, argomenti, ambiente);
}

// The full path of a program found on PATH, or an empty string.
std::string trova_programma(const std::string& nome);

}  // namespace compattatore::prova
