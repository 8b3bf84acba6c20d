// The wait window and the message box, seen on a virtual X screen: what the
// program draws, that it ends by itself or after OK, and that without a
// display it falls back to the console and writes the same files.
#include <gtest/gtest.h>

#ifdef COMPATTATORE_FINESTRA

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "platform/schermo_virtuale.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore::prova {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr Rettangolo ETICHETTA{64, 64, 177, 53};
constexpr int LARGHEZZA_FINESTRA = 280, ALTEZZA_FINESTRA = 179;
// Keeps the painted wait window up long enough to be seen.
constexpr const char* PAUSA = "COMPATTATORE_PROVA_ATTESA_MS";

class Finestra : public ::testing::Test {
protected:
    void SetUp() override {
        std::string xvfb = trova_programma("Xvfb");
        if (xvfb.empty()) GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb)";
        schermo_ = std::make_unique<SchermoVirtuale>(xvfb, cartella_.str());
    }

    void TearDown() override { schermo_.reset(); }

    fs::path cartella_lavoro(const std::string& nome) {
        fs::path p = cartella_.percorso() / nome;
        fs::create_directory(p);
        return p;
    }

    // Starts a program on the virtual screen; `ambiente` can add variables or
    // remove DISPLAY (nullopt).
    std::unique_ptr<ProcessoFiglio> avvia(std::vector<std::string> argomenti,
                                          std::map<std::string, std::optional<std::string>> ambiente = {}) {
        ambiente.try_emplace("DISPLAY", schermo_->display());
        ambiente["LSAN_OPTIONS"] = "suppressions=" DATI_TEST "/lsan-fontconfig.supp:print_suppressions=0";
        errori_ = (cartella_.percorso() / ("errori-" + std::to_string(avviati_++))).string();
        return std::make_unique<ProcessoFiglio>(
            AvvioProcesso{.argomenti = std::move(argomenti), .ambiente = ambiente, .file_errori = errori_});
    }

    std::string errori() const { return leggi_tutto(errori_); }

    bool finestra_attesa(IdFinestra f) {
        Rettangolo g = schermo_->geometria(f);
        return g.larghezza == LARGHEZZA_FINESTRA && g.altezza == ALTEZZA_FINESTRA;
    }

    // The first mapped window that satisfies `scelta`, while the program runs.
    std::optional<IdFinestra> attendi_finestra(ProcessoFiglio& programma,
                                               const std::function<bool(IdFinestra)>& scelta) {
        auto fine = std::chrono::steady_clock::now() + 20s;
        while (programma.in_corso() && std::chrono::steady_clock::now() < fine) {
            for (IdFinestra f : schermo_->finestre_visibili()) {
                if (scelta(f)) return f;
            }
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

    // A picture of the window once something dark (text) is drawn in it.
    Immagine attendi_disegno(IdFinestra finestra) {
        Immagine immagine;
        auto fine = std::chrono::steady_clock::now() + 5s;
        do {
            immagine = schermo_->cattura(finestra);
            if (immagine.riquadro_scuro().larghezza > 0) break;
            std::this_thread::sleep_for(20ms);
        } while (std::chrono::steady_clock::now() < fine);
        return immagine;
    }

    CartellaTemporanea cartella_;
    std::unique_ptr<SchermoVirtuale> schermo_;
    std::string errori_;
    int avviati_ = 0;
};

TEST_F(Finestra, NormalRunShowsAttendereInTheLabelAndEndsByItself) {
    fs::path lavoro = cartella_lavoro("run");
    auto programma = avvia({PROGRAMMA, "--dir", lavoro.string()}, {{PAUSA, "3000"}});

    auto finestra = attendi_finestra(*programma, [&](IdFinestra f) { return finestra_attesa(f); });
    ASSERT_TRUE(finestra) << "no 280 x 179 window appeared; standard error: " << errori();
    Rettangolo testo = attendi_disegno(*finestra).riquadro_scuro();

    // All the text lies inside the label, and at the largest size that fits
    // it fills most of the label's width.
    EXPECT_TRUE(ETICHETTA.contiene(testo.x, testo.y)) << testo.x << "," << testo.y;
    EXPECT_TRUE(ETICHETTA.contiene(testo.x + testo.larghezza - 1, testo.y + testo.altezza - 1))
        << testo.larghezza << " x " << testo.altezza;
    EXPECT_GE(testo.larghezza, 140);
    EXPECT_GE(testo.altezza, 15);

    EXPECT_EQ(programma->attendi(60s), 0);
    EXPECT_EQ(errori(), "");
}

// Installed, the program finds its window program beside it.
TEST_F(Finestra, InstalledProgramShowsItsWindow) {
    fs::path prefisso = cartella_lavoro("prefix");
    const auto installa = esegui(CMAKE_PROGRAMMA, {"--install", DIRECTORY_BUILD, "--prefix", prefisso.string()});
    ASSERT_EQ(installa.stato, 0) << installa.uscita << installa.errori;
    fs::path lavoro = cartella_lavoro("run");
    auto programma = avvia({(prefisso / "bin/compattatore").string(), "--dir", lavoro.string()}, {{PAUSA, "1000"}});

    EXPECT_TRUE(attendi_finestra(*programma, [&](IdFinestra f) { return finestra_attesa(f); }))
        << "no 280 x 179 window appeared; standard error: " << errori();
    EXPECT_EQ(programma->attendi(60s), 0);
    EXPECT_EQ(errori(), "");
}

struct ErroreMostrato {
    const char* nome;
    std::vector<std::string> argomenti;  // "@NAME": NAME inside the work directory
    const char* testo;                   // on standard error, as in the box
    int stato;
};

void PrintTo(const ErroreMostrato& caso, std::ostream* os) { *os << caso.nome; }

class FinestraErrore : public Finestra, public ::testing::WithParamInterface<ErroreMostrato> {};

// The box holds the program until OK is pressed (here with Return), then the
// program ends with the error's status.
TEST_P(FinestraErrore, BoxWaitsForOkThenTheProgramEnds) {
    std::string xdotool = trova_programma("xdotool");
    if (xdotool.empty()) GTEST_SKIP() << "xdotool is not installed (Debian package xdotool)";
    const ErroreMostrato& caso = GetParam();
    fs::path lavoro = cartella_lavoro("run");
    std::vector<std::string> argomenti = caso.argomenti;
    for (auto& a : argomenti) {
        if (a.starts_with("@")) a = (lavoro / a.substr(1)).string();
    }
    auto programma = avvia(argomenti);

    auto box = attendi_finestra(*programma, [&](IdFinestra f) { return !finestra_attesa(f); });
    ASSERT_TRUE(box) << "no message box appeared; standard error: " << errori();
    EXPECT_GT(attendi_disegno(*box).riquadro_scuro().larghezza, 0);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(programma->in_corso()) << "the program did not wait for OK";
    EXPECT_NE(errori().find(caso.testo), std::string::npos) << errori();

    ProcessoFiglio tasto(
        AvvioProcesso{.argomenti = {xdotool, "key", "Return"}, .ambiente = {{"DISPLAY", schermo_->display()}}});
    EXPECT_EQ(tasto.attendi(20s), 0);
    EXPECT_EQ(programma->attendi(20s), caso.stato);
    for (const auto& [nome, dati] : istantanea(lavoro)) {
        EXPECT_FALSE(nome.ends_with(".dat") || nome.ends_with(".sim")) << nome << " was written";
    }
}

INSTANTIATE_TEST_SUITE_P(Errori, FinestraErrore,
                         ::testing::Values(
                             // The reserved-field check of the finishing pass, as the run reports it.
                             ErroreMostrato{"ReservedField1250", {ERRORE_IN_FINESTRA, "@"}, " Errore n. 1250\n", 1},
                             // The real program in a directory that does not exist: the
                             // platform's report of a failure, number and description.
                             ErroreMostrato{
                                 "FileSystem", {PROGRAMMA, "--dir", "@missing/dir"}, "Errore: cannot create ", 3}),
                         [](const auto& info) { return info.param.nome; });

// The window program ends with the program that started it, even while its
// box waits for OK.
TEST_F(Finestra, BoxGoesWhenTheProgramIsKilled) {
    auto programma = avvia({ERRORE_IN_FINESTRA, cartella_lavoro("run").string()});
    ASSERT_TRUE(attendi_finestra(*programma, [&](IdFinestra f) { return !finestra_attesa(f); }))
        << "no message box appeared; standard error: " << errori();
    programma->segnala(SIGKILL);
    EXPECT_EQ(programma->attendi(20s), 128 + SIGKILL);

    auto fine = std::chrono::steady_clock::now() + 20s;
    while (!schermo_->finestre_visibili().empty() && std::chrono::steady_clock::now() < fine)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(schermo_->finestre_visibili().empty()) << "the window program outlived the program";
}

// The author's compiler is a command-line tool: even with a display and an
// error to report, no window appears and the diagnostic goes to standard error.
TEST_F(Finestra, CompileNeverOpensAWindow) {
    fs::path lavoro = cartella_lavoro("compile");
    const std::string segnale = "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";
    scrivi_tutto(lavoro / "L_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    scrivi_tutto(lavoro / "L_T-.txt", "[generale]\r\n" + segnale + segnale + "[fine]\r\n");
    auto programma = avvia({PROGRAMMA, "compile", (lavoro / "L_linea.txt").string(), (lavoro / "L_T-.txt").string(),
                            "-o", lavoro.string()});

    EXPECT_FALSE(attendi_finestra(*programma, [](IdFinestra) { return true; })) << "a window appeared";
    EXPECT_EQ(programma->attendi(60s), 1);
    EXPECT_NE(errori().find("L_T-.txt:3:10: error: "), std::string::npos) << errori();
}

struct SenzaFinestra {
    const char* nome;
    std::optional<std::string> display;  // "" keeps the virtual screen
    std::vector<std::string> opzioni;
};

void PrintTo(const SenzaFinestra& caso, std::ostream* os) { *os << caso.nome; }

class FinestraAssente : public Finestra, public ::testing::WithParamInterface<SenzaFinestra> {};

// The console stand-in: no window ever appears, "Attendere" goes to standard
// error, and the files are byte for byte those of a run with the window.
TEST_P(FinestraAssente, ConsoleStandInWritesTheSameFiles) {
    const SenzaFinestra& caso = GetParam();
    fs::path con_finestra = cartella_lavoro("window");
    auto riferimento = avvia({PROGRAMMA, "--dir", con_finestra.string()});
    ASSERT_EQ(riferimento->attendi(60s), 0) << errori();

    fs::path senza = cartella_lavoro("console");
    std::vector<std::string> argomenti{PROGRAMMA, "--dir", senza.string()};
    argomenti.insert(argomenti.end(), caso.opzioni.begin(), caso.opzioni.end());
    std::map<std::string, std::optional<std::string>> ambiente{{PAUSA, "2000"}};
    if (!caso.display || !caso.display->empty()) ambiente["DISPLAY"] = caso.display;
    auto programma = avvia(argomenti, ambiente);

    EXPECT_FALSE(attendi_finestra(*programma, [](IdFinestra) { return true; })) << "a window appeared";
    EXPECT_EQ(programma->attendi(60s), 0);
    EXPECT_EQ(errori(), "Attendere\n");
    auto attesi = istantanea(con_finestra);
    EXPECT_FALSE(attesi.empty());
    EXPECT_EQ(istantanea(senza), attesi);
}

INSTANTIATE_TEST_SUITE_P(Console, FinestraAssente,
                         ::testing::Values(SenzaFinestra{"NoDisplay", std::nullopt, {}},
                                           SenzaFinestra{"DisplayCannotBeOpened", ":4095", {}},
                                           SenzaFinestra{"NoWindowOption", "", {"--no-window"}}),
                         [](const auto& info) { return info.param.nome; });

}  // namespace
}  // namespace compattatore::prova

#else

TEST(Finestra, NeedsFltk) { GTEST_SKIP() << "built without FLTK: the program has no window to test"; }

#endif
