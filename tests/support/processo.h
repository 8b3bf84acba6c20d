// Runs the built program as a user would and collects what it said.
#pragma once

#include <string>
#include <vector>

namespace compattatore::prova {

struct EsitoProcesso {
    int stato = -1;  // exit status, or -1 when the process did not exit normally
    std::string uscita;  // standard output
    std::string errori;  // standard error
};

// Runs `programma` with `argomenti`; `ambiente` entries ("NAME=value", or "NAME"
// to remove it) change the inherited environment.
EsitoProcesso esegui(const std::string& programma, const std::vector<std::string>& argomenti,
                     const std::vector<std::string>& ambiente = {});

// The same for the program under test.
inline EsitoProcesso esegui_programma(const std::vector<std::string>& argomenti,
                                      const std::vector<std::string>& ambiente = {}) {
    return esegui(PROGRAMMA, argomenti, ambiente);
}

}  // namespace compattatore::prova
