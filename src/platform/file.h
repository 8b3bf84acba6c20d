// File operations of the host system. Every other layer reaches the disk
// through these calls only.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
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

// A path in the form a "file:" URI gives it, its parts parted by "/" from an
// absolute start ("C:\dir\f" on Windows is "/C:/dir/f"), and back.
std::string percorso_in_forma_uri(const std::string& percorso);
std::string percorso_da_forma_uri(const std::string& forma);

// Whether the path leads to something; ErroreFile when the system cannot
// tell (a failing disk, a directory that cannot be searched).
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
    // `quanti` bytes from byte `posizione` on, fewer where the file ends.
    std::string leggi_da(uint64_t posizione, size_t quanti) const;

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
// that name stays as it was. The temporary has no name at all while it is
// written where the system allows it, so that even a run that is killed
// leaves nothing behind; a named temporary that is never renamed is removed,
// also when the program is ended by SIGINT, SIGTERM or SIGHUP.
//
// What `percorso` names decides what is replaced: a symbolic link to a
// regular file is followed, and its target replaced in the target's own
// directory (the link stays a link); a character device, a FIFO or a socket
// is written to, never replaced, when rinomina() is called; a directory is
// refused at once.
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
    // Ends the writing, after syncing the file to the disk when asked.
    void chiudi(bool sincronizza);
    // Puts the closed file in its place, in one step: rinomina_insieme of
    // this file alone.
    void rinomina();
    const std::string& percorso() const { return percorso_; }

private:
    friend void rinomina_insieme(std::span<FileNuovo* const> file, bool sincronizza);
    enum class Modo : uint8_t { senza_nome, con_nome, attraverso };

    [[noreturn]] void abbandona(const char* operazione);
    // Closes and removes the temporary unless it was renamed.
    void rimuovi();
    // Gives a temporary written without a name its name beside its place.
    void dai_nome();
    // Puts the file in its place; false, with errno set, when it cannot.
    bool metti_al_posto();
    // Puts back what metti_al_posto() replaced.
    void rimetti();
    // Writes the bytes kept for a device, a FIFO or a socket.
    void scrivi_attraverso();

    std::string percorso_;      // as given: the messages name it
    std::string destinazione_;  // what is replaced: percorso_, or the file a link leads to
    std::string temporaneo_;    // the temporary's name, while it has one
    Modo modo_ = Modo::con_nome;
    int fd_ = -1;
    uint64_t seguito_ = 0;    // where scrivi() goes on
    int posto_ = -1;          // in the list the signal handler cleans up
    std::string attraverso_;  // the bytes for a device, a FIFO or a socket
    bool scambiato_ = false;  // the temporary's name holds the old file
    bool al_posto_ = false;   // renamed, with nothing to put back
};

// Puts the closed files in their places as one set. Every place is checked
// before the first file moves, and a file that cannot take its place puts
// back the ones before it, so a failure leaves every old file as it was; the
// signals that end the program wait from the first rename to the last. With
// `sincronizza` the directories the files went into are synced after. The
// files written to a device, a FIFO or a socket are written last.
void rinomina_insieme(std::span<FileNuovo* const> file, bool sincronizza = false);

// Syncs a directory's entries (renames in it) to the disk.
void sincronizza_directory(const std::string& directory);

// The directory part of a path ("." when it has none).
std::string directory_di(const std::string& percorso);

// Replaces the file with exactly `contenuto` through a FileNuovo, so a
// failure part-way leaves the earlier file as it was and no temporary
// behind. With `sincronizza` the file is synced before the rename and its
// directory after.
void sostituisci(const std::string& percorso, std::string_view contenuto, bool sincronizza = false);

// Which file a path leads to, whatever the path: its device and inode.
struct IdentitaFile {
    uint64_t dispositivo = 0;
    uint64_t inode = 0;
    bool operator==(const IdentitaFile&) const = default;
};
// None when it does not exist.
std::optional<IdentitaFile> identita_file(const std::string& percorso);

// The same file by any path: the device and inode agree. False when either
// does not exist.
bool stesso_file(const std::string& a, const std::string& b);

}  // namespace compattatore::piattaforma
