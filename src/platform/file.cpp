#include "platform/file.h"

#include "platform/guasti.h"

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
#include <utility>
#include <vector>

namespace compattatore::piattaforma {

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

// A POSIX path already has that form.
std::string percorso_in_forma_uri(const std::string& percorso) { return percorso; }
std::string percorso_da_forma_uri(const std::string& forma) { return forma; }

bool esiste(const std::string& percorso) {
    struct stat info {};
    if (contata("stat", [&] { return ::stat(percorso.c_str(), &info); }) == 0) return true;
    // A disk that fails is not a file that is missing.
    if (errno != ENOENT && errno != ENOTDIR) throw ErroreFile("cannot stat", percorso, errno);
    return false;
}

uint64_t dimensione(const std::string& percorso) {
    struct stat info {};
    if (contata("stat", [&] { return ::stat(percorso.c_str(), &info); }) != 0)
        throw ErroreFile("cannot stat", percorso, errno);
    return static_cast<uint64_t>(info.st_size);
}

std::vector<std::string> elenca(const std::string& directory) {
    std::unique_ptr<DIR, int (*)(DIR*)> cartella(contata("opendir", [&] { return ::opendir(directory.c_str()); }),
                                                 ::closedir);
    if (!cartella) throw ErroreFile("cannot list", directory, errno);
    std::vector<std::string> nomi;
    while (const dirent* voce = ::readdir(cartella.get())) {
        std::string nome = voce->d_name;
        if (nome != "." && nome != "..") nomi.push_back(nome);
    }
    return nomi;
}

void elimina(const std::string& percorso) {
    if (contata("unlink", [&] { return ::unlink(percorso.c_str()); }) != 0)
        throw ErroreFile("cannot delete", percorso, errno);
}

void crea_directory(const std::string& percorso) {
    if (contata("mkdir", [&] { return ::mkdir(percorso.c_str(), 0777); }) != 0 && errno != EEXIST)
        throw ErroreFile("cannot create", percorso, errno);
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

// One read call's bytes (none at the end of the file), asked again when a
// signal interrupts it.
template <class Leggi>
size_t un_pezzo(const char* chiamata, const std::string& percorso, Leggi leggi) {
    for (;;) {
        const ssize_t n = contata(chiamata, leggi);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) throw ErroreFile("cannot read", percorso, errno);
    }
}

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
        const size_t n =
            un_pezzo("read", percorso, [&] { return ::read(fd, contenuto.data() + letti, contenuto.size() - letti); });
        if (n == 0) break;
        letti += n;
    }
    contenuto.resize(letti);
    return contenuto;
}

}  // namespace

std::string leggi(const std::string& percorso, uint64_t massimo) {
    Descrittore fd(contata("open", [&] { return ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC); }));
    if (fd.get() < 0) throw ErroreFile("cannot open", percorso, errno);
    return leggi_tutto(fd.get(), percorso, massimo);
}

FileInLettura::FileInLettura(std::string percorso) : percorso_(std::move(percorso)) {
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    Descrittore fd(contata("open", [&] { return ::open(percorso_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); }));
    if (fd.get() < 0) throw ErroreFile("cannot open", percorso_, errno);
    struct stat info {};
    if (contata("fstat", [&] { return ::fstat(fd.get(), &info); }) != 0)
        throw ErroreFile("cannot read", percorso_, errno);
    if (!S_ISREG(info.st_mode)) throw ErroreFile("cannot read", percorso_, "not a regular file");
    const int stato = ::fcntl(fd.get(), F_GETFL);
    if (stato < 0 || ::fcntl(fd.get(), F_SETFL, stato & ~O_NONBLOCK) != 0)
        throw ErroreFile("cannot read", percorso_, errno);
    dimensione_ = static_cast<uint64_t>(info.st_size);
    fd_ = fd.rilascia();
}

FileInLettura::~FileInLettura() { ::close(fd_); }

std::string FileInLettura::leggi(uint64_t massimo) const { return leggi_tutto(fd_, percorso_, massimo); }

std::string FileInLettura::leggi_da(uint64_t posizione, size_t quanti) const {
    std::string contenuto(quanti, '\0');
    size_t letti = 0;
    while (letti < quanti) {
        const size_t n = un_pezzo("pread", percorso_, [&] {
            return ::pread(fd_, contenuto.data() + letti, quanti - letti, static_cast<off_t>(posizione + letti));
        });
        if (n == 0) break;
        letti += n;
    }
    contenuto.resize(letti);
    return contenuto;
}

std::optional<IdentitaFile> identita_file(const std::string& percorso) {
    struct stat info {};
    if (contata("stat", [&] { return ::stat(percorso.c_str(), &info); }) != 0) return std::nullopt;
    return IdentitaFile{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

bool stesso_file(const std::string& a, const std::string& b) {
    const std::optional<IdentitaFile> ia = identita_file(a);
    return ia && ia == identita_file(b);
}

std::string directory_di(const std::string& percorso) {
    const size_t barra = percorso.find_last_of('/');
    if (barra == std::string::npos) return ".";
    return barra == 0 ? "/" : percorso.substr(0, barra);
}

void sincronizza_directory(const std::string& directory) {
    Descrittore fd(contata("open", [&] { return ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    if (fd.get() < 0 || contata("fsync", [&] { return ::fsync(fd.get()); }) != 0)
        throw ErroreFile("cannot sync", directory, errno);
}

}  // namespace compattatore::piattaforma
