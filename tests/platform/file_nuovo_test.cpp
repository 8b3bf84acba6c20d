// What a new file replaces: a device, a FIFO or a socket is written to, a
// link's target is replaced beside the target, a set moves whole or not at
// all, and a killed run leaves no temporary.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/file.h"
#include "support/cartella_temporanea.h"

namespace compattatore::piattaforma {
namespace {

namespace fs = std::filesystem;

// What can be read at once from a non-blocking descriptor.
std::string leggi_pronto(int fd) {
    std::string letto;
    char buffer[256];
    for (ssize_t n = 0; (n = ::read(fd, buffer, sizeof buffer)) > 0;) letto.append(buffer, static_cast<size_t>(n));
    return letto;
}

// An output that is not a regular file: made, then read back after the write.
struct Destinazione {
    std::string percorso;
    std::function<std::string()> letto;  // what reached it
    std::function<void()> chiudi;
};

Destinazione fifo(const std::string& percorso) {
    EXPECT_EQ(::mkfifo(percorso.c_str(), 0600), 0);
    // A reader already there lets the writer open it; the pipe keeps the bytes.
    const int lettore = ::open(percorso.c_str(), O_RDONLY | O_NONBLOCK);
    return {percorso, [lettore] { return leggi_pronto(lettore); }, [lettore] { ::close(lettore); }};
}

Destinazione presa(const std::string& percorso) {
    const int ascolto = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un indirizzo{};
    indirizzo.sun_family = AF_UNIX;
    std::strncpy(indirizzo.sun_path, percorso.c_str(), sizeof indirizzo.sun_path - 1);
    EXPECT_EQ(::bind(ascolto, reinterpret_cast<const sockaddr*>(&indirizzo), sizeof indirizzo), 0);
    EXPECT_EQ(::listen(ascolto, 1), 0);
    return {percorso,
            [ascolto] {
                const int connessione = ::accept4(ascolto, nullptr, nullptr, SOCK_NONBLOCK);
                if (connessione < 0) return std::string();
                std::string letto = leggi_pronto(connessione);
                ::close(connessione);
                return letto;
            },
            [ascolto] { ::close(ascolto); }};
}

TEST(FileNuovo, ADeviceAFifoOrASocketIsWrittenToAndStaysWhatItWas) {
    prova::CartellaTemporanea dir;
    std::vector<Destinazione> destinazioni = {fifo(dir.file("fifo")), presa(dir.file("presa"))};
    // Replacing /dev/null would need root, and as root a broken run would do it.
    if (::geteuid() != 0) destinazioni.push_back({"/dev/null", [] { return std::string("bytes"); }, [] {}});
    for (const Destinazione& d : destinazioni) {
        SCOPED_TRACE(d.percorso);
        struct stat prima {};
        ASSERT_EQ(::lstat(d.percorso.c_str(), &prima), 0);
        sostituisci(d.percorso, "bytes");
        EXPECT_EQ(d.letto(), "bytes");
        struct stat dopo {};
        ASSERT_EQ(::lstat(d.percorso.c_str(), &dopo), 0);
        EXPECT_EQ(dopo.st_ino, prima.st_ino) << "replaced";
        EXPECT_EQ(dopo.st_mode & S_IFMT, prima.st_mode & S_IFMT);
        d.chiudi();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.percorso()), fs::directory_iterator{}), 2)
        << "no temporary beside them";
}

// The link stays, its target takes the new bytes in one step (another name
// of the old target keeps the old ones), and no temporary is left either side.
TEST(FileNuovo, ALinkToARegularFileIsFollowedAndItsTargetReplacedBesideIt) {
    for (bool sincronizza : {false, true}) {
        prova::CartellaTemporanea dir;
        fs::create_directory(dir.percorso() / "qui");
        fs::create_directory(dir.percorso() / "altrove");
        dir.scrivi("altrove/bersaglio.svg", "old");
        fs::create_hard_link(dir.percorso() / "altrove/bersaglio.svg", dir.percorso() / "altrove/copia.svg");
        fs::create_symlink("../altrove/bersaglio.svg", dir.percorso() / "qui/disegno.svg");

        sostituisci(dir.file("qui/disegno.svg"), "new", sincronizza);

        EXPECT_TRUE(fs::is_symlink(dir.percorso() / "qui/disegno.svg"));
        EXPECT_EQ(prova::istantanea(dir.percorso() / "altrove"),
                  (std::map<std::string, std::string>{{"bersaglio.svg", "new"}, {"copia.svg", "old"}}));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.percorso() / "qui"), fs::directory_iterator{}), 1);
    }
}

TEST(FileNuovo, ARunKilledWhileWritingLeavesNoTemporary) {
    for (bool chiuso : {false, true}) {
        SCOPED_TRACE(chiuso ? "closed" : "writing");
        prova::CartellaTemporanea dir;
        dir.scrivi("a.dat", "old");
        const pid_t figlio = ::fork();
        if (figlio == 0) {
            FileNuovo file(dir.file("a.dat"));
            file.scrivi(std::string(100000, 'n'));
            if (chiuso) file.chiudi(false);
            ::raise(SIGKILL);
            _exit(9);
        }
        int stato = 0;
        ASSERT_EQ(::waitpid(figlio, &stato, 0), figlio);
        ASSERT_TRUE(WIFSIGNALED(stato));
        EXPECT_EQ(prova::istantanea(dir.percorso()), (std::map<std::string, std::string>{{"a.dat", "old"}}));
    }
}

// A directory that comes in the way of the second file after both were
// written fails the set before the first one moves.
TEST(RinominaInsieme, EveryPlaceIsCheckedBeforeTheFirstFileMoves) {
    prova::CartellaTemporanea dir;
    dir.scrivi("a.dat", "old a");
    std::vector<std::unique_ptr<FileNuovo>> file;
    for (const char* nome : {"a.dat", "b.sim"}) {
        file.push_back(std::make_unique<FileNuovo>(dir.file(nome)));
        file.back()->scrivi("new");
        file.back()->chiudi(false);
    }
    fs::create_directory(dir.percorso() / "b.sim");
    dir.scrivi("b.sim/dentro", "x");
    try {
        FileNuovo* insieme[] = {file[0].get(), file[1].get()};
        rinomina_insieme(insieme);
        ADD_FAILURE() << "no failure";
    } catch (const ErroreFile& e) {
        EXPECT_EQ(e.numero(), EISDIR);
        EXPECT_EQ(e.file(), dir.file("b.sim"));
    }
    file.clear();
    EXPECT_TRUE(fs::is_directory(dir.percorso() / "b.sim"));
    fs::remove_all(dir.percorso() / "b.sim");
    EXPECT_EQ(prova::istantanea(dir.percorso()), (std::map<std::string, std::string>{{"a.dat", "old a"}}));
}

}  // namespace
}  // namespace compattatore::piattaforma
