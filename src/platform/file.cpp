#include "platform/file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <utility>
#include <vector>

namespace compattatore::piattaforma {

namespace {

// sostituisci's temporary: the file's name and this, filled in by mkstemp.
constexpr std::string_view CODA_TEMPORANEO = ".XXXXXX";

}  // namespace

ErroreFile::ErroreFile(const std::string& operazione, std::string file, int numero)
    : std::runtime_error(operazione + " " + file + ": " + std::strerror(numero)),
      file_(std::move(file)),
      numero_(numero) {}

std::string ErroreFile::descrizione() const { return std::strerror(numero_); }

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

std::string leggi(const std::string& percorso) {
    Descrittore fd(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw ErroreFile("cannot open", percorso, errno);
    std::string contenuto;
    char blocco[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), blocco, sizeof blocco);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErroreFile("cannot read", percorso, errno);
        }
        if (n == 0) break;
        contenuto.append(blocco, static_cast<size_t>(n));
    }
    return contenuto;
}

size_t nome_piu_lungo(const std::string& directory) {
    long limite = ::pathconf(directory.empty() ? "." : directory.c_str(), _PC_NAME_MAX);
    if (limite <= 0) limite = NAME_MAX;  // no such directory yet, or no stated limit
    return static_cast<size_t>(limite) - CODA_TEMPORANEO.size();
}

void sostituisci(const std::string& percorso, std::string_view contenuto) {
    std::string temporaneo = percorso + std::string(CODA_TEMPORANEO);
    Descrittore fd(::mkstemp(temporaneo.data()));
    if (fd.get() < 0) throw ErroreFile("cannot create", percorso, errno);

    auto abbandona = [&](const char* operazione) {
        int numero = errno;
        ::close(fd.rilascia());
        ::unlink(temporaneo.c_str());
        throw ErroreFile(operazione, percorso, numero);
    };

    // mkstemp creates the file for its owner only; give it the usual mode.
    mode_t maschera = ::umask(0);
    ::umask(maschera);
    if (::fchmod(fd.get(), 0666 & ~maschera) != 0) abbandona("cannot create");

    const char* dati = contenuto.data();
    size_t restanti = contenuto.size();
    while (restanti > 0) {
        ssize_t n = ::write(fd.get(), dati, restanti);
        if (n < 0) {
            if (errno == EINTR) continue;
            abbandona("cannot write");
        }
        dati += n;
        restanti -= static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0) abbandona("cannot write");
    if (::close(fd.rilascia()) != 0) {
        int numero = errno;
        ::unlink(temporaneo.c_str());
        throw ErroreFile("cannot write", percorso, numero);
    }
    if (::rename(temporaneo.c_str(), percorso.c_str()) != 0) {
        int numero = errno;
        ::unlink(temporaneo.c_str());
        throw ErroreFile("cannot replace", percorso, numero);
    }
}

}  // namespace compattatore::piattaforma
