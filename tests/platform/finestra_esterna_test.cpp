// The program's side of the window program, against small scripts that
// stand in for it: what is said on standard error when it cannot start or
// fails later, the console standing in for what remains, a message reaching
// it whole, and a window program that will not end.
#include "platform/finestra_esterna.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "support/cartella_temporanea.h"

namespace compattatore::piattaforma {
namespace {

using prova::CartellaTemporanea;

class FinestraEsterna : public ::testing::Test {
protected:
    // A shell script standing in for the window program.
    std::string programma(const std::string& corpo) {
        const std::string percorso = cartella_.scrivi("finestra", "#!/bin/sh\n" + corpo + "\n");
        ::chmod(percorso.c_str(), 0755);
        return percorso;
    }

    // What is written on standard error while `azione` runs.
    std::string errori_di(const std::function<void()>& azione) {
        const std::string file = cartella_.file("errori-" + std::to_string(catture_++));
        const int copia = ::dup(STDERR_FILENO);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
        azione();
        ::dup2(copia, STDERR_FILENO);
        ::close(copia);
        return prova::leggi_tutto(file);
    }

    CartellaTemporanea cartella_;
    int catture_ = 0;
};

TEST_F(FinestraEsterna, AMissingProgramIsNamedAndTheConsoleStandsIn) {
    const std::string assente = cartella_.file("compattatore_finestra");
    std::unique_ptr<Interfaccia> finestra;
    EXPECT_EQ(
        errori_di([&] { finestra = avvia_finestra(assente); }),
        "compattatore: no window (cannot start " + assente + ": No such file or directory); the console stands in\n");
    EXPECT_EQ(finestra, nullptr);
}

struct AvvioMancato {
    const char* nome;
    const char* corpo;   // of the script
    const char* errori;  // on standard error
};

void PrintTo(const AvvioMancato& caso, std::ostream* os) { *os << caso.nome; }

class FinestraNonPronta : public FinestraEsterna, public ::testing::WithParamInterface<AvvioMancato> {};

TEST_P(FinestraNonPronta, NoWindowAndTheReasonUnlessNoDisplay) {
    std::unique_ptr<Interfaccia> finestra;
    EXPECT_EQ(errori_di([&] { finestra = avvia_finestra(programma(GetParam().corpo)); }), GetParam().errori);
    EXPECT_EQ(finestra, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Avvio, FinestraNonPronta,
    ::testing::Values(
        // The display cannot be opened: the console, without a word.
        AvvioMancato{"NoDisplay", "exit 2", ""},
        AvvioMancato{"Fails", "exit 1",
                     "compattatore: no window (the window program ended with status 1); the console stands in\n"},
        AvvioMancato{"Killed", "kill -9 $$",
                     "compattatore: no window (the window program ended by signal 9); the console stands in\n"},
        AvvioMancato{"WrongAnswer", "echo pronto",
                     "compattatore: no window (the window program answered 'pronto'); the console stands in\n"}),
    [](const auto& info) { return info.param.nome; });

// Once it has failed a request, the window program is ended and the console
// shows the rest; a message is on standard error once, as always.
struct FinestraCaduta {
    const char* nome;
    const char* corpo;
    const char* motivo;
};

void PrintTo(const FinestraCaduta& caso, std::ostream* os) { *os << caso.nome; }

class FinestraInterrotta : public FinestraEsterna, public ::testing::WithParamInterface<FinestraCaduta> {};

TEST_P(FinestraInterrotta, TheConsoleShowsWhatRemains) {
    std::unique_ptr<Interfaccia> finestra;
    EXPECT_EQ(errori_di([&] { finestra = avvia_finestra(programma(GetParam().corpo)); }), "");
    ASSERT_NE(finestra, nullptr);
    EXPECT_EQ(errori_di([&] { finestra->mostra_attesa(); }),
              std::string("compattatore: no window (") + GetParam().motivo + "); the console stands in\nAttendere\n");
    EXPECT_EQ(errori_di([&] { finestra->messaggio("Errore n. 1250"); }), "Errore n. 1250\n");
    EXPECT_EQ(errori_di([&] { finestra.reset(); }), "");
}

INSTANTIATE_TEST_SUITE_P(Richiesta, FinestraInterrotta,
                         ::testing::Values(FinestraCaduta{"EndsOnTheRequest", "echo pronta; read riga; exit 3",
                                                          "the window program ended with status 3"},
                                           // Its input is closed before it is ready: the request
                                           // meets a broken pipe, which must not end this process.
                                           FinestraCaduta{"InputAlreadyClosed", "exec 0<&-; echo pronta; exec sleep 1",
                                                          "the window program ended with status 0"},
                                           FinestraCaduta{"WrongAnswer", "echo pronta; read riga; echo no; read riga",
                                                          "the window program answered 'no'"}),
                         [](const auto& info) { return info.param.nome; });

TEST_F(FinestraEsterna, AMessageReachesTheWindowProgramWholeAndAlsoStandardError) {
    const std::string ricevuto = cartella_.file("ricevuto");
    auto finestra = avvia_finestra(programma("echo pronta\nIFS= read -r riga\necho \"$riga\" > " + ricevuto +
                                             ".riga\nhead -c \"${riga#messaggio }\" > " + ricevuto +
                                             "\necho fatto\ncat > /dev/null"));
    ASSERT_NE(finestra, nullptr);
    const std::string testo = "Errore n. 1250\n\tcella 1: dato1 2100";
    EXPECT_EQ(errori_di([&] { finestra->messaggio(testo); }), testo + "\n");
    finestra.reset();
    EXPECT_EQ(prova::leggi_tutto(ricevuto + ".riga"), "messaggio " + std::to_string(testo.size()) + "\n");
    EXPECT_EQ(prova::leggi_tutto(ricevuto), testo);
}

// A window program that ignores the end of its input is ended, not waited
// for without end.
TEST_F(FinestraEsterna, AWindowProgramThatWillNotEndIsEnded) {
    const std::string segno = cartella_.file("ancora");
    auto finestra = avvia_finestra(programma("echo pronta; while :; do touch " + segno + "; sleep 0.1; done"));
    ASSERT_NE(finestra, nullptr);
    finestra.reset();
    ::usleep(300000);  // a touch started just before the end may still land
    ::unlink(segno.c_str());
    ::usleep(300000);
    EXPECT_FALSE(cartella_.esiste("ancora")) << "the window program still runs";
}

}  // namespace
}  // namespace compattatore::piattaforma
