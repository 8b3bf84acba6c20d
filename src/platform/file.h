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
    // A failure the system has no number for, told in words.
    ErroreFile(const std::string& operazione, std::string file, const std::string& motivo);
    int numero() const { return numero_; }
    const std::string& file() const { return file_; }
    std::string descrizione() const;  // the system's words for numero()

private:
    std::string file_;
    int numero_;
    std::string motivo_;
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
// The file's bytes from the start, `massimo` at most: a caller that reads
// one byte more than it accepts tells a file too large without holding it.
std::string leggi(const std::string& percorso, uint64_t massimo = UINT64_MAX);

// A file that must be a regular file, open for reading: a FIFO, a device or
// a directory is refused at once, never waited on. Its size is known before
// a byte is read, so that a file too large is refused unread.
class FileInLettura {
public:
    explicit FileInLettura(std::string percorso);
    ~FileInLettura();
    FileInLettura(const FileInLettura&) = delete;
    FileInLettura& operator=(const FileInLettura&) = delete;

    const std::string& percorso() const { return percorso_; }
    uint64_t dimensione() const { return dimensione_; }
    // The file's bytes, `massimo` at most (a file that grew since it was
    // opened is cut there); read once.
    std::string leggi(uint64_t massimo) const;

private:
    std::string percorso_;
    int fd_ = -1;
    uint64_t dimensione_ = 0;
};

// The longest file name sostituisci can write in `directory` (empty: the
// current one): the system's limit there, less what its temporary adds.
size_t nome_piu_lungo(const std::string& directory);

// A file written under a temporary name in the directory of `percorso`, which
// takes the name only when rinomina() is called. Until then the old file of
// that name stays as it was; a temporary that is never renamed is removed,
// also when the program is ended by SIGINT, SIGTERM or SIGHUP.
class FileNuovo {
public:
    explicit FileNuovo(std::string percorso);
    ~FileNuovo();
    FileNuovo(const FileNuovo&) = delete;
    FileNuovo& operator=(const FileNuovo&) = delete;

    // Right after the bytes that scrivi() wrote before (from the start at first).
    void scrivi(std::string_view byte);
    // From byte `posizione` on; bytes before it that no write fills read as zeros.
    void scrivi_da(uint64_t posizione, std::string_view byte);
    // Closes the temporary, after syncing it to the disk when asked.
    void chiudi(bool sincronizza);
    // Puts the closed temporary in the file's place, in one step.
    void rinomina();
    const std::string& percorso() const { return percorso_; }

private:
    [[noreturn]] void abbandona(const char* operazione);
    // Closes and removes the temporary unless it was renamed.
    void rimuovi();

    std::string percorso_;
    std::string temporaneo_;
    int fd_ = -1;
    uint64_t seguito_ = 0;  // where scrivi() goes on
    int posto_ = -1;        // in the list the signal handler cleans up
    bool sincronizzato_ = false;
};

// Syncs a directory's entries (renames in it) to the disk.
void sincronizza_directory(const std::string& directory);

// The directory part of a path ("." when it has none).
std::string directory_di(const std::string& percorso);

// Replaces the file with exactly `contenuto` through a FileNuovo, so a
// failure part-way leaves the earlier file as it was and no temporary
// behind. With `sincronizza` the file is synced before the rename and its
// directory after.
void sostituisci(const std::string& percorso, std::string_view contenuto, bool sincronizza = false);

// The same file by any path: the device and inode agree. False when either
// does not exist.
bool stesso_file(const std::string& a, const std::string& b);

}  // namespace compattatore::piattaforma
