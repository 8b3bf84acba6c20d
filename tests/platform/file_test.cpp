// Replacing a file must never lose the earlier copy.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file.h"
#include "support/cartella_temporanea.h"

namespace compattatore::piattaforma {
namespace {

size_t voci(const prova::CartellaTemporanea& c) {
    return static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(c.percorso()), std::filesystem::directory_iterator{}));
}

TEST(Sostituisci, ReplacesAnEarlierLongerFileByExactlyTheNewBytes) {
    prova::CartellaTemporanea cartella;
    std::string nome = cartella.file("a.txt");
    prova::scrivi_tutto(nome, std::string(5000, 'x'));
    sostituisci(nome, "nuovo\r\n");
    EXPECT_EQ(prova::leggi_tutto(nome), "nuovo\r\n");
    EXPECT_EQ(voci(cartella), 1u);
}

TEST(Sostituisci, AWriteFailingPartWayLeavesTheEarlierFileAndNoTemporary) {
    prova::CartellaTemporanea cartella;
    std::string nome = cartella.file("a.dat");
    prova::scrivi_tutto(nome, "copia buona");

    // The child runs under a 4 KiB file-size limit, so the write fails part-way.
    pid_t figlio = fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limite{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limite);
        try {
            sostituisci(nome, std::string(100000, 'y'));
        } catch (const ErroreFile& e) {
            _exit(e.numero() == EFBIG && e.file() == nome ? 7 : 8);
        }
        _exit(9);
    }
    int stato = 0;
    ASSERT_EQ(waitpid(figlio, &stato, 0), figlio);
    ASSERT_TRUE(WIFEXITED(stato));
    EXPECT_EQ(WEXITSTATUS(stato), 7) << "the failure must be reported with the file and EFBIG";
    EXPECT_EQ(prova::leggi_tutto(nome), "copia buona");
    EXPECT_EQ(voci(cartella), 1u);
}

// The file's name moves to the new bytes in one step, with or without a sync
// first: another name of the old file keeps the old bytes, and a symbolic
// link in the way stays, its target replaced.
TEST(Sostituisci, OnlyTheNameMovesToTheNewBytes) {
    for (bool sincronizza : {false, true}) {
        SCOPED_TRACE(sincronizza ? "synced" : "not synced");
        prova::CartellaTemporanea cartella;
        const std::string nome = cartella.file("a.dat"), altro_nome = cartella.file("b.dat");
        prova::scrivi_tutto(nome, "vecchio");
        std::filesystem::create_hard_link(nome, altro_nome);
        const std::string bersaglio = cartella.file("bersaglio.dat"), collegamento = cartella.file("c.dat");
        prova::scrivi_tutto(bersaglio, "bersaglio");
        std::filesystem::create_symlink(bersaglio, collegamento);

        sostituisci(nome, "nuovo", sincronizza);
        sostituisci(collegamento, "attraverso il collegamento", sincronizza);

        EXPECT_EQ(prova::leggi_tutto(nome), "nuovo");
        EXPECT_EQ(prova::leggi_tutto(altro_nome), "vecchio");
        EXPECT_TRUE(std::filesystem::is_symlink(collegamento));
        EXPECT_EQ(prova::leggi_tutto(bersaglio), "attraverso il collegamento");
        EXPECT_EQ(voci(cartella), 4u);
    }
}

TEST(Sostituisci, FailuresNameTheFileAndTheSystemsReason) {
    prova::CartellaTemporanea cartella;
    // A directory in the way cannot be replaced by a file, even by root.
    std::string ostacolo = cartella.file("occupato.txt");
    std::filesystem::create_directory(ostacolo);
    prova::scrivi_tutto(cartella.file("occupato.txt/dentro"), "x");
    std::string mancante = cartella.file("manca/a.txt");

    struct Caso {
        std::string percorso;
        int numero;
    } casi[] = {{ostacolo, EISDIR}, {mancante, ENOENT}};
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.percorso);
        try {
            sostituisci(caso.percorso, "dati");
            ADD_FAILURE() << "no failure reported";
        } catch (const ErroreFile& e) {
            EXPECT_EQ(e.numero(), caso.numero);
            EXPECT_EQ(e.file(), caso.percorso);
            EXPECT_NE(std::string(e.what()).find(caso.percorso), std::string::npos);
        }
    }
    EXPECT_EQ(voci(cartella), 1u);  // no temporary left beside the directory
}

TEST(DirectoryEseguibile, IsTheDirectoryOfTheRunningProgram) {
    std::filesystem::path atteso = std::filesystem::canonical("/proc/self/exe").parent_path();
    EXPECT_EQ(directory_eseguibile(), atteso.string());
}

}  // namespace
}  // namespace compattatore::piattaforma
