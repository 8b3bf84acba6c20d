// The three binary files are replaced together or not at all, and a run
// ended by a signal leaves no temporary behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>

#include "compiler/memorizza_percorso.h"
#include "format/file_binari.h"
#include "platform/file.h"
#include "support/cartella_temporanea.h"
#include "support/modello_prova.h"

namespace compattatore {
namespace {

const std::map<std::string, std::string> VECCHI = {
    {"Linea_linea.dat", "old plan"}, {"Linea_T1.sim", "old objects"}, {"Linea_T1.dat", "old cells"}};

// A model whose plan file is 16 bytes and whose object file is over 5000.
Modello modello_con_oggetti_lunghi() {
    Modello m = prova::modello_vuoto(140, "Linea", "T1");
    m.stato.crea_tracciato = 1;
    m.tracciato = TrattiTracciato(2);
    m.tracciato.avvia();
    m.oggetti[1].nome = std::string(5000, 'N');
    return m;
}

// Runs `corpo` in a child process and gives its wait status.
template <class F>
int in_un_figlio(F corpo) {
    pid_t figlio = fork();
    if (figlio == 0) {
        corpo();
        _exit(0);
    }
    int stato = 0;
    waitpid(figlio, &stato, 0);
    return stato;
}

TEST(ScriviFileBinari, AFailureOnTheSecondFileLeavesEveryOldFileAndNoTemporary) {
    prova::CartellaTemporanea dir;
    for (const auto& [nome, byte] : VECCHI) dir.scrivi(nome, byte);
    const Modello m = modello_con_oggetti_lunghi();

    // Under a 4 KiB file-size limit the plan file is written whole and the
    // object file fails part-way.
    const int stato = in_un_figlio([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limite{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limite);
        try {
            scrivi_file_binari(m, dir.str());
        } catch (const piattaforma::ErroreFile& e) {
            _exit(e.numero() == EFBIG && e.file() == dir.file("Linea_T1.sim") ? 7 : 8);
        }
        _exit(9);
    });

    ASSERT_TRUE(WIFEXITED(stato));
    EXPECT_EQ(WEXITSTATUS(stato), 7) << "the object file's failure, with EFBIG";
    EXPECT_EQ(prova::istantanea(dir.percorso()), VECCHI);
}

TEST(ScriviFileBinari, WithoutFailureAllThreeAreReplacedAndNoTemporaryStays) {
    prova::CartellaTemporanea dir;
    for (const auto& [nome, byte] : VECCHI) dir.scrivi(nome, byte);
    const Modello m = modello_con_oggetti_lunghi();
    for (bool sincronizza : {false, true}) {
        scrivi_file_binari(m, dir.str(), sincronizza);
        const auto dopo = prova::istantanea(dir.percorso());
        ASSERT_EQ(dopo.size(), 3u);
        EXPECT_EQ(dopo.at("Linea_linea.dat"), codifica_tracciato(m.tracciato));
        EXPECT_EQ(dopo.at("Linea_T1.sim"), codifica_oggetti(m.oggetti));
        EXPECT_EQ(dopo.at("Linea_T1.dat"), codifica_celle(m.celle));
    }
}

TEST(FileNuovo, ASignalThatEndsTheProgramRemovesTheTemporaryFirst) {
    for (int segnale : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(segnale));
        prova::CartellaTemporanea dir;
        dir.scrivi("a.dat", "old");
        const int stato = in_un_figlio([&] {
            signal(segnale, SIG_DFL);  // as a program started from a shell has it
            piattaforma::FileNuovo file(dir.file("a.dat"));
            file.scrivi("new bytes, never renamed");
            raise(segnale);
            _exit(9);
        });
        ASSERT_TRUE(WIFSIGNALED(stato)) << "the program ends by the signal, as it would without the handler";
        EXPECT_EQ(WTERMSIG(stato), segnale);
        EXPECT_EQ(prova::istantanea(dir.percorso()), (std::map<std::string, std::string>{{"a.dat", "old"}}));
    }
}

}  // namespace
}  // namespace compattatore
