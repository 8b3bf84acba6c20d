// compile --watch as an author uses it beside an editor: each way of saving
// gives exactly one new result, a file missing for a moment is reported once,
// and Ctrl-C ends it with status 0.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using namespace std::chrono_literals;
using prova::CartellaTemporanea;

const std::string LINEA = "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n";
const std::string TRENO_PULITO =
    "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\nsegnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n";
// A station off the 50 m grid: error 8.
const std::string TRENO_ERRATO =
    "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n"
    "stazione, 2025, 12, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, ALFA\r\n[fine]\r\n";
const std::string SEPARATORE = " ----------------\n";  // the end of the separator line

size_t conta(const std::string& testo, const std::string& parte) {
    size_t n = 0;
    for (size_t i = testo.find(parte); i != std::string::npos; i = testo.find(parte, i + 1)) ++n;
    return n;
}

class Sorveglia : public ::testing::Test {
protected:
    CartellaTemporanea dir;
    const std::string file_linea = dir.file("Valle_linea.txt");
    const std::string file_treno = dir.file("Valle_R1-.txt");
    CartellaTemporanea raccolta;  // the program's output, outside the watched directory

    std::string uscita() const { return raccolta.leggi("stdout"); }
    std::string errori() const { return raccolta.leggi("stderr"); }

    // Waits (generously: the machine may be busy) until the outputs satisfy
    // `condizione`; fails the test with both outputs otherwise.
    void attendi(const char* cosa, const std::function<bool(const std::string&, const std::string&)>& condizione) {
        const auto limite = std::chrono::steady_clock::now() + 60s;
        while (!condizione(uscita(), errori())) {
            if (std::chrono::steady_clock::now() > limite) {
                FAIL() << "waited in vain for " << cosa << "\nstdout:\n" << uscita() << "\nstderr:\n" << errori();
            }
            std::this_thread::sleep_for(20ms);
        }
    }
    // `risultati` separators and `puliti` clean compiles, `errati` error-8 reports.
    void attendi_conti(const char* cosa, size_t risultati, size_t puliti, size_t errati) {
        attendi(cosa, [&](const std::string& u, const std::string& e) {
            return conta(u, SEPARATORE) >= risultati && conta(u, "compiled ") >= puliti && conta(e, "[E8]") >= errati;
        });
    }
};

TEST_F(Sorveglia, EachSaveGivesOneResultAMissingFileIsReportedOnceAndCtrlCEndsWithZero) {
    dir.scrivi("Valle_linea.txt", LINEA);
    dir.scrivi("Valle_R1-.txt", TRENO_ERRATO);
    prova::ProcessoFiglio processo({.argomenti = {PROGRAMMA, "compile", file_linea, file_treno, "--watch", "--check"},
                                    .file_uscita = raccolta.file("stdout"),
                                    .file_errori = raccolta.file("stderr")});
    attendi_conti("the first result, an error", 0, 0, 1);
    EXPECT_EQ(conta(uscita(), SEPARATORE), 0u) << "no separator before the first result";

    // A rewrite in place fixes it.
    prova::scrivi_tutto(file_treno, TRENO_PULITO);
    attendi_conti("the result of a rewrite in place", 1, 1, 1);

    // A save by rename over the old name breaks it again.
    prova::scrivi_tutto(dir.file("Valle_R1-.txt.salvataggio"), TRENO_ERRATO);
    ASSERT_EQ(std::rename(dir.file("Valle_R1-.txt.salvataggio").c_str(), file_treno.c_str()), 0);
    attendi_conti("the result of a rename over the file", 2, 1, 2);

    // A delete and create fixes it.
    std::filesystem::remove(file_treno);
    prova::scrivi_tutto(file_treno, TRENO_PULITO);
    attendi_conti("the result of a delete and create", 3, 2, 2);

    // Missing for a while: reported once, also when the other file changes meanwhile.
    std::filesystem::remove(file_treno);
    attendi("the report of the missing file", [](const std::string& u, const std::string& e) {
        return conta(u, SEPARATORE) >= 4 && conta(e, "is missing") >= 1;
    });
    prova::scrivi_tutto(file_linea, LINEA);
    prova::scrivi_tutto(file_treno, TRENO_PULITO);
    attendi_conti("the result once the file is back", 5, 3, 2);

    // Let any stray compile show before the counts are taken as final.
    std::this_thread::sleep_for(2s);
    const std::string u = uscita(), e = errori();
    EXPECT_EQ(conta(u, SEPARATORE), 5u) << u;
    EXPECT_EQ(conta(u, "compiled "), 3u) << u;
    EXPECT_EQ(conta(e, "[E8]"), 2u) << e;
    EXPECT_EQ(conta(e, file_treno + " is missing; waiting for it"), 1u) << e;
    EXPECT_TRUE(processo.in_corso());

    processo.segnala(SIGINT);
    EXPECT_EQ(processo.attendi(30s), std::optional<int>(0));
}

TEST_F(Sorveglia, SigtermEndsItWithZero) {
    dir.scrivi("Valle_linea.txt", LINEA);
    dir.scrivi("Valle_R1-.txt", TRENO_PULITO);
    prova::ProcessoFiglio processo(
        {.argomenti = {PROGRAMMA, "compile", file_linea, file_treno, "--watch", "-o", dir.str()},
         .file_uscita = raccolta.file("stdout"),
         .file_errori = raccolta.file("stderr")});
    attendi_conti("the first result", 0, 1, 0);
    // Its own binary files, written beside the sources, start no compile.
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(conta(uscita(), SEPARATORE), 0u) << uscita();
    processo.segnala(SIGTERM);
    EXPECT_EQ(processo.attendi(30s), std::optional<int>(0));
    EXPECT_TRUE(dir.esiste("Valle_R1.sim"));
}

}  // namespace
}  // namespace compattatore
