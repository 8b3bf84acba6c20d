// Running a shell command from a test: its exit status and standard output.
#pragma once

#include <string>

namespace compattatore::test {

struct EsitoComando {
    int stato = -1;  // exit status, -1 when it did not end normally
    std::string uscita;
};

EsitoComando esegui_comando(const std::string& comando);

// A path in the test's temporary directory that no other test process,
// running at the same time, uses: `nome` with the process id.
std::string percorso_temporaneo(const std::string& nome);

// The text between single quotes for the shell.
std::string tra_apici(const std::string& testo);

}  // namespace compattatore::test
