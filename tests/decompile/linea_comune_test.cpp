// Trains decompiled together share one line description: each edit of the
// line, compiled into one train's files only, is named at its first place;
// each edit of a train's own records is not.
#include <gtest/gtest.h>

#include <filesystem>

#include "decompile/linea_comune.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/giro_completo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

struct Treno {
    ScenarioCompilato scenario;
    ChiaviScenario chiavi;
};

Treno compilato(const std::string& linea, const std::string& treno, const std::string& chiave) {
    const ChiaviScenario chiavi{"Corvale_Mendra", chiave};
    const prova::FileBinari file = prova::compila_testi(linea, treno, false, chiavi);
    EXPECT_EQ(file.codice, 0) << chiave << "\n" << file.motivi;
    return {prova::decodifica(file, chiavi), chiavi};
}

// `testo` with its first `da` replaced by `a`.
std::string modificato(std::string testo, const std::string& da, const std::string& a) {
    const size_t dove = testo.find(da);
    EXPECT_NE(dove, std::string::npos) << da;
    if (dove != std::string::npos) testo.replace(dove, da.size(), a);
    return testo;
}

TEST(LineaComune, TheFirstPlaceWhereATrainsLineDiffersIsNamed) {
    const fs::path d = fs::path(prova::DIRECTORY_CORSA_NORMALE);
    const std::string linea = prova::leggi_tutto(d / "Corvale_Mendra_linea.txt");
    const std::string treno = prova::leggi_tutto(d / "Corvale_Mendra_4821-3-.txt");
    const Treno primo = compilato(linea, treno, "A");
    // A second train of the same line with its own records changed: never
    // named itself, it must not hide the third's difference either.
    const Treno secondo =
        compilato(linea, modificato(treno, "velocita,   37200,   175", "velocita,   37200,   150"), "B");

    struct Caso {
        const char* cosa;
        bool nella_linea;  // the edit is of the line file, else of the train file
        std::string da, a;
        std::string atteso;  // "FILE: PLACE: reason", empty: the same line
    };
    const std::string fine = ": the two trains were compiled from different line files";
    const Caso casi[] = {
        {"length", true, "lunghezza percorso,    97000", "lunghezza percorso,    98000",
         "Corvale_Mendra_C.sim: record 84: `lunghezza percorso` is 98000, Corvale_Mendra_A.sim gives 97000"},
        // The progressives as ordered: the one set comes first.
        {"progressive", true, "progressiva chilometrica due,    0,    0,    0",
         "progressiva chilometrica due,    5000,    3000,    1",
         "Corvale_Mendra_C.sim: record 81: `inizio` is 5000, Corvale_Mendra_A.sim gives 0"},
        {"background", true, "sfondo due,    1", "sfondo due,    2",
         "Corvale_Mendra_C.sim: record 85: `posizione` is 2, Corvale_Mendra_A.sim gives 1"},
        {"signal repetition", true, "ripetizione segnali 4 codici,    1050,    95500",
         "ripetizione segnali 9 codici,    1050,    95500",
         "Corvale_Mendra_C.sim: record 86: `posizione` is 9, Corvale_Mendra_A.sim gives 4"},
        {"gradient", true, "pendenza,  2000,   0", "pendenza,  2000,   1",
         "Corvale_Mendra_C.dat: cell 40 (metre 2000): `pendenza` is 101, Corvale_Mendra_A.dat gives 100"},
        {"mountain", true, "montagna,   21250,  22250,  12", "montagna,   21250,  22250,  11",
         "Corvale_Mendra_C.dat: cell 425 (metre 21250): `montagna` is 1, Corvale_Mendra_A.dat gives 2"},
        // The board's speeds packed as the left one / 5 in the hundreds.
        {"speed board", true, "indicatori_vmax,  3300,  140,  150,", "indicatori_vmax,  3300,  140,  155,",
         "Corvale_Mendra_C.dat: cell 67 (metre 3350): `dato2` is 3100, Corvale_Mendra_A.dat gives 3000"},
        {"speed board taken out", true, "indicatori_vmax,  1000,  105,  115,  120,  0,  ,  ,  ,  0\r\n", "",
         "Corvale_Mendra_C.dat: cell 21 (metre 1050): `tipo` is 0 (no object), Corvale_Mendra_A.dat gives 6 "
         "(speed board)"},
        {"sign", true, "(VIADOTTO)(SETTA   )", "(VIADOTTO)(SETTA)",
         "Corvale_Mendra_C.dat: cell 1406 (metre 70300): `text` is '(VIADOTTO)(SETTA)', Corvale_Mendra_A.dat gives "
         "'(VIADOTTO)(SETTA   )'"},
        {"adhesion", false, "aderenza,   0,    100", "aderenza,   0,    90", ""},
        {"a station's time", false, "19,10, 0, FIRENZE", "19,25, 0, FIRENZE", ""},
        {"a signal taken out", false, "segnale,    2250,   2, 4, 1,  1, 0,    0,  0,0,0, 0\r\n", "", ""},
        // PRATO moved 350 m on: its stop mark takes the speed board's cell 337.
        {"a stop mark on a speed board", false, "stazione,   16250,", "stazione,   16600,", ""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.cosa);
        const Treno terzo = c.nella_linea ? compilato(modificato(linea, c.da, c.a), treno, "C")
                                          : compilato(linea, modificato(treno, c.da, c.a), "C");
        const std::optional<Scostamento> diversa = prima_linea_diversa(
            {{primo.scenario, primo.chiavi}, {secondo.scenario, secondo.chiavi}, {terzo.scenario, terzo.chiavi}});
        EXPECT_EQ(diversa ? diversa->file + ": " + diversa->dove + ": " + diversa->motivo : "",
                  c.atteso.empty() ? "" : c.atteso + fine);
    }
}

}  // namespace
}  // namespace compattatore
