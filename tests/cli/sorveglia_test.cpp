// compile --watch as an author uses it beside an editor: each way of saving
// gives exactly one new result, a file missing for a moment is reported once,
// and Ctrl-C ends it with status 0.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
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

// The paths are watched, not what they led to at the start: each way of
// taking the watched folder or a source away and bringing it back as
// something else gives the new result, and a folder watched anew is said.
TEST_F(Sorveglia, AFolderMadeAgainOrReplacedByALinkAndALinkedSourceAreFollowed) {
    namespace fs = std::filesystem;
    using Passo = std::function<void(const fs::path& base)>;
    const struct {
        const char* nome;
        Passo prepara;  // leaves the erroneous train file at base/valle/Valle_R1-.txt
        Passo cambia;   // makes it the clean one
        bool anew;      // a folder watched anew is reported
    } casi[] = {
        {"the folder deleted and made again",
         [](const fs::path& b) { prova::scrivi_tutto(b / "valle" / "Valle_R1-.txt", TRENO_ERRATO); },
         [](const fs::path& b) {
             fs::remove_all(b / "valle");
             std::this_thread::sleep_for(1s);  // the loss is seen before the folder is back
             fs::create_directory(b / "valle");
             prova::scrivi_tutto(b / "valle" / "Valle_linea.txt", LINEA);
             prova::scrivi_tutto(b / "valle" / "Valle_R1-.txt", TRENO_PULITO);
         },
         true},
        {"the folder replaced by a link",
         [](const fs::path& b) { prova::scrivi_tutto(b / "valle" / "Valle_R1-.txt", TRENO_ERRATO); },
         [](const fs::path& b) {
             fs::create_directory(b / "altra");
             prova::scrivi_tutto(b / "altra" / "Valle_linea.txt", LINEA);
             prova::scrivi_tutto(b / "altra" / "Valle_R1-.txt", TRENO_PULITO);
             fs::remove_all(b / "valle");
             fs::create_directory_symlink(b / "altra", b / "valle");
         },
         true},
        {"the file a linked source leads to rewritten",
         [](const fs::path& b) {
             fs::create_directory(b / "bersaglio");
             prova::scrivi_tutto(b / "bersaglio" / "treno.txt", TRENO_ERRATO);
             fs::create_symlink(b / "bersaglio" / "treno.txt", b / "valle" / "Valle_R1-.txt");
         },
         [](const fs::path& b) { prova::scrivi_tutto(b / "bersaglio" / "treno.txt", TRENO_PULITO); }, false},
        {"a linked source led elsewhere",
         [](const fs::path& b) {
             fs::create_directory(b / "bersaglio");
             prova::scrivi_tutto(b / "bersaglio" / "treno.txt", TRENO_ERRATO);
             fs::create_symlink(b / "bersaglio" / "treno.txt", b / "valle" / "Valle_R1-.txt");
         },
         [](const fs::path& b) {
             fs::create_directory(b / "altro");
             prova::scrivi_tutto(b / "altro" / "treno.txt", TRENO_PULITO);
             fs::create_symlink(b / "altro" / "treno.txt", b / "valle" / "nuovo");
             fs::rename(b / "valle" / "nuovo", b / "valle" / "Valle_R1-.txt");
         },
         true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        CartellaTemporanea base;
        CartellaTemporanea uscite;
        const fs::path valle = base.percorso() / "valle";
        fs::create_directory(valle);
        prova::scrivi_tutto(valle / "Valle_linea.txt", LINEA);
        c.prepara(base.percorso());
        prova::ProcessoFiglio processo({.argomenti = {PROGRAMMA, "compile", (valle / "Valle_linea.txt").string(),
                                                      (valle / "Valle_R1-.txt").string(), "--watch", "--check"},
                                        .file_uscita = uscite.file("stdout"),
                                        .file_errori = uscite.file("stderr")});
        const auto conti = [&](size_t puliti, size_t errati) {
            const auto limite = std::chrono::steady_clock::now() + 60s;
            while (conta(uscite.leggi("stdout"), "compiled ") < puliti ||
                   conta(uscite.leggi("stderr"), "[E8]") < errati) {
                if (std::chrono::steady_clock::now() > limite) return false;
                std::this_thread::sleep_for(20ms);
            }
            return true;
        };
        ASSERT_TRUE(conti(0, 1)) << uscite.leggi("stderr");
        std::this_thread::sleep_for(300ms);  // the first compile's quiet is over
        c.cambia(base.percorso());
        EXPECT_TRUE(conti(1, 1)) << "stdout:\n" << uscite.leggi("stdout") << "stderr:\n" << uscite.leggi("stderr");
        EXPECT_EQ(conta(uscite.leggi("stderr"), " anew "), c.anew ? 1u : 0u) << uscite.leggi("stderr");
        processo.segnala(SIGINT);
        EXPECT_EQ(processo.attendi(30s), std::optional<int>(0));
    }
}

}  // namespace
}  // namespace compattatore
