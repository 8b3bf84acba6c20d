// File operations of the host system. Every other layer reaches the disk
// through these calls only.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore::piattaforma {

// A file operation that failed: which operation, which file, and the system's
// error number.
class ErroreFile : public std::runtime_error {
public:
    ErroreFile(const std::string& operazione, std::string file, int numero);
    int numero() const { return numero_; }
    const std::string& file() const { return file_; }
    std::string descrizione() const;  // the system's words for numero()

private:
    std::string file_;
    int numero_;
};

// The directory that holds the running program.
std::string directory_eseguibile();

// directory + "/" + name.
std::string unisci(const std::string& directory, const std::string& nome);

// The last component of a path: the file's own name.
std::string nome_in_percorso(const std::string& percorso);

bool esiste(const std::string& percorso);
// Size in bytes of an existing file.
uint64_t dimensione(const std::string& percorso);
// Names of the entries of a directory, in no particular order.
std::vector<std::string> elenca(const std::string& directory);
void elimina(const std::string& percorso);
// Creates the directory unless it is there already (its parent must be).
void crea_directory(const std::string& percorso);
std::string leggi(const std::string& percorso);

// The longest file name sostituisci can write in `directory` (empty: the
// current one): the system's limit there, less what its temporary adds.
size_t nome_piu_lungo(const std::string& directory);

// Replaces the file with exactly `contenuto`: the bytes go to a temporary file
// in the same directory that is then renamed over the old name, so a failure
// part-way leaves the earlier file as it was and no temporary behind.
void sostituisci(const std::string& percorso, std::string_view contenuto);

}  // namespace compattatore::piattaforma
