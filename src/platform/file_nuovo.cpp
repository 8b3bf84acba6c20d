#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <memory>
#include <random>
#include <set>
#include <utility>

#include "platform/file.h"
#include "platform/flussi_standard.h"
#include "platform/guasti.h"
#include "platform/temporanei.h"

namespace compattatore::piattaforma {

namespace {

// The temporary's name: the file's name, a dot and six random characters.
constexpr std::string_view CODA_TEMPORANEO = ".XXXXXX";

// Draws the six characters of `nome`'s tail until `crea` finds the name
// free; gives what `crea` gave last.
template <class F>
int con_nome_libero(std::string& nome, F crea) {
    static constexpr std::string_view CIFRE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 caso{std::random_device{}()};
    const size_t coda = nome.size() - CODA_TEMPORANEO.size() + 1;
    int esito = -1;
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        uint64_t estratto = caso();
        for (size_t i = coda; i < nome.size(); ++i, estratto /= CIFRE.size()) nome[i] = CIFRE[estratto % CIFRE.size()];
        esito = crea();
        if (esito >= 0 || errno != EEXIST) return esito;
    }
    return esito;
}

// Nothing there yet, rather than a failure to look.
bool assente(int numero) { return numero == ENOENT || numero == ENOTDIR; }

// A file system that cannot make a file without a name says so by one of these.
bool senza_nome_rifiutato(int numero) { return numero == EOPNOTSUPP || numero == EISDIR || numero == EINVAL; }

// Where the bytes for a device, a FIFO or a socket go: a socket is connected
// to, anything else opened for writing.
int apri_attraverso(const std::string& percorso) {
    struct stat info {};
    if (contata("stat", [&] { return ::stat(percorso.c_str(), &info); }) != 0) return -1;
    if (!S_ISSOCK(info.st_mode)) return contata("open", [&] { return ::open(percorso.c_str(), O_WRONLY | O_CLOEXEC); });
    sockaddr_un indirizzo{};
    indirizzo.sun_family = AF_UNIX;
    if (percorso.size() >= sizeof indirizzo.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(indirizzo.sun_path, percorso.c_str(), percorso.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the system's own form of an address
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&indirizzo), sizeof indirizzo) == 0) return fd;
    const int numero = errno;
    ::close(fd);
    errno = numero;
    return -1;
}

}  // namespace

size_t nome_piu_lungo(const std::string& directory) {
    long limite = ::pathconf(directory.empty() ? "." : directory.c_str(), _PC_NAME_MAX);
    if (limite <= 0) limite = NAME_MAX;  // no such directory yet, or no stated limit
    return static_cast<size_t>(limite) - CODA_TEMPORANEO.size();
}

FileNuovo::FileNuovo(std::string percorso) : percorso_(std::move(percorso)), destinazione_(percorso_) {
    struct stat info {};
    const bool c_e = contata("stat", [&] { return ::stat(percorso_.c_str(), &info); }) == 0;
    // What is there decides what is written: one cannot tell, nothing is.
    if (!c_e && !assente(errno)) throw ErroreFile("cannot replace", percorso_, errno);
    if (c_e) {
        if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) {
            modo_ = Modo::attraverso;
            return;
        }
        if (S_ISDIR(info.st_mode)) throw ErroreFile("cannot replace", percorso_, EISDIR);
        struct stat proprio {};
        if (contata("lstat", [&] { return ::lstat(percorso_.c_str(), &proprio); }) != 0)
            throw ErroreFile("cannot replace", percorso_, errno);
        if (S_ISLNK(proprio.st_mode)) {
            const std::unique_ptr<char, decltype(&std::free)> vero(::realpath(percorso_.c_str(), nullptr), std::free);
            if (!vero) throw ErroreFile("cannot follow", percorso_, errno);
            destinazione_ = vero.get();
        }
    }
    // Unnamed until complete, so that nothing is left if the run is killed.
    fd_ = contata("open", [&] {  // NOLINT(cppcoreguidelines-prefer-member-initializer)
        return ::open(directory_di(destinazione_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    });
    if (fd_ >= 0) {
        modo_ = Modo::senza_nome;
        return;
    }
    if (!senza_nome_rifiutato(errno)) throw ErroreFile("cannot create", percorso_, errno);
    // The signals wait while the file is created and registered, so that no
    // signal comes between the two.
    SegnaliSospesi sospesi;
    temporaneo_ = destinazione_ + std::string(CODA_TEMPORANEO);
    // The usual mode (0666 less the umask), as mkstemp would do but for its owner-only mode.
    fd_ = con_nome_libero(temporaneo_, [&] {
        return contata("open",
                       [&] { return ::open(temporaneo_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666); });
    });
    if (fd_ < 0) {
        const int numero = errno;
        temporaneo_.clear();
        throw ErroreFile("cannot create", percorso_, numero);
    }
    posto_ = registra_temporaneo(temporaneo_);
}

FileNuovo::~FileNuovo() { rimuovi(); }

void FileNuovo::rimuovi() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (temporaneo_.empty()) return;  // renamed, or never named
    SegnaliSospesi sospesi;
    contata("unlink", [&] { return ::unlink(temporaneo_.c_str()); });
    temporaneo_.clear();
    rilascia_temporaneo(std::exchange(posto_, -1));
}

void FileNuovo::abbandona(const char* operazione) {
    const int numero = errno;
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    throw ErroreFile(operazione, percorso_, numero);
}

void FileNuovo::scrivi(std::string_view byte) {
    scrivi_da(seguito_, byte);
    seguito_ += byte.size();
}

void FileNuovo::scrivi_da(uint64_t posizione, std::string_view byte) {
    if (modo_ == Modo::attraverso) {
        if (attraverso_.size() < posizione + byte.size()) attraverso_.resize(posizione + byte.size());
        attraverso_.replace(posizione, byte.size(), byte);
        return;
    }
    const char* dati = byte.data();
    size_t restanti = byte.size();
    while (restanti > 0) {
        const ssize_t n =
            contata("pwrite", [&] { return ::pwrite(fd_, dati, restanti, static_cast<off_t>(posizione)); });
        if (n < 0) {
            if (errno == EINTR) continue;
            abbandona("cannot write");
        }
        dati += n;
        restanti -= static_cast<size_t>(n);
        posizione += static_cast<uint64_t>(n);
    }
}

void FileNuovo::chiudi(bool sincronizza) {
    if (modo_ == Modo::attraverso) return;
    if (sincronizza && contata("fsync", [&] { return ::fsync(fd_); }) != 0) abbandona("cannot write");
    // A file without a name would go with its descriptor: it is closed once named.
    if (modo_ == Modo::senza_nome) return;
    // A close that fails has closed all the same.
    if (::close(std::exchange(fd_, -1)) != 0 || chiamata_guasta("close")) abbandona("cannot write");
}

void FileNuovo::dai_nome() {
    const std::string descrittore = "/proc/self/fd/" + std::to_string(fd_);
    temporaneo_ = destinazione_ + std::string(CODA_TEMPORANEO);
    const int esito = con_nome_libero(temporaneo_, [&] {
        return contata("linkat", [&] {
            return ::linkat(AT_FDCWD, descrittore.c_str(), AT_FDCWD, temporaneo_.c_str(), AT_SYMLINK_FOLLOW);
        });
    });
    if (esito != 0) {
        temporaneo_.clear();
        abbandona("cannot write");
    }
    posto_ = registra_temporaneo(temporaneo_);
    modo_ = Modo::con_nome;
    if (::close(std::exchange(fd_, -1)) != 0 || chiamata_guasta("close")) abbandona("cannot write");
}

bool FileNuovo::metti_al_posto() {
    // Swapped with the file it replaces, the old file stays, under the
    // temporary's name, until the whole set is in place. A rename over an
    // existing file would also replace it, but some file systems (ext4) then
    // write the new file's data out before the rename returns, which makes a
    // run wait for the disk after all.
    struct stat info {};
    const bool vecchio = contata("lstat", [&] { return ::lstat(destinazione_.c_str(), &info); }) == 0;
    if (vecchio) {
        if (contata("renameat2", [&] {
                return ::renameat2(AT_FDCWD, temporaneo_.c_str(), AT_FDCWD, destinazione_.c_str(), RENAME_EXCHANGE);
            }) == 0) {
            scambiato_ = true;
            return true;
        }
        // A file system that cannot swap: the old file goes at once.
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    } else if (errno != ENOENT) {
        return false;
    }
    if (contata("rename", [&] { return ::rename(temporaneo_.c_str(), destinazione_.c_str()); }) != 0) return false;
    al_posto_ = !vecchio;  // a new name can be taken back; a replaced file cannot
    if (vecchio) temporaneo_.clear();
    return true;
}

void FileNuovo::rimetti() {
    if (scambiato_) {
        ::renameat2(AT_FDCWD, temporaneo_.c_str(), AT_FDCWD, destinazione_.c_str(), RENAME_EXCHANGE);
        scambiato_ = false;
    } else if (al_posto_) {
        ::rename(destinazione_.c_str(), temporaneo_.c_str());
        al_posto_ = false;
    }
}

void FileNuovo::scrivi_attraverso() {
    fd_ = apri_attraverso(percorso_);
    if (fd_ < 0) abbandona("cannot write");
    if (!scrivi_tutto(fd_, attraverso_)) abbandona("cannot write");
    if (::close(std::exchange(fd_, -1)) != 0) abbandona("cannot write");
}

void FileNuovo::rinomina() {
    FileNuovo* solo = this;
    rinomina_insieme({&solo, 1});
}

void rinomina_insieme(std::span<FileNuovo* const> file, bool sincronizza) {
    using Modo = FileNuovo::Modo;
    // Every place first: a directory in the way fails the set before any file moves.
    for (FileNuovo* f : file) {
        if (f->modo_ == Modo::attraverso) continue;
        struct stat info {};
        if (contata("lstat", [&] { return ::lstat(f->destinazione_.c_str(), &info); }) != 0) {
            if (assente(errno)) continue;
            throw ErroreFile("cannot replace", f->percorso_, errno);
        }
        if (S_ISDIR(info.st_mode)) throw ErroreFile("cannot replace", f->percorso_, EISDIR);
    }
    std::set<std::string> directory;
    {
        SegnaliSospesi sospesi;
        for (size_t i = 0; i < file.size(); ++i) {
            FileNuovo& f = *file[i];
            if (f.modo_ == Modo::attraverso) continue;
            try {
                if (f.modo_ == Modo::senza_nome) f.dai_nome();
                if (!f.metti_al_posto()) f.abbandona("cannot replace");
            } catch (const ErroreFile&) {
                for (size_t j = i; j-- > 0;) file[j]->rimetti();
                throw;
            }
            directory.insert(directory_di(f.destinazione_));
        }
        // The set is in place: the old files kept under the temporaries'
        // names go, or else with each FileNuovo.
        for (FileNuovo* f : file) {
            if (f->scambiato_ && contata("unlink", [&] { return ::unlink(f->temporaneo_.c_str()); }) != 0) continue;
            f->temporaneo_.clear();
            rilascia_temporaneo(std::exchange(f->posto_, -1));
        }
    }
    if (sincronizza)
        for (const std::string& d : directory) sincronizza_directory(d);
    for (FileNuovo* f : file)
        if (f->modo_ == Modo::attraverso) f->scrivi_attraverso();
}

}  // namespace compattatore::piattaforma
