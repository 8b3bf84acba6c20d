#include "platform/file.h"

#include "platform/temporanei.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace compattatore::piattaforma {

namespace {

// sostituisci's temporary: the file's name, a dot and six random characters.
constexpr std::string_view CODA_TEMPORANEO = ".XXXXXX";

// A name for a temporary that no file has yet, created with the usual mode
// (0666 less the umask), as mkstemp would do but for its owner-only mode.
int crea_temporaneo(std::string& nome) {
    static constexpr std::string_view CIFRE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 caso{std::random_device{}()};
    const size_t coda = nome.size() - CODA_TEMPORANEO.size() + 1;
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        uint64_t estratto = caso();
        for (size_t i = coda; i < nome.size(); ++i, estratto /= CIFRE.size()) nome[i] = CIFRE[estratto % CIFRE.size()];
        const int fd = ::open(nome.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

ErroreFile::ErroreFile(const std::string& operazione, std::string file, int numero)
    : std::runtime_error(operazione + " " + file + ": " + std::strerror(numero)),
      file_(std::move(file)),
      numero_(numero) {}

ErroreFile::ErroreFile(const std::string& operazione, std::string file, const std::string& motivo)
    : std::runtime_error(operazione + " " + file + ": " + motivo),
      file_(std::move(file)),
      numero_(0),
      motivo_(motivo) {}

std::string ErroreFile::descrizione() const { return numero_ != 0 ? std::strerror(numero_) : motivo_; }

std::string directory_eseguibile() {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n < 0) throw ErroreFile("cannot locate", "/proc/self/exe", errno);
    std::string percorso(buffer.data(), static_cast<size_t>(n));
    auto barra = percorso.rfind('/');
    return barra == 0 ? "/" : percorso.substr(0, barra);
}

std::string unisci(const std::string& directory, const std::string& nome) {
    if (directory.empty()) return nome;
    if (directory.back() == '/') return directory + nome;
    return directory + "/" + nome;
}

std::string nome_in_percorso(const std::string& percorso) {
    const size_t barra = percorso.find_last_of('/');
    return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

bool esiste(const std::string& percorso) {
    struct stat info {};
    return ::stat(percorso.c_str(), &info) == 0;
}

uint64_t dimensione(const std::string& percorso) {
    struct stat info {};
    if (::stat(percorso.c_str(), &info) != 0) throw ErroreFile("cannot stat", percorso, errno);
    return static_cast<uint64_t>(info.st_size);
}

std::vector<std::string> elenca(const std::string& directory) {
    std::unique_ptr<DIR, int (*)(DIR*)> cartella(::opendir(directory.c_str()), ::closedir);
    if (!cartella) throw ErroreFile("cannot list", directory, errno);
    std::vector<std::string> nomi;
    while (const dirent* voce = ::readdir(cartella.get())) {
        std::string nome = voce->d_name;
        if (nome != "." && nome != "..") nomi.push_back(nome);
    }
    return nomi;
}

void elimina(const std::string& percorso) {
    if (::unlink(percorso.c_str()) != 0) throw ErroreFile("cannot delete", percorso, errno);
}

void crea_directory(const std::string& percorso) {
    if (::mkdir(percorso.c_str(), 0777) != 0 && errno != EEXIST) throw ErroreFile("cannot create", percorso, errno);
}

namespace {

// Closes the descriptor on every path out of a scope.
class Descrittore {
public:
    explicit Descrittore(int fd) : fd_(fd) {}
    ~Descrittore() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descrittore(const Descrittore&) = delete;
    Descrittore& operator=(const Descrittore&) = delete;
    int get() const { return fd_; }
    int rilascia() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace

namespace {

std::string leggi_tutto(int fd, const std::string& percorso, uint64_t massimo) {
    // Read straight into a string of the file's size and a byte more, where
    // the end shows; a file that grows meanwhile, or one of no stated size,
    // gets room as it comes, up to `massimo`.
    struct stat info {};
    uint64_t spazio = uint64_t{1} << 16;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) spazio = static_cast<uint64_t>(info.st_size) + 1;
    std::string contenuto(static_cast<size_t>(std::min(spazio, massimo)), '\0');
    size_t letti = 0;
    while (letti < massimo) {
        if (letti == contenuto.size()) contenuto.resize(static_cast<size_t>(std::min<uint64_t>(2 * letti, massimo)));
        const ssize_t n = ::read(fd, contenuto.data() + letti, contenuto.size() - letti);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErroreFile("cannot read", percorso, errno);
        }
        if (n == 0) break;
        letti += static_cast<size_t>(n);
    }
    contenuto.resize(letti);
    return contenuto;
}

}  // namespace

std::string leggi(const std::string& percorso, uint64_t massimo) {
    Descrittore fd(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw ErroreFile("cannot open", percorso, errno);
    return leggi_tutto(fd.get(), percorso, massimo);
}

FileInLettura::FileInLettura(std::string percorso) : percorso_(std::move(percorso)) {
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    Descrittore fd(::open(percorso_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) throw ErroreFile("cannot open", percorso_, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) throw ErroreFile("cannot read", percorso_, errno);
    if (!S_ISREG(info.st_mode)) throw ErroreFile("cannot read", percorso_, "not a regular file");
    const int stato = ::fcntl(fd.get(), F_GETFL);
    if (stato < 0 || ::fcntl(fd.get(), F_SETFL, stato & ~O_NONBLOCK) != 0)
        throw ErroreFile("cannot read", percorso_, errno);
    dimensione_ = static_cast<uint64_t>(info.st_size);
    fd_ = fd.rilascia();
}

FileInLettura::~FileInLettura() { ::close(fd_); }

std::string FileInLettura::leggi(uint64_t massimo) const { return leggi_tutto(fd_, percorso_, massimo); }

bool stesso_file(const std::string& a, const std::string& b) {
    struct stat ia {};
    struct stat ib {};
    return ::stat(a.c_str(), &ia) == 0 && ::stat(b.c_str(), &ib) == 0 && ia.st_dev == ib.st_dev &&
           ia.st_ino == ib.st_ino;
}

size_t nome_piu_lungo(const std::string& directory) {
    long limite = ::pathconf(directory.empty() ? "." : directory.c_str(), _PC_NAME_MAX);
    if (limite <= 0) limite = NAME_MAX;  // no such directory yet, or no stated limit
    return static_cast<size_t>(limite) - CODA_TEMPORANEO.size();
}

FileNuovo::FileNuovo(std::string percorso)
    : percorso_(std::move(percorso)), temporaneo_(percorso_ + std::string(CODA_TEMPORANEO)) {
    // The signals wait while the file is created and registered, so that no
    // signal comes between the two.
    SegnaliSospesi sospesi;
    fd_ = crea_temporaneo(temporaneo_);  // NOLINT(cppcoreguidelines-prefer-member-initializer)
    if (fd_ < 0) throw ErroreFile("cannot create", percorso_, errno);
    posto_ = registra_temporaneo(temporaneo_);
}

FileNuovo::~FileNuovo() { rimuovi(); }

void FileNuovo::rimuovi() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (temporaneo_.empty()) return;  // renamed
    SegnaliSospesi sospesi;
    ::unlink(temporaneo_.c_str());
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
    const char* dati = byte.data();
    size_t restanti = byte.size();
    while (restanti > 0) {
        ssize_t n = ::pwrite(fd_, dati, restanti, static_cast<off_t>(posizione));
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
    if (sincronizza && ::fsync(fd_) != 0) abbandona("cannot write");
    if (::close(std::exchange(fd_, -1)) != 0) abbandona("cannot write");
    sincronizzato_ = sincronizza;
}

namespace {

// Swaps the temporary with the regular file it replaces, in one step, and
// removes the old file under its new name. A rename over an existing file
// would do the same, but some file systems (ext4) then write the new file's
// data out before the rename returns, which makes a run wait for the disk
// after all. False, with nothing changed, where there is no regular file to
// swap with or the system cannot swap.
bool scambia_e_rimuovi_vecchio(const std::string& temporaneo, const std::string& percorso) {
    struct stat info {};
    if (::lstat(percorso.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (::renameat2(AT_FDCWD, temporaneo.c_str(), AT_FDCWD, percorso.c_str(), RENAME_EXCHANGE) != 0) return false;
    if (::unlink(temporaneo.c_str()) == 0) return true;
    // Replaced by something else meanwhile: put the names back as they were.
    ::renameat2(AT_FDCWD, temporaneo.c_str(), AT_FDCWD, percorso.c_str(), RENAME_EXCHANGE);
    return false;
}

}  // namespace

void FileNuovo::rinomina() {
    SegnaliSospesi sospesi;
    // A synced file has nothing left to write, so the plain rename costs nothing more.
    if ((sincronizzato_ || !scambia_e_rimuovi_vecchio(temporaneo_, percorso_)) &&
        ::rename(temporaneo_.c_str(), percorso_.c_str()) != 0)
        abbandona("cannot replace");
    temporaneo_.clear();
    rilascia_temporaneo(std::exchange(posto_, -1));
}

std::string directory_di(const std::string& percorso) {
    const size_t barra = percorso.find_last_of('/');
    if (barra == std::string::npos) return ".";
    return barra == 0 ? "/" : percorso.substr(0, barra);
}

void sincronizza_directory(const std::string& directory) {
    Descrittore fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) throw ErroreFile("cannot sync", directory, errno);
}

void sostituisci(const std::string& percorso, std::string_view contenuto, bool sincronizza) {
    FileNuovo file(percorso);
    file.scrivi(contenuto);
    file.chiudi(sincronizza);
    file.rinomina();
    if (sincronizza) sincronizza_directory(directory_di(percorso));
}

}  // namespace compattatore::piattaforma
