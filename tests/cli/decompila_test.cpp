// The decompile command as a user runs it: files written, exit statuses,
// and decompile - edit - compile.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::esegui_programma;

const std::string LINEA = "Corvale_Mendra_linea.txt";
const std::string TRENO = "Corvale_Mendra_4821-3-.txt";
const std::string BINARI[] = {"Corvale_Mendra_linea.dat", "Corvale_Mendra_4821-3.sim", "Corvale_Mendra_4821-3.dat"};

// The normal run's files decompiled, then compiled again: the same three files.
TEST(Decompila, TheNormalRunBackToTheSameBytes) {
    const prova::CorsaNormale& corsa = prova::corsa_normale_eseguita();
    ASSERT_EQ(corsa.esito.stato, 0) << corsa.esito.errori;
    prova::CartellaTemporanea sorgenti, compilati;
    auto esito = esegui_programma({"decompile", corsa.directory, "-o", sorgenti.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_EQ(esito.errori, "");
    EXPECT_NE(esito.uscita.find("wrote " + sorgenti.file(LINEA)), std::string::npos) << esito.uscita;
    esito = esegui_programma({"compile", sorgenti.file(LINEA), sorgenti.file(TRENO), "-o", compilati.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    for (const std::string& nome : BINARI)
        EXPECT_TRUE(compilati.leggi(nome) == prova::leggi_tutto(fs::path(corsa.directory) / nome)) << nome;
    // Windows-1252 text with CR LF after every line.
    const std::string testo = sorgenti.leggi(TRENO);
    EXPECT_TRUE(testo.ends_with("[fine]\r\n"));
    EXPECT_EQ(testo.find('\n'), testo.find("\r\n") + 1);
}

// Without a plan: a warning, no curves, and compile --no-plan gives the same
// object and cell files.
TEST(Decompila, WithoutThePlanAWarningAndNoCurves) {
    prova::CartellaTemporanea compilati;
    auto esito = esegui_programma({"decompile", prova::DIRECTORY_CORSA_NORMALE, "-o", compilati.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_NE(esito.errori.find("warning: no plan file Corvale_Mendra_linea.dat: the line description has no curves"),
              std::string::npos)
        << esito.errori;
    EXPECT_EQ(compilati.leggi(LINEA).find("curva"), std::string::npos);
    esito =
        esegui_programma({"compile", compilati.file(LINEA), compilati.file(TRENO), "-o", compilati.str(), "--no-plan"});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    for (const std::string& nome : {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE})
        EXPECT_TRUE(compilati.leggi(nome) == prova::dato_normale(nome)) << nome;
}

// The lines of `inspect` that one output has and the other has not.
std::vector<std::string> righe_diverse(const std::string& a, const std::string& b) {
    auto righe = [](const std::string& t) {
        std::vector<std::string> r;
        std::istringstream s(t);
        for (std::string riga; std::getline(s, riga);) r.push_back(riga);
        return r;
    };
    const std::vector<std::string> ra = righe(a), rb = righe(b);
    std::vector<std::string> diverse;
    for (const std::string& r : ra)
        if (std::find(rb.begin(), rb.end(), r) == rb.end()) diverse.push_back("- " + r);
    for (const std::string& r : rb)
        if (std::find(ra.begin(), ra.end(), r) == ra.end()) diverse.push_back("+ " + r);
    return diverse;
}

// An author moves one signal in the decompiled train file and compiles:
// inspect shows that signal moved, with its code marks, and nothing else.
TEST(Decompila, DecompileEditCompileMovesOneSignal) {
    prova::CartellaTemporanea dir, nuovi;
    ASSERT_EQ(esegui_programma({"decompile", prova::DIRECTORY_CORSA_NORMALE, "-o", dir.str()}).stato, 0);
    std::string treno = dir.leggi(TRENO);
    const std::string prima = "segnale, 66550,";
    const size_t dove = treno.find(prima);
    ASSERT_NE(dove, std::string::npos) << treno;
    treno.replace(dove, prima.size(), "segnale, 66800,");
    dir.scrivi(TRENO, treno);
    auto esito = esegui_programma({"compile", dir.file(LINEA), dir.file(TRENO), "-o", nuovi.str(), "--no-plan"});
    ASSERT_EQ(esito.stato, 0) << esito.errori;

    const auto vecchio = esegui_programma({"inspect", prova::DIRECTORY_CORSA_NORMALE});
    const auto nuovo = esegui_programma({"inspect", nuovi.str()});
    ASSERT_EQ(nuovo.stato, 0) << nuovo.errori;
    const std::vector<std::string> diverse = righe_diverse(vecchio.uscita, nuovo.uscita);
    std::string tutte;
    for (const std::string& r : diverse) tutte += r + "\n";
    // The signal's cell 1332 became 1337; its code marks 4 cells before each.
    ASSERT_FALSE(diverse.empty());
    for (const std::string& r : diverse) {
        bool del_segnale = false;
        for (int cella : {1324, 1326, 1328, 1330, 1332, 1329, 1331, 1333, 1335, 1337}) {
            std::string numero = " ";
            numero += std::to_string(cella);
            numero += ' ';
            del_segnale = del_segnale || r.find(numero) != std::string::npos;
        }
        EXPECT_TRUE(del_segnale) << r << "\nall differing lines:\n" << tutte;
    }
}

TEST(Decompila, ExistingFilesAreReplacedOnlyWithForce) {
    prova::CartellaTemporanea dir;
    dir.scrivi(TRENO, "mine\r\n");
    auto esito = esegui_programma({"decompile", prova::DIRECTORY_CORSA_NORMALE, "-o", dir.str()});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_NE(esito.errori.find(TRENO + " exists: give --force to replace it"), std::string::npos) << esito.errori;
    EXPECT_EQ(dir.leggi(TRENO), "mine\r\n");
    EXPECT_FALSE(dir.esiste(LINEA));
    esito = esegui_programma({"decompile", prova::DIRECTORY_CORSA_NORMALE, "-o", dir.str(), "--force"});
    EXPECT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_NE(dir.leggi(TRENO), "mine\r\n");
}

// A hand-edited cell: the nearest description is written, the place named,
// exit status 1. A damaged file is refused as inspect refuses it.
TEST(Decompila, NotExpressibleAndDamagedFiles) {
    prova::CartellaTemporanea dir;
    std::string celle = prova::dato_normale(prova::FILE_CELLE_NORMALE);
    celle[15 * 1000 + 10] = static_cast<char>(55);
    dir.scrivi(prova::FILE_CELLE_NORMALE, celle);
    dir.scrivi(prova::FILE_OGGETTI_NORMALE, prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    auto esito = esegui_programma({"decompile", dir.str()});
    EXPECT_EQ(esito.stato, 1);
    EXPECT_NE(
        esito.errori.find("Corvale_Mendra_4821-3.dat: error: cell 1000 (metre 50000): `codice` is 55, the written "
                          "description gives 0; written back, the cell loses `codice` 55\n"),
        std::string::npos)
        << esito.errori;
    EXPECT_TRUE(dir.esiste(LINEA) && dir.esiste(TRENO));

    dir.scrivi(prova::FILE_CELLE_NORMALE, celle + "xyz");
    esito = esegui_programma({"decompile", dir.str(), "--force"});
    const auto ispeziona = esegui_programma({"inspect", dir.str()});
    EXPECT_EQ(esito.stato, 1);
    EXPECT_EQ(ispeziona.stato, 1);
    EXPECT_EQ(esito.errori.substr(esito.errori.find(':')), ispeziona.errori.substr(ispeziona.errori.find(':')));

    esito = esegui_programma({"decompile", dir.str(), "--bogus"});
    EXPECT_EQ(esito.stato, 2);
}

// A line of three trains, the third with a signal less: the line
// description once and each train's, which compile back to every one of the
// seven files; a cell edited in one train is named in that train's file.
TEST(Decompila, ALineOfSeveralTrains) {
    prova::CartellaTemporanea dir, sorgenti, compilati;
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"init", "--trains", "3"}, {}, dir.str()).stato, 0);
    const std::string terzo = "Corvale_Mendra_4821-3_3-.txt";
    std::string testo = dir.leggi(terzo);
    const std::string segnale = "segnale,   66550,";
    ASSERT_NE(testo.find(segnale), std::string::npos) << testo;
    testo.erase(testo.find(segnale), testo.find('\n', testo.find(segnale)) + 1 - testo.find(segnale));
    dir.scrivi(terzo, testo);
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str()).stato, 0);
    for (const char* nome : {"Corvale_Mendra_linea.txt", "Corvale_Mendra_4821-3-.txt", "Corvale_Mendra_4821-3_2-.txt",
                             "Corvale_Mendra_4821-3_3-.txt"})
        fs::remove(dir.file(nome));

    auto esito = esegui_programma({"decompile", dir.str(), "-o", sorgenti.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_EQ(esito.errori, "");
    std::vector<std::string> scritti;
    std::istringstream righe(esito.uscita);
    for (std::string riga; std::getline(righe, riga);) scritti.push_back(riga.substr(0, riga.find(" (")));
    EXPECT_EQ(scritti, (std::vector<std::string>{"wrote " + sorgenti.file(LINEA), "wrote " + sorgenti.file(TRENO),
                                                 "wrote " + sorgenti.file("Corvale_Mendra_4821-3_2-.txt"),
                                                 "wrote " + sorgenti.file(terzo)}));
    EXPECT_EQ(sorgenti.leggi(terzo).find(segnale), std::string::npos);
    esito = esegui_programma({"compile", "--all", sorgenti.str(), "-o", compilati.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    for (const char* nome : {"Corvale_Mendra_linea.dat", "Corvale_Mendra_4821-3.sim", "Corvale_Mendra_4821-3.dat",
                             "Corvale_Mendra_4821-3_2.sim", "Corvale_Mendra_4821-3_2.dat",
                             "Corvale_Mendra_4821-3_3.sim", "Corvale_Mendra_4821-3_3.dat"})
        EXPECT_TRUE(compilati.leggi(nome) == dir.leggi(nome)) << nome;

    // One train's file in the way: nothing is written without --force.
    prova::CartellaTemporanea vuota;
    vuota.scrivi("Corvale_Mendra_4821-3_2-.txt", "mine\r\n");
    esito = esegui_programma({"decompile", dir.str(), "-o", vuota.str()});
    EXPECT_EQ(esito.stato, 3);
    EXPECT_FALSE(vuota.esiste(LINEA) || vuota.esiste(TRENO) || vuota.esiste(terzo));

    // --train-key alone: that train of the line, and its line.
    prova::CartellaTemporanea solo;
    esito = esegui_programma({"decompile", dir.str(), "--train-key", "4821-3_3", "-o", solo.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_EQ(solo.leggi(terzo), sorgenti.leggi(terzo));
    EXPECT_EQ(solo.leggi(LINEA), sorgenti.leggi(LINEA));
    EXPECT_FALSE(solo.esiste(TRENO));

    std::string celle = dir.leggi("Corvale_Mendra_4821-3_2.dat");
    celle[15 * 1000 + 10] = static_cast<char>(55);
    dir.scrivi("Corvale_Mendra_4821-3_2.dat", celle);
    esito = esegui_programma({"decompile", dir.str(), "-o", sorgenti.str(), "--force"});
    EXPECT_EQ(esito.stato, 1);
    EXPECT_EQ(esito.errori,
              "Corvale_Mendra_4821-3_2.dat: error: cell 1000 (metre 50000): `codice` is 55, the written description "
              "gives 0; written back, the cell loses `codice` 55\n");
}

// Two trains of a line, the second compiled after its line file was edited:
// one line description cannot give both, so nothing is written and the
// first place where the second train's line differs is named.
TEST(Decompila, TrainsCompiledFromDifferentLinesAreRefused) {
    prova::CartellaTemporanea dir, sorgenti;
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"init", "--trains", "2"}, {}, dir.str()).stato, 0);
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str()).stato, 0);
    std::string linea = dir.leggi(LINEA);
    const std::string pendenza = "pendenza,  2000,   0";
    ASSERT_NE(linea.find(pendenza), std::string::npos) << linea;
    linea.replace(linea.find(pendenza), pendenza.size(), "pendenza,  2000,   1");
    dir.scrivi(LINEA, linea);
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"compile", LINEA, "Corvale_Mendra_4821-3_2-.txt"}, {}, dir.str()).stato, 0);

    const auto esito = esegui_programma({"decompile", dir.str(), "-o", sorgenti.str()});
    EXPECT_EQ(esito.stato, 1);
    EXPECT_EQ(esito.uscita, "");
    EXPECT_EQ(esito.errori,
              "Corvale_Mendra_4821-3_2.dat: error: cell 40 (metre 2000): `pendenza` is 101, Corvale_Mendra_4821-3.dat "
              "gives 100: the two trains were compiled from different line files\n"
              "compattatore decompile: the trains' files hold different lines, which one line description cannot "
              "give: nothing written\n");
    EXPECT_TRUE(fs::is_empty(sorgenti.str()));
}

}  // namespace
}  // namespace compattatore
