// Running a shell command from a test: its exit status and standard output.
#pragma once

#include <string>

namespace compattatore::test {

struct EsitoComando {
    int stato = -1;  // exit status, -1 when it did not end normally
    std::string uscita;
};

EsitoComando esegui_comando(const std::string& comando);

// The text between single quotes for the shell.
std::string tra_apici(const std::string& testo);

}  // namespace compattatore::test
