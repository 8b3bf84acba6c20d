// A program started by a test: its arguments, changes to its environment,
// its output sent to files, and a bounded wait for its end.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace compattatore::prova {

struct AvvioProcesso {
    std::vector<std::string> argomenti;  // the program's path first
    // Variables to set; a variable mapped to nullopt is removed.
    std::map<std::string, std::optional<std::string>> ambiente;
    std::string file_uscita = "/dev/null";  // standard output goes here
    std::string file_errori = "/dev/null";  // standard error goes here
};

class ProcessoFiglio {
public:
    explicit ProcessoFiglio(const AvvioProcesso& avvio);
    ~ProcessoFiglio();  // ends the process if it is still running
    ProcessoFiglio(const ProcessoFiglio&) = delete;
    ProcessoFiglio& operator=(const ProcessoFiglio&) = delete;

    bool in_corso();
    // The exit status (128 + signal number after a signal), or nullopt if the
    // process is still running when the limit has passed.
    std::optional<int> attendi(std::chrono::milliseconds limite);

private:
    pid_t pid_ = -1;
    std::optional<int> stato_;
};

// The full path of a program found on PATH, or an empty string.
std::string trova_programma(const std::string& nome);

std::string leggi_file(const std::string& percorso);

}  // namespace compattatore::prova
