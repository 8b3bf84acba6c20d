#include "cli/nomi_compilati.h"

#include <vector>

#include "cli/errore_uso.h"
#include "model/nomi_file.h"
#include "model/testo_1252.h"
#include "platform/file.h"

namespace compattatore {

namespace {

// The names of the files a compile writes must fit the output directory, and
// --check refuses what the writing would: the key a name is too long for is
// the line key when its own plan file name is, else the train key.
void nomi_scrivibili(const ChiaviCompilate& k, const std::string& directory, bool tracciato,
                     std::span<const std::string> altri) {
    const size_t massimo = piattaforma::nome_piu_lungo(directory);
    std::vector<std::string> nomi{nome_file_oggetti(k.linea, k.treno), nome_file_celle(k.linea, k.treno)};
    if (tracciato) nomi.insert(nomi.begin(), nome_file_tracciato(k.linea));
    nomi.insert(nomi.end(), altri.begin(), altri.end());
    for (const std::string& nome : nomi) {
        if (nome.size() <= massimo) continue;
        const bool colpa_linea = nome_file_tracciato(k.linea).size() > massimo;
        std::string motivo =
            colpa_linea ? "--line-key '" + da_1252_a_utf8(k.linea) : k.come_treno + " '" + da_1252_a_utf8(k.treno);
        motivo += "' makes the file name '" + nome + "' " + std::to_string(nome.size()) + " bytes long, above the ";
        motivo += std::to_string(massimo) + " a file written in ";
        motivo += (directory.empty() ? "." : directory) + " can have";
        throw ErroreUso(motivo);
    }
}

// The train key "linea" would make the cell file the line's plan file: one
// would replace the other, and a plan file left from an earlier compile
// would read as the cells.
void nomi_distinti(const ChiaviCompilate& k) {
    if (!uguali_senza_maiuscole(k.treno, "linea")) return;
    throw ErroreUso(k.come_treno + " '" + da_1252_a_utf8(k.treno) + "' makes the cell file '" +
                    nome_file_celle(k.linea, k.treno) + "' and the plan file '" + nome_file_tracciato(k.linea) +
                    "' one file: choose another train key");
}

}  // namespace

void controlla_nomi_compilati(const ChiaviCompilate& chiavi, const std::string& directory, bool tracciato,
                              std::span<const std::string> altri) {
    nomi_scrivibili(chiavi, directory, tracciato, altri);
    nomi_distinti(chiavi);
}

}  // namespace compattatore
