#include "support/comando.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace compattatore::test {

EsitoComando esegui_comando(const std::string& comando) {
    EsitoComando esito;
    FILE* tubo = ::popen(comando.c_str(), "r");
    if (tubo == nullptr) return esito;
    char blocco[4096];
    size_t n = 0;
    while ((n = std::fread(blocco, 1, sizeof blocco, tubo)) > 0) esito.uscita.append(blocco, n);
    const int stato = ::pclose(tubo);
    if (stato != -1 && WIFEXITED(stato)) esito.stato = WEXITSTATUS(stato);
    return esito;
}

std::string percorso_temporaneo(const std::string& nome) {
    return ::testing::TempDir() + nome + "_" + std::to_string(::getpid());
}

std::string tra_apici(const std::string& testo) {
    std::string uscita = "'";
    for (char c : testo) uscita += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return uscita + "'";
}

}  // namespace compattatore::test
