// Each file-system call of a compile, of a compile of several trains
// (written from several threads) and of the normal run failed alone in
// turn, and SIGTERM sent before each: every file is then the old or the new
// one, each set of binary files (the three of one train, or the plan and
// each train's two) whole, no temporary is left, and the exit status says
// what happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "documents/documenti.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using Istantanea = std::map<std::string, std::string>;

struct Giro {
    const char* nome;
    std::vector<std::string> argomenti;          // {} stands for the run's directory
    Istantanea prima;                            // the files the directory holds before
    std::vector<std::set<std::string>> insiemi;  // the binary files, each set replaced as one
    Istantanea intermedi;                        // what a failing run may leave beside the new files
};

const std::string LINEA = "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n[fine]\r\n";
const std::string TRENO =
    "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n"
    "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n";

// The normal run writes its description files, then reads and deletes
// them: a failure between the two leaves them, whole.
Istantanea descrizioni_normali() {
    prova::CartellaTemporanea dir;
    dati_linea(dir.str(), "Corvale_Mendra");
    dati_treno(dir.str(), "Corvale_Mendra", "4821-3");
    return prova::istantanea(dir.percorso());
}

std::vector<Giro> giri() {
    const std::set<std::string> binari_normali = {"Corvale_Mendra_linea.dat", "Corvale_Mendra_4821-3.sim",
                                                  "Corvale_Mendra_4821-3.dat"};
    Istantanea normale;
    for (const std::string nome : {"Corvale_Mendra_linea.dat", "Corvale_Mendra_4821-3.sim", "Corvale_Mendra_4821-3.dat",
                                   "Corvale_Mendra_4821-3_note.txt", "Corvale_Mendra_4821-3_rallentamenti.txt",
                                   "Corvale_Mendra_4821-3_scheda_treno.txt"})
        normale[nome] = "old " + nome;
    return {
        {"compile",
         {"compile", "{}/L_linea.txt", "{}/L_T-.txt", "-o", "{}"},
         {{"L_linea.txt", LINEA},
          {"L_T-.txt", TRENO},
          {"L_linea.dat", "old plan"},
          {"L_T.sim", "old objects"},
          {"L_T.dat", "old cells"}},
         {{"L_linea.dat", "L_T.sim", "L_T.dat"}},
         {}},
        {"compile of three trains",
         {"compile", "{}/L_linea.txt", "{}/L_A-.txt", "{}/L_B-.txt", "{}/L_C-.txt", "-o", "{}"},
         {{"L_linea.txt", LINEA},
          {"L_A-.txt", TRENO},
          {"L_B-.txt", TRENO},
          {"L_C-.txt", TRENO},
          {"L_linea.dat", "old plan"},
          {"L_A.sim", "old objects"},
          {"L_A.dat", "old cells"},
          {"L_C.sim", "old objects"}},
         {{"L_linea.dat"}, {"L_A.sim", "L_A.dat"}, {"L_B.sim", "L_B.dat"}, {"L_C.sim", "L_C.dat"}},
         {}},
        {"normal run", {"--dir", "{}", "--no-window", "--force"}, normale, {binari_normali}, descrizioni_normali()},
    };
}

// Puts the directory as the run finds it, and runs the program there.
prova::EsitoProcesso esegui_in(const prova::CartellaTemporanea& dir, const Giro& giro,
                               const std::vector<std::string>& ambiente) {
    for (const auto& voce : fs::directory_iterator(dir.percorso())) fs::remove_all(voce.path());
    for (const auto& [nome, byte] : giro.prima) dir.scrivi(nome, byte);
    std::vector<std::string> argomenti;
    for (std::string a : giro.argomenti) {
        if (const size_t posto = a.find("{}"); posto != std::string::npos) a.replace(posto, 2, dir.str());
        argomenti.push_back(a);
    }
    return prova::esegui_programma(argomenti, ambiente);
}

// Every file the old or the new one (or absent where it was absent), each
// set of binary files all old or all new; gives whether all are new.
bool ognuno_vecchio_o_nuovo(const Istantanea& dopo, const Giro& giro, Istantanea nuovo, bool fallito) {
    if (fallito) nuovo.insert(giro.intermedi.begin(), giro.intermedi.end());
    std::set<std::string> nomi;
    for (const Istantanea* istantanea : std::initializer_list<const Istantanea*>{&dopo, &giro.prima, &nuovo})
        for (const auto& voce : *istantanea) nomi.insert(voce.first);
    auto in = [](const Istantanea& i, const std::string& nome) {
        auto it = i.find(nome);
        return it == i.end() ? std::optional<std::string>() : it->second;
    };
    bool tutti_nuovi = true;
    std::set<std::string> nuovi;
    for (const std::string& nome : nomi) {
        const auto ora = in(dopo, nome);
        const bool e_nuovo = ora == in(nuovo, nome);
        EXPECT_TRUE(e_nuovo || ora == in(giro.prima, nome)) << nome << " is neither the old nor the new file";
        tutti_nuovi = tutti_nuovi && e_nuovo;
        if (e_nuovo) nuovi.insert(nome);
    }
    for (const std::set<std::string>& insieme : giro.insiemi) {
        const auto quanti =
            std::ranges::count_if(insieme, [&](const std::string& nome) { return nuovi.contains(nome); });
        EXPECT_TRUE(quanti == 0 || quanti == std::ssize(insieme))
            << quanti << " of the binary files beside " << *insieme.begin() << " are new";
    }
    return tutti_nuovi;
}

// A line of standard error besides the test seam's own.
bool messaggio_proprio(const std::string& errori) {
    std::istringstream righe(errori);
    std::string riga;
    while (std::getline(righe, riga))
        if (!riga.empty() && !riga.starts_with("compattatore: test ")) return true;
    return false;
}

TEST(ChiamateGuaste, EachFileSystemCallFailedAloneLeavesOldOrNewFilesAndSaysSo) {
    for (const Giro& giro : giri()) {
        SCOPED_TRACE(giro.nome);
        prova::CartellaTemporanea dir;
        const auto riuscita = esegui_in(dir, giro, {});
        ASSERT_EQ(riuscita.stato, 0) << riuscita.errori;
        const Istantanea nuovo = prova::istantanea(dir.percorso());
        size_t chiamata = 1;
        for (;; ++chiamata) {
            SCOPED_TRACE("call " + std::to_string(chiamata));
            const auto r = esegui_in(dir, giro, {"COMPATTATORE_PROVA_GUASTO=" + std::to_string(chiamata)});
            if (r.errori.find("test failure of file-system call") == std::string::npos) break;  // past the last
            const bool tutti_nuovi =
                ognuno_vecchio_o_nuovo(prova::istantanea(dir.percorso()), giro, nuovo, r.stato != 0);
            if (r.stato == 0) {
                EXPECT_TRUE(tutti_nuovi) << "a run that says it succeeded left an old file";
            } else {
                EXPECT_EQ(r.stato, 3) << r.errori;
                EXPECT_TRUE(messaggio_proprio(r.errori)) << "no message of the failure: " << r.errori;
            }
        }
        EXPECT_GT(chiamata, 20u) << "the calls of the run are counted";
    }
}

TEST(ChiamateGuaste, SigtermBeforeEachFileSystemCallLeavesOldOrNewFilesAndNoTemporary) {
    for (const Giro& giro : giri()) {
        SCOPED_TRACE(giro.nome);
        prova::CartellaTemporanea dir;
        ASSERT_EQ(esegui_in(dir, giro, {}).stato, 0);
        const Istantanea nuovo = prova::istantanea(dir.percorso());
        size_t chiamata = 1;
        for (;; ++chiamata) {
            SCOPED_TRACE("call " + std::to_string(chiamata));
            const auto r = esegui_in(dir, giro, {"COMPATTATORE_PROVA_SEGNALE=" + std::to_string(chiamata)});
            if (r.errori.find("test SIGTERM") == std::string::npos) break;
            EXPECT_EQ(r.stato, prova::STATO_DOPO_SIGTERM) << r.errori;
            ognuno_vecchio_o_nuovo(prova::istantanea(dir.percorso()), giro, nuovo, true);
        }
        EXPECT_GT(chiamata, 20u);
    }
}

}  // namespace
}  // namespace compattatore
