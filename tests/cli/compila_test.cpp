// The compile command as an author runs it: the binary files it writes, the
// sources it leaves alone, its diagnostics and its exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/json_prova.h"
#include "support/processo.h"
#include "support/sha256.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::CartellaTemporanea;
using prova::esegui_programma;
using prova::istantanea;

using prova::LINEA_NORMALE;
using prova::TRENO_NORMALE;

std::string solo_lf(std::string testo) {
    std::erase(testo, '\r');
    return testo;
}

// A small scenario that compiles cleanly: a 10 km line, one signal, one station.
std::string linea(const std::string& corpo) {
    return "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n" + corpo + "[fine]\r\n";
}
std::string treno(const std::string& corpo) {
    return "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n" + corpo + "[fine]\r\n";
}
const std::string SEGNALE = "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";
std::string stazione(const std::string& posizione, const std::string& tipo_e_lunghezza, const std::string& nome) {
    return "stazione, " + posizione + ", " + tipo_e_lunghezza + ", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, " + nome +
           "\r\n";
}

// Writes L_linea.txt and L_T-.txt into `dir` and compiles them there.
prova::EsitoProcesso compila_in(const CartellaTemporanea& dir, const std::string& testo_linea,
                                const std::string& testo_treno, const std::vector<std::string>& opzioni = {}) {
    dir.scrivi("L_linea.txt", testo_linea);
    dir.scrivi("L_T-.txt", testo_treno);
    std::vector<std::string> argomenti{"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str()};
    argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
    return esegui_programma(argomenti);
}

TEST(Compila, TheNormalRunsFilesGiveItsBinaryFilesAndStayUntouched) {
    for (bool lf : {false, true}) {
        SCOPED_TRACE(lf ? "LF line ends" : "CR LF line ends");
        CartellaTemporanea dir;
        const std::string testo_linea =
            lf ? solo_lf(prova::dato_normale(LINEA_NORMALE)) : prova::dato_normale(LINEA_NORMALE);
        const std::string testo_treno =
            lf ? solo_lf(prova::dato_normale(TRENO_NORMALE)) : prova::dato_normale(TRENO_NORMALE);
        dir.scrivi(LINEA_NORMALE, testo_linea);
        dir.scrivi(TRENO_NORMALE, testo_treno);

        // Run from the directory itself: the files go to the current directory.
        const auto esito = prova::esegui(PROGRAMMA, {"compile", LINEA_NORMALE, TRENO_NORMALE}, {}, dir.str());
        ASSERT_EQ(esito.stato, 0) << esito.errori;
        EXPECT_EQ(esito.errori, "");
        EXPECT_EQ(esito.uscita,
                  "wrote Corvale_Mendra_linea.dat (2079964 bytes)\n"
                  "wrote Corvale_Mendra_4821-3.sim (3252 bytes)\n"
                  "wrote Corvale_Mendra_4821-3.dat (31215 bytes)\n"
                  "compiled 2081 cells, 16 stations, 45 signals, 1 slowdowns, 3 text signs\n");
        EXPECT_EQ(prova::sha256_hex(dir.leggi("Corvale_Mendra_linea.dat")), prova::SHA256_TRACCIATO_NORMALE);
        EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
        EXPECT_EQ(dir.leggi(prova::FILE_CELLE_NORMALE), prova::dato_normale(prova::FILE_CELLE_NORMALE));
        EXPECT_EQ(dir.leggi(LINEA_NORMALE), testo_linea);
        EXPECT_EQ(dir.leggi(TRENO_NORMALE), testo_treno);
    }
}

TEST(Compila, NoPlanWritesTheObjectAndCellFilesAlone) {
    CartellaTemporanea dir;
    dir.scrivi(LINEA_NORMALE, prova::dato_normale(LINEA_NORMALE));
    dir.scrivi(TRENO_NORMALE, prova::dato_normale(TRENO_NORMALE));
    const auto esito =
        esegui_programma({"compile", dir.file(LINEA_NORMALE), dir.file(TRENO_NORMALE), "-o", dir.str(), "--no-plan"});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_FALSE(dir.esiste("Corvale_Mendra_linea.dat"));
    EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), prova::dato_normale(prova::FILE_OGGETTI_NORMALE));
    EXPECT_EQ(dir.leggi(prova::FILE_CELLE_NORMALE), prova::dato_normale(prova::FILE_CELLE_NORMALE));
}

// Keys from the file names or the options; what is missing or wrong on the
// command line is a usage error (2), a file that cannot be read or written 3.
TEST(Compila, KeysUsageErrorsAndFileFailures) {
    const std::string LUNGA(250, 'k');
    struct Caso {
        const char* nome;
        std::vector<std::string> argomenti;  // after "compile"; IN/ and OUT/ stand for two directories
        int stato;
        std::string errori;                // a part of standard error
        std::vector<std::string> scritti;  // the files then in OUT/
    };
    const Caso casi[] = {
        {"keys from both names",
         {"IN/L_linea.txt", "IN/L_T-.txt", "-o", "OUT"},
         0,
         "",
         {"L_T.dat", "L_T.sim", "L_linea.dat"}},
        {"keys given",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", "K", "--train-key", "9"},
         0,
         "",
         {"K_9.dat", "K_9.sim", "K_linea.dat"}},
        {"train key from the name with the given line key",
         {"IN/a.txt", "IN/K_77-.txt", "-o", "OUT", "--line-key", "K"},
         0,
         "",
         {"K_77.dat", "K_77.sim", "K_linea.dat"}},
        {"line key not in the name",
         {"IN/a.txt", "IN/L_T-.txt", "-o", "OUT"},
         2,
         "the line key cannot be told from 'IN/a.txt' (not named LINE_linea.txt): give --line-key",
         {}},
        {"train key not in the name",
         {"IN/L_linea.txt", "IN/b.txt", "-o", "OUT"},
         2,
         "the train key cannot be told from 'IN/b.txt' (not named L_TRAIN-.txt): give --train-key",
         {}},
        {"train name of another line", {"IN/L_linea.txt", "IN/K_77-.txt", "-o", "OUT"}, 2, "give --train-key", {}},
        {"one file", {"IN/L_linea.txt", "-o", "OUT"}, 2, "needs LINE_FILE and TRAIN_FILE", {}},
        // Several train files are allowed now; each must still be one of the line.
        {"third file not a train of the line",
         {"IN/L_linea.txt", "IN/L_T-.txt", "IN/b.txt"},
         2,
         "(not named L_TRAIN-.txt): name it so",
         {}},
        {"unknown option", {"IN/L_linea.txt", "IN/L_T-.txt", "--plan"}, 2, "unknown option '--plan'", {}},
        {"option without its value", {"IN/L_linea.txt", "IN/L_T-.txt", "-o"}, 2, "-o needs a value", {}},
        {"key that would leave the directory",
         {"IN/a.txt", "IN/b.txt", "--line-key", "../K", "--train-key", "9"},
         2,
         "--line-key '../K' cannot be part of a file name",
         {}},
        // A key too long for a file name: refused before any writing, and alike by --check.
        {"line key too long",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", LUNGA, "--train-key", "9"},
         2,
         "--line-key '" + LUNGA + "' makes the file name '" + LUNGA + "_linea.dat' 260 bytes long",
         {}},
        {"line key too long, checked",
         {"IN/a.txt", "IN/b.txt", "--line-key", LUNGA, "--train-key", "9", "--check"},
         2,
         "--line-key '" + LUNGA + "' makes the file name",
         {}},
        {"train key too long",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", "K", "--train-key", LUNGA},
         2,
         "--train-key '" + LUNGA + "' makes the file name 'K_" + LUNGA + ".sim' 256 bytes long",
         {}},
        {"train key too long, checked",
         {"IN/a.txt", "IN/b.txt", "--line-key", "K", "--train-key", LUNGA, "--check"},
         2,
         "--train-key '" + LUNGA + "' makes the file name",
         {}},
        // The cell file of the train "linea" would be the plan file, in
        // either case (as on the simulator's file system), plan or none.
        {"train key that makes the cell file the plan file",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", "K", "--train-key", "linea"},
         2,
         "--train-key 'linea' makes the cell file 'K_linea.dat' and the plan file 'K_linea.dat' one file",
         {}},
        {"the same in capitals, without the plan",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", "K", "--train-key", "LINEA", "--no-plan"},
         2,
         "--train-key 'LINEA' makes the cell file 'K_LINEA.dat' and the plan file 'K_linea.dat' one file",
         {}},
        {"long line key without the plan",
         {"IN/a.txt", "IN/b.txt", "-o", "OUT", "--line-key", LUNGA.substr(0, 240), "--train-key", "9", "--no-plan"},
         0,
         "",
         {LUNGA.substr(0, 240) + "_9.dat", LUNGA.substr(0, 240) + "_9.sim"}},
        {"missing line file",
         {"IN/M_linea.txt", "IN/L_T-.txt", "-o", "OUT", "--train-key", "T"},
         3,
         "cannot open IN/M_linea.txt: No such file or directory",
         {}},
        {"missing train file", {"IN/L_linea.txt", "IN/L_X-.txt", "-o", "OUT"}, 3, "cannot open IN/L_X-.txt", {}},
        {"output directory missing", {"IN/L_linea.txt", "IN/L_T-.txt", "-o", "OUT/no/such"}, 3, "OUT/no/such/", {}},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea in, out;
        const std::string testo_linea = linea(""), testo_treno = treno(SEGNALE);
        for (const char* nome : {"L_linea.txt", "a.txt"}) in.scrivi(nome, testo_linea);
        for (const char* nome : {"L_T-.txt", "b.txt", "K_77-.txt"}) in.scrivi(nome, testo_treno);
        const auto prima = istantanea(in.percorso());
        auto sostituisci = [&](std::string s) {
            for (auto [segno, dir] : {std::pair{"IN/", &in}, std::pair{"OUT", &out}})
                for (size_t k; (k = s.find(segno)) != std::string::npos;)
                    s.replace(k, std::string(segno).size(), dir->str() + (segno[2] == '/' ? "/" : ""));
            return s;
        };
        std::vector<std::string> argomenti{"compile"};
        for (const std::string& a : caso.argomenti) argomenti.push_back(sostituisci(a));
        const auto esito = esegui_programma(argomenti);
        EXPECT_EQ(esito.stato, caso.stato) << esito.errori;
        EXPECT_NE(esito.errori.find(sostituisci(caso.errori)), std::string::npos) << esito.errori;
        std::vector<std::string> scritti;
        for (const auto& [nome, byte] : istantanea(out.percorso())) scritti.push_back(nome);
        EXPECT_EQ(scritti, caso.scritti);
        EXPECT_EQ(istantanea(in.percorso()), prima);
    }
}

TEST(Compila, CheckWritesNothingAndForceWritesDespiteAnError) {
    const std::string conflitto = treno(SEGNALE + SEGNALE);  // code 16
    struct Caso {
        const char* nome;
        std::string treno;
        std::vector<std::string> opzioni;
        int stato;
        bool scritti;
        std::string uscita;
    };
    const Caso casi[] = {
        {"check, clean",
         treno(SEGNALE),
         {"--check"},
         0,
         false,
         "compiled 341 cells, 0 stations, 1 signals, 0 slowdowns, 0 text signs\nnothing written (--check)\n"},
        {"check, error", conflitto, {"--check"}, 1, false, ""},
        {"error", conflitto, {}, 1, false, ""},
        {"force, error", conflitto, {"--force"}, 1, true, "compiled 341 cells"},
        {"force and check", conflitto, {"--force", "--check"}, 1, false, ""},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        dir.scrivi("L_linea.txt", linea(""));
        dir.scrivi("L_T-.txt", caso.treno);
        const auto prima = istantanea(dir.percorso());
        std::vector<std::string> argomenti{"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str()};
        argomenti.insert(argomenti.end(), caso.opzioni.begin(), caso.opzioni.end());
        const auto esito = esegui_programma(argomenti);
        EXPECT_EQ(esito.stato, caso.stato) << esito.errori;
        EXPECT_EQ(esito.errori.find("[E16]") != std::string::npos, caso.stato == 1) << esito.errori;
        EXPECT_NE(esito.uscita.find(caso.uscita), std::string::npos) << esito.uscita;
        auto dopo = istantanea(dir.percorso());
        for (const char* nome : {"L_linea.dat", "L_T.sim", "L_T.dat"}) EXPECT_EQ(dopo.erase(nome) == 1, caso.scritti);
        EXPECT_EQ(dopo, prima);
    }
}

// The same scenario saved in three ways compiles to the same object file.
TEST(Compila, Utf8NamesBecomeWindows1252AndSingleByteFilesStayAsTheyAre) {
    const std::string atteso = std::string("\x05\x00", 2) + "FORL\xCC";  // length prefix, then Windows-1252
    const std::string marca = "\xEF\xBB\xBF";                            // UTF-8 byte-order mark
    struct Caso {
        const char* nome;
        std::string linea, treno;
    };
    const Caso casi[] = {
        {"Windows-1252", linea(""), treno(stazione("1000", "8, 400", "FORL\xCC"))},
        {"UTF-8", linea(""), treno(stazione("1000", "8, 400", "FORL\xC3\x8C"))},
        {"UTF-8 with byte-order marks", marca + linea(""), marca + treno(stazione("1000", "8, 400", "FORL\xC3\x8C"))},
    };
    std::string primo;
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        const auto esito = compila_in(dir, caso.linea, caso.treno);
        ASSERT_EQ(esito.stato, 0) << esito.errori;
        EXPECT_EQ(esito.errori, "");
        const std::string oggetti = dir.leggi("L_T.sim");
        EXPECT_NE(oggetti.find(atteso), std::string::npos);
        if (primo.empty()) primo = oggetti;
        EXPECT_EQ(oggetti, primo);
    }
}

// The finishing pass never lays a code cell on cell 1, which holds the
// identity stamps: where it would, the scenario compiles with a warning.
TEST(Compila, CellOneKeepsTheIdentityStampWhereACodeCellWouldGo) {
    struct Caso {
        const char* nome;
        std::string linea, treno;
        std::string avviso;  // the start of standard error
    };
    const std::string tabella = "indicatori_vmax, 50, 100, 100, 100, 0, , , , 0\r\n";  // a board at cell 2
    const Caso casi[] = {
        {"signal at cell 3 before a warning point, cell 2 taken", linea(tabella),
         treno("segnale, 100, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 1550, 60, 1000, 1, 0, 60\r\n"),
         "F/L_T-.txt:4:10: warning: no free cell for the code cell before a signal ahead of a slowdown warning, at "
         "100 m (cell 3, 150-200 m)"},
        {"slowdown start at cell 8, cells 2 and 3 taken", linea(tabella),
         treno("segnale, 100, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 350, 60, 1000, 1, 0, 60\r\n"),
         "F/L_T-.txt:5:16: warning: no free cell for a code cell before a slowdown start, at 350 m (cell 8, "
         "400-450 m)"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        const auto esito = compila_in(dir, caso.linea, caso.treno);
        EXPECT_EQ(esito.stato, 0) << esito.errori;
        std::string atteso = caso.avviso;
        // The program joins the folder and the name with the system's separator.
        atteso.replace(0, 2, dir.file(""));
        EXPECT_TRUE(esito.errori.starts_with(atteso)) << esito.errori;
        // Cell 1 is bytes 15 to 29: free, dato1 the stamp 5121.
        const std::string celle = dir.leggi("L_T.dat");
        ASSERT_GE(celle.size(), 30u);
        EXPECT_EQ(celle[15], '\0');
        EXPECT_EQ(celle.substr(16, 2), std::string("\x01\x14", 2));
    }
}

TEST(Compila, ACharacterWindows1252CannotHoldIsAnErrorAtItsLineAndColumn) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_T-.txt", treno(stazione("1000", "8, 400", "CITT\xC3\x80 \xE2\x86\x92 NORD")));
    const auto prima = istantanea(dir.percorso());
    const auto esito = esegui_programma({"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str()});
    EXPECT_EQ(esito.stato, 1);
    EXPECT_EQ(esito.errori, dir.file("L_T-.txt") +
                                ":4:70: error: a description file could not be read: the character U+2192 has no "
                                "Windows-1252 byte [E25]\n"
                                "  stazione, 1000, 8, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, CITT\xC3\x80 ? NORD\n"
                                "  " +
                                std::string(69, ' ') +
                                "^\n"
                                "1 error, 0 warnings\n");
    EXPECT_EQ(esito.uscita, "");
    EXPECT_EQ(istantanea(dir.percorso()), prima);
}

// Bad scenarios: each names the file, line and column of its diagnostic and
// its code; the sources stay as they were and nothing is written.
TEST(Compila, BadScenariosPointAtTheRecordAndWriteNothing) {
    struct Caso {
        const char* nome;
        std::string linea, treno;
        char file;  // 'L' line description, 'T' train description
        int riga, colonna;
        int codice;
    };
    const std::string lunghezza_errata = "[generale]\r\nlunghezza percorso, 10x00\r\n[fine]\r\n";
    const Caso casi[] = {
        {"malformed length", lunghezza_errata, treno(""), 'L', 2, 21, 25},
        {"line too long", "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", treno(""), 'L', 2, 21, 1},
        {"no [generale]", "lunghezza percorso, 10000\r\n[fine]\r\n", treno(""), 'L', 1, 1, 102},
        {"repetition start",
         "[generale]\r\nlunghezza percorso, 10000\r\nripetizione segnali 4 codici, 1025, 5000\r\n[fine]\r\n", treno(""),
         'L', 3, 31, 3},
        {"repetition codes",
         "[generale]\r\nlunghezza percorso, 10000\r\nripetizione segnali codici, 1000, 5000\r\n[fine]\r\n", treno(""),
         'L', 3, 1, 5},
        {"gradient beyond the line", linea("pendenza, 20000, 2\r\n"), treno(""), 'L', 4, 11, 15},
        {"curve without a class", linea("curvax, 100, 200\r\n"), treno(""), 'L', 4, 1, 103},
        {"two signs on one cell", linea("cartello indicatore, 3000, \"(A)\"\r\ncartello indicatore, 3000, \"(B)\"\r\n"),
         treno(""), 'L', 5, 22, 6},
        {"two boards on one cell",
         linea("indicatori_vmax, 3000, 100, 100, 100, 0, , , , 0\r\nindicatori_vmax, 3000, 100, 100, 100, 0, , , , "
               "0\r\n"),
         treno(""), 'L', 5, 18, 21},
        {"progressive off 50 m",
         "[generale]\r\nlunghezza percorso, 10000\r\nprogressiva chilometrica uno, 1010, 2000, 0\r\n[fine]\r\n",
         treno(""), 'L', 0, 0, 2},
        {"malformed speed", linea(""), "[generale]\r\nvelocita, 0, abc\r\n[fine]\r\n", 'T', 2, 14, 25},
        {"record cut by the end of the file", linea(""), treno("") + "segnale, 2000, 2\r\n", 'T', 6, 1, 25},
        {"two signals on one cell", linea(""), treno(SEGNALE + SEGNALE), 'T', 5, 10, 16},
        {"abbattimento on a signal", linea(""), treno(SEGNALE + "abbattimento, 2050, 90\r\n"), 'T', 5, 15, 7},
        {"slowdown start on a signal", linea(""),
         treno("segnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 5000, 60, 1000, 1, 0, 60\r\n"), 'T', 5,
         16, 18},
        {"slowdown end on a signal", linea(""),
         treno("segnale, 4000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nrallentamento, 3000, 60, 1000, 1, 0, 60\r\n"), 'T', 5,
         16, 19},
        {"station off 50 m", linea(""), treno(stazione("1010", "8, 400", "A")), 'T', 4, 11, 8},
        {"platform off 100 m", linea(""), treno(stazione("1000", "8, 450", "A")), 'T', 4, 20, 9},
        {"stop too near the start", linea(""), treno(stazione("0", "10, 100", "A")), 'T', 4, 11, 24},
        {"stations too close", linea(""), treno(stazione("1000", "8, 400", "A") + stazione("2100", "8, 400", "B")), 'T',
         5, 11, 22},
        {"train file without [generale]", linea(""), "hello\r\n", 'T', 1, 1, 25},
        {"line file given as the train file", linea(""), linea(""), 'T', 0, 0, 25},
        {"slowdown ending in its start cell", linea(""), treno("rallentamento, 5000, 60, 20, 1, 0, 60\r\n"), 'T', 4, 26,
         19},
        {"slowdown of negative length", linea(""), treno("rallentamento, 5000, 60, -500, 1, 0, 60\r\n"), 'T', 4, 26,
         19},
        {"reserved field set by a signal at cell 1", linea(""), treno("segnale, 0, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"),
         'T', 4, 10, 1250},
        // Its own fields there are zero, but the stamps would overwrite them.
        {"a signal in cell 1 whose fields are zero", linea(""), treno("segnale, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n"),
         'T', 4, 10, 1250},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        dir.scrivi("L_linea.txt", caso.linea);
        dir.scrivi("L_T-.txt", caso.treno);
        const auto prima = istantanea(dir.percorso());
        const auto esito =
            esegui_programma({"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str()});
        EXPECT_EQ(esito.stato, 1);
        std::string luogo = dir.file(caso.file == 'L' ? "L_linea.txt" : "L_T-.txt");
        if (caso.riga > 0)
            luogo.append(":").append(std::to_string(caso.riga)).append(":").append(std::to_string(caso.colonna));
        const std::string prima_riga = esito.errori.substr(0, esito.errori.find('\n'));
        EXPECT_TRUE(prima_riga.starts_with(luogo + ": error: ")) << esito.errori;
        EXPECT_TRUE(prima_riga.ends_with(" [E" + std::to_string(caso.codice) + "]")) << esito.errori;
        EXPECT_EQ(esito.uscita, "");
        EXPECT_EQ(istantanea(dir.percorso()), prima);
    }
}

// The whole text a person reads, for a few kinds of diagnostic.
TEST(Compila, WholeDiagnostics) {
    struct Caso {
        const char* nome;
        std::string linea, treno;
        int stato;
        std::string errori;  // F/ stands for the directory of the files
    };
    std::string avvisi_treno = prova::dato_normale(TRENO_NORMALE);
    // Cells 418 to 420, the nearest window before the slowdown start at cell 425, taken.
    const std::string record = "rallentamento,   21200,    60, 1100, 1,  0,  60\r\n";
    avvisi_treno.replace(avvisi_treno.find(record), record.size(),
                         record + "abbattimento, 20900, 90\r\nabbattimento, 20950, 90\r\nabbattimento, 21000, 90\r\n");
    const Caso casi[] = {
        {"signal conflict", linea(""), treno(SEGNALE + SEGNALE), 1,
         "F/L_T-.txt:5:10: error: a signal falls on a cell that is not free, at 2000 m: segnale: cell 41 of position "
         "2000 m already holds an object [E16]\n"
         "  segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
         "           ^\n"
         "F/L_T-.txt:4:10: note: cell 41 (2050 m) already holds the signal placed here\n"
         "  segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
         "           ^\n"
         "1 error, 0 warnings\n"},
        {"malformed number", "[generale]\r\nlunghezza percorso, 10x00\r\n[fine]\r\n", treno(""), 1,
         "F/L_linea.txt:2:21: error: a description file could not be read: lunghezza percorso: field 'lunghezza' is "
         "not a number: '10x00' [E25]\n"
         "  lunghezza percorso, 10x00\n"
         "                      ^\n"
         "F/L_linea.txt: note: the rest of the scenario was not checked: without a usable line length there are no "
         "cells\n"
         "1 error, 0 warnings\n"},
        {"progressive, no line to name",
         "[generale]\r\nlunghezza percorso, 10000\r\nprogressiva chilometrica uno, 1010, 2000, 0\r\n[fine]\r\n",
         treno(""), 1,
         "F/L_linea.txt: error: a kilometric progressive starts or ends off a multiple of 50 m: progressiva: record 81 "
         "has start 1010 and end 2000, not both multiples of 50 [E2]\n"
         "1 error, 0 warnings\n"},
        {"train file without [generale]", linea(""), "hello\r\n", 1,
         "F/L_T-.txt:1:1: error: a description file could not be read: the train description file has no "
         "'[generale]' field, which comes first [E25]\n"
         "  hello\n"
         "  ^\n"
         "1 error, 0 warnings\n"},
        {"slowdown ending in its start cell", linea(""), treno("rallentamento, 5000, 60, 20, 1, 0, 60\r\n"), 1,
         "F/L_T-.txt:4:26: error: a slowdown's end falls on a cell that is not free, or not after its start, at 5000 "
         "m: rallentamento: the end cell 101 (length 20 m) is not after the start cell 101 [E19]\n"
         "  rallentamento, 5000, 60, 20, 1, 0, 60\n"
         "                           ^\n"
         "1 error, 0 warnings\n"},
        {"finishing warning at its slowdown", prova::dato_normale(LINEA_NORMALE), avvisi_treno, 0,
         "F/L_T-.txt:41:18: warning: no free cell for a code cell before a slowdown start, at 21200 m (cell 425, "
         "21250-21300 m) [E12]\n"
         "  rallentamento,   21200,    60, 1100, 1,  0,  60\n"
         "                   ^\n"
         "0 errors, 1 warning\n"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        CartellaTemporanea dir;
        const auto esito = compila_in(dir, caso.linea, caso.treno, {"--check"});
        EXPECT_EQ(esito.stato, caso.stato);
        std::string atteso = caso.errori;
        for (size_t i = 0; (i = atteso.find("F/L_", i)) != std::string::npos; i += dir.file("").size())
            atteso.replace(i, 2, dir.file(""));
        EXPECT_EQ(esito.errori, atteso);
    }
}

// Two errors, one in each file, and a reader's warning between them.
const std::string LINEA_DUE_ERRORI = linea("pendnza, 100, 2\r\npendenza, 20000, 2\r\n");
const std::string TRENO_DUE_ERRORI = treno(SEGNALE + SEGNALE);

TEST(Compila, MaxErrorsOneIsTheFirstErrorAndTheCount) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_T-.txt", TRENO_DUE_ERRORI);
    const std::vector<std::string> argomenti{"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "--check"};
    std::vector<std::string> limitati = argomenti;
    limitati.insert(limitati.end(), {"--max-errors", "1"});
    const auto uno = esegui_programma(limitati);
    EXPECT_EQ(uno.stato, 1);
    const std::string errore = dir.file("L_T-.txt") +
                               ":5:10: error: a signal falls on a cell that is not free, at 2000 m: segnale: cell 41 "
                               "of position 2000 m already holds an object [E16]\n"
                               "  segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
                               "           ^\n" +
                               dir.file("L_T-.txt") +
                               ":4:10: note: cell 41 (2050 m) already holds the signal placed here\n"
                               "  segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\n"
                               "           ^\n";
    EXPECT_EQ(uno.errori, errore + "1 error, 0 warnings\n");

    // A third signal: the limit cuts the list, and the count says so.
    dir.scrivi("L_T-.txt", treno(SEGNALE + SEGNALE + SEGNALE));
    const auto troppi = esegui_programma(limitati);
    EXPECT_EQ(troppi.stato, 1);
    EXPECT_EQ(troppi.errori,
              errore + "1 error, 0 warnings; too many errors, the rest was not checked (--max-errors 1)\n");
    const auto tutti = esegui_programma(argomenti);
    EXPECT_TRUE(tutti.errori.ends_with("\n2 errors, 0 warnings\n")) << tutti.errori;
}

// Input refused whole, with its place: a quote left open to the end of the
// file, which would otherwise turn every later record into one text; a file
// above the size limit (sparse, or endless), refused after reading one byte
// past the limit.
TEST(Compila, AStrayQuoteAndAnOversizedFileAreErrors) {
    const struct {
        const char* nome;
        std::function<void(const CartellaTemporanea&)> prepara;
        std::string treno;  // the train file's path, in the directory unless absolute
        std::string atteso;
    } casi[] = {
        {"a quote never closed",
         [](const CartellaTemporanea& d) {
             d.scrivi("L_linea.txt", linea("cartello_indicatore, 100, \"oops\r\n" + SEGNALE));
         },
         "L_T-.txt",
         "L_linea.txt:4:27: error: a description file could not be read: the quoted text opened here has no closing "
         "quote before the end of the file [E25]\n"},
        {"a line file of 64 MiB and a byte",
         [](const CartellaTemporanea& d) {
             d.scrivi("L_linea.txt", linea(""));
             fs::resize_file(d.file("L_linea.txt"), (uint64_t{64} << 20) + 1);
         },
         "L_T-.txt",
         "L_linea.txt: error: a description file could not be read: the file holds more than 67108864 bytes (64 "
         "MiB), the most a description file may hold [E25]\n"},
        {"an endless train file", [](const CartellaTemporanea& d) { d.scrivi("L_linea.txt", linea("")); }, "/dev/zero",
         "/dev/zero: error: a description file could not be read: the file holds more than 67108864 bytes (64 MiB), "
         "the most a description file may hold [E25]\n"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        CartellaTemporanea dir;
        dir.scrivi("L_T-.txt", treno(""));
        c.prepara(dir);
        const std::string file_treno = c.treno.starts_with('/') ? c.treno : dir.file(c.treno);
        const auto esito = esegui_programma(
            {"compile", dir.file("L_linea.txt"), file_treno, "--line-key", "L", "--train-key", "T", "-o", dir.str()});
        EXPECT_EQ(esito.stato, 1);
        const std::string atteso = c.atteso.starts_with('/') ? c.atteso : dir.file(c.atteso);
        EXPECT_TRUE(esito.errori.starts_with(atteso)) << esito.errori;
        EXPECT_FALSE(fs::exists(dir.file("L_T.dat")));
    }
}

// Each kind of the reader's warnings once, silenced one at a time; none
// changes the files written or the exit status.
TEST(Compila, WarningsOfWhatTheReaderDropsOrBends) {
    const struct {
        const char* tipo;
        std::string linea, treno;
        std::string luogo;  // FILE:LINE:COLUMN, F/ standing for the directory
    } casi[] = {
        {"unknown-record", linea("pendnza, 100, 2\r\n"), treno(""), "L_linea.txt:4:1"},
        {"unknown-section", linea(""), "[generale]\r\n[segnalli]\r\n" + SEGNALE + "[fine]\r\n", "L_T-.txt:2:1"},
        {"reversed-span", linea("montagna, 3000, 2000, 1\r\n"), treno(""), "L_linea.txt:4:17"},
        {"beyond-line", linea(""), treno("segnale, 12000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"), "L_T-.txt:4:10"},
        {"value-truncated", linea(""), treno("abbattimento, 3000, 40000\r\n"), "L_T-.txt:4:21"},
        {"multiline-text", linea("cartello_indicatore, 100, \"due\r\nrighe\"\r\n"), treno(""), "L_linea.txt:4:27"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.tipo);
        CartellaTemporanea dir;
        dir.scrivi("L_linea.txt", c.linea);
        dir.scrivi("L_T-.txt", c.treno);
        // A value the files cannot hold is an error unless kept a warning.
        std::vector<std::string> argomenti{"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str()};
        if (std::string_view(c.tipo) == "value-truncated") argomenti.emplace_back("-Wno-error=value-truncated");
        const auto avvisato = esegui_programma(argomenti);
        EXPECT_EQ(avvisato.stato, 0);
        const std::string prima_riga = avvisato.errori.substr(0, avvisato.errori.find('\n'));
        EXPECT_TRUE(prima_riga.starts_with(dir.file(c.luogo) + ": warning: ")) << avvisato.errori;
        EXPECT_TRUE(prima_riga.ends_with(std::string(" [-W") + c.tipo + "]")) << avvisato.errori;
        EXPECT_TRUE(avvisato.errori.ends_with("\n0 errors, 1 warning\n")) << avvisato.errori;
        const std::string celle = dir.leggi("L_T.dat");

        const auto zitto = esegui_programma(
            {"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "-o", dir.str(), std::string("-Wno-") + c.tipo});
        EXPECT_EQ(zitto.stato, 0);
        EXPECT_EQ(zitto.errori, "");
        EXPECT_EQ(dir.leggi("L_T.dat"), celle);
    }
    const auto ignoto = esegui_programma({"compile", "a_linea.txt", "a_T-.txt", "-Wno-everything"});
    EXPECT_EQ(ignoto.stato, 2);
    EXPECT_NE(ignoto.errori.find("no warning kind 'everything' to silence"), std::string::npos);
}

// The same diagnostics as one JSON document on standard output.
TEST(Compila, JsonDiagnosticsParseBack) {
    const struct {
        const char* nome;
        std::string linea, treno;
        int stato;
        size_t errori, avvisi;
    } casi[] = {
        {"clean", linea(""), treno(SEGNALE), 0, 0, 0},
        {"a warning", linea("montagna, 3000, 2000, 1\r\n"), treno(""), 0, 0, 1},
        {"errors in both files", LINEA_DUE_ERRORI, TRENO_DUE_ERRORI, 1, 2, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        CartellaTemporanea dir;
        dir.scrivi("L_linea.txt", c.linea);
        dir.scrivi("L_T-.txt", c.treno);
        const auto esito = esegui_programma(
            {"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "--check", "--diagnostics", "json"});
        EXPECT_EQ(esito.stato, c.stato);
        const prova::ValoreJson doc = prova::leggi_json(esito.uscita);
        EXPECT_EQ(doc["errors"].numero(), static_cast<double>(c.errori));
        EXPECT_EQ(doc["warnings"].numero(), static_cast<double>(c.avvisi));
        EXPECT_FALSE(doc["too_many_errors"].vero());
        EXPECT_EQ(doc["diagnostics"].lista().size(), c.errori + c.avvisi);
    }

    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", LINEA_DUE_ERRORI);
    dir.scrivi("L_T-.txt", TRENO_DUE_ERRORI);
    const auto esito = esegui_programma(
        {"compile", dir.file("L_linea.txt"), dir.file("L_T-.txt"), "--check", "--diagnostics", "json"});
    const prova::ValoreJson doc = prova::leggi_json(esito.uscita);
    const auto& voci = doc["diagnostics"].lista();
    ASSERT_EQ(voci.size(), 3u);
    EXPECT_EQ(voci[0]["level"].testo(), "warning");
    EXPECT_EQ(voci[0]["warning_kind"].testo(), "unknown-record");
    EXPECT_TRUE(voci[0]["code"].nullo());
    const prova::ValoreJson& oltre = voci[1];
    EXPECT_EQ(oltre["level"].testo(), "error");
    EXPECT_EQ(oltre["code"].numero(), 15);
    EXPECT_EQ(oltre["meaning"].testo(), "a record lies beyond the end of the line; the rest of its file was skipped");
    EXPECT_EQ(oltre["file"].testo(), dir.file("L_linea.txt"));
    EXPECT_EQ(oltre["line"].numero(), 5);
    EXPECT_EQ(oltre["column"].numero(), 11);
    EXPECT_EQ(oltre["position_m"].numero(), 20000);
    EXPECT_NE(oltre["reason"].testo().find("beyond the last cell 340"), std::string::npos);
    const prova::ValoreJson& segnale = voci[2];
    EXPECT_EQ(segnale["code"].numero(), 16);
    ASSERT_EQ(segnale["notes"].lista().size(), 1u);
    EXPECT_EQ(segnale["notes"].lista()[0]["line"].numero(), 4);
    EXPECT_EQ(segnale["notes"].lista()[0]["text"].testo(), "cell 41 (2050 m) already holds the signal placed here");
}

}  // namespace
}  // namespace compattatore
