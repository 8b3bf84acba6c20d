// The mistakes an author makes that the files would otherwise hold in
// silence: each one gives its diagnostic (where, what, of which kind) and
// the exit status, and the options that change a warning's severity do so.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/json_prova.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using prova::CartellaTemporanea;
using prova::esegui_programma;

std::string linea(const std::string& corpo) {
    return "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n" + corpo + "[fine]\r\n";
}
std::string treno(const std::string& corpo) {
    return "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n" + corpo + "[fine]\r\n";
}
std::string stazione(const std::string& orario_e_nome) {
    return "stazione, 3000, 12, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, " + orario_e_nome + "\r\n";
}

struct Esito {
    int stato;
    std::string errori;
    bool scritto;
};

Esito compila(const std::string& testo_linea, const std::string& testo_treno, const std::vector<std::string>& opzioni) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", testo_linea);
    dir.scrivi("L_T-.txt", testo_treno);
    // Run in the folder, so that the diagnostics name the files as given.
    std::vector<std::string> argomenti{"compile", "L_linea.txt", "L_T-.txt"};
    argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
    const auto esito = prova::esegui(PROGRAMMA, argomenti, {}, dir.str());
    return {esito.stato, esito.errori, std::filesystem::exists(dir.file("L_T.dat"))};
}

TEST(ErroriAutore, EachMistakeIsNamedWithWhatWasWrittenAndWhatIsStored) {
    const struct {
        const char* nome;
        std::string linea, treno;
        std::vector<std::string> opzioni;
        int stato;
        std::string prima_riga;  // the first diagnostic's line, in part: its start, then a piece of its text
        std::string testo;
        std::string segno;  // how it ends: its code or its kind
    } casi[] = {
        {"decimal comma in a gradient",
         linea("pendenza, 1000, 1,5\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:4:19: error: ",
         "unexpected field '5' after the record; numbers are whole, with no decimal part",
         "[E25]"},
        {"decimal comma in a speed",
         linea(""),
         treno("velocita, 1000, 82,5\r\n"),
         {},
         1,
         "L_T-.txt:4:20: error: ",
         "unexpected field '5'",
         "[E25]"},
        {"thousands point in the length",
         "[generale]\r\nlunghezza percorso, 40.000\r\n[fine]\r\n",
         treno(""),
         {},
         1,
         "L_linea.txt:2:21: error: ",
         "'lunghezza' 40.000 is stored as 40: a point is a decimal point",
         "[-Wvalue-truncated]"},
        {"decimal point rounded",
         linea(""),
         treno("velocita, 1000, 82.5\r\n"),
         {},
         1,
         "L_T-.txt:4:17: error: ",
         "'velocita' 82.5 is stored as 82: numbers are whole",
         "[-Wvalue-truncated]"},
        {"falling gradient beyond a byte",
         linea("pendenza, 2000, -280\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:4:17: error: ",
         "gradient -280 per mille does not fit its byte",
         "[-Wvalue-truncated]"},
        {"adhesion beyond a byte",
         linea(""),
         treno("aderenza, 1000, 300\r\n"),
         {},
         1,
         "L_T-.txt:4:17: error: ",
         "aderenza: adhesion 300 does not fit its 8-bit field; 44 is stored instead",
         "[-Wvalue-truncated]"},
        {"board speed off the 5 km/h steps",
         linea("indicatori_vmax, 1000, 92, 0, 0, 0, 0, 0, 0, 0\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:4:24: error: ",
         "vas 92 and vad 0 km/h are stored as 90 and 200 km/h",
         "[-Wvalue-truncated]"},
        {"right board above 495",
         linea("indicatori_vmax, 1000, 0, 0, 0, 0, 500, 0, 0, 0\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:4:36: error: ",
         "vas 0 and vad 500 km/h are stored as 5 and 0 km/h",
         "[-Wvalue-truncated]"},
        {"stripes spill",
         linea("indicatori_vmax, 1000, 100, 0, 0, 1, 0, 0, 0, 12\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:4:47: error: ",
         "strisces 1 and strisced 12",
         "[-Wvalue-truncated]"},
        {"signal aspect of 15",
         linea(""),
         treno("segnale, 2000, 2, 4, 1, 0, 0, 0, 15, 0, 0, 0\r\n"),
         {},
         1,
         "L_T-.txt:4:34: error: ",
         "s1 4 and d1 15 share one field as 10 * s1 + d1, each 0 to 9; they are stored as 5 and 5",
         "[-Wvalue-truncated]"},
        {"signal head dx of 3",
         linea(""),
         treno("segnale, 2000, 2, 4, 1, 0, 0, 3, 0, 0, 0, 0\r\n"),
         {},
         1,
         "L_T-.txt:4:16: error: ",
         "they are stored as sx 3, dx 0, rapp 0",
         "[-Wvalue-truncated]"},
        {"station time 07:75",
         linea(""),
         treno(stazione("7, 75, 0, A")),
         {},
         1,
         "L_T-.txt:4:59: error: ",
         "the time 07:75:00 is not a time of day (minutes and seconds run 0 to 59); 08:15:00 is stored instead",
         "[-Wvalue-truncated]"},
        {"clock 07:75",
         linea(""),
         treno("orologio, 7 75 0\r\n"),
         {},
         1,
         "L_T-.txt:4:13: error: ",
         "orologio: the time 07:75:00",
         "[-Wvalue-truncated]"},
        {"station without its name",
         linea(""),
         treno(stazione("8, 0, 0") + "stazione, 6000, 12, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, B\r\n"),
         {},
         1,
         "L_T-.txt:5:1: error: ",
         "a field is missing: the name took the next record's keyword 'stazione'",
         "[E25]"},
        {"signal before the line's start",
         linea(""),
         treno("segnale, -50, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"),
         {},
         1,
         "L_T-.txt:4:10: error: ",
         "segnale: position -50 m is before the start of the line",
         "[E25]"},
        {"misspelt keyword",
         linea("pendnza, 100, 2\r\n"),
         treno(""),
         {},
         0,
         "L_linea.txt:4:1: warning: ",
         "'pendnza' is not a record read here; it is skipped; did you mean 'pendenza'?",
         "[-Wunknown-record]"},
        {"keyword in the wrong case",
         "[generale]\r\nlunghezza percorso, 10000\r\nprogressiva chilometrica Tre, 0, 0, 0\r\n",
         treno(""),
         {},
         0,
         "L_linea.txt:3:1: warning: ",
         "it differs from 'progressiva chilometrica tre' only in case, which counts here",
         "[-Wunknown-record]"},
        {"misspelt section",
         linea(""),
         "[generale]\r\n[segnalli]\r\n[fine]\r\n",
         {},
         0,
         "L_T-.txt:2:1: warning: ",
         "did you mean '[segnali]'?",
         "[-Wunknown-section]"},
        {"unquoted name with a comma",
         linea(""),
         treno(stazione("8, 0, 0, Bivio, Nord")),
         {},
         0,
         "L_T-.txt:4:72: warning: ",
         "(a text with a comma in it is written in double quotes)",
         "[-Wunknown-record]"},
        // Records checked against each other: warnings of their own kinds.
        {"speeds out of order",
         linea(""),
         treno("velocita, 8050, 40\r\nvelocita, 3750, 60\r\n"),
         {},
         0,
         "L_T-.txt:5:11: warning: ",
         "velocita at 3750 m comes after one at 8050 m",
         "[-Wout-of-order]"},
        {"gradients out of order",
         linea("pendenza, 5000, 2\r\npendenza, 1000, 3\r\n"),
         treno(""),
         {},
         0,
         "L_linea.txt:5:11: warning: ",
         "pendenza at 1000 m comes after one at 5000 m",
         "[-Wout-of-order]"},
        {"overlapping curves",
         linea("curvad1, 1000, 500\r\ncurvas2, 1200, 100\r\n"),
         treno(""),
         {},
         0,
         "L_linea.txt:5:10: warning: ",
         "curva starting at 1200 m overlaps the one before it, which ends at 1500 m",
         "[-Woverlap]"},
        {"overlapping mountains",
         linea("montagna, 1000, 2000, 1\r\nmontagna, 1500, 2500, 2\r\n"),
         treno(""),
         {},
         0,
         "L_linea.txt:5:11: warning: ",
         "montagna starting at 1500 m starts before the span written before it ends, at 2000 m: the two read as "
         "one continuous kind, so its kind 2 is stored as 3",
         "[-Woverlap]"},
        {"mountain of kind 3 laid over part of another",
         linea(
             "[montagne]\r\nmontagna, 1000, 2000, 1\r\nmontagna, 1200, 1300, 13\r\n[pendenze]\r\npendenza, 0, 200\r\n"),
         treno(""),
         {},
         1,
         "L_linea.txt:8:14: error: ",
         "pendenza: gradient 200 per mille",
         "[-Wvalue-truncated]"},
        {"no [generale] in the line file",
         "[pendenze]\r\npendenza, 0, 5\r\n[fine]\r\n",
         treno(""),
         {},
         1,
         "L_linea.txt:1:1: error: ",
         "the file ends before a '[generale]' field, which comes first",
         "[E102]"},
        {"no [generale] in the train file",
         linea(""),
         "[segnali]\r\n[fine]\r\n",
         {},
         1,
         "L_T-.txt:1:1: error: ",
         "the train description file has no '[generale]' field, which comes first",
         "[E25]"},
        {"negative curve length",
         linea("curvad1, 1000, -100\r\n"),
         treno(""),
         {},
         0,
         "L_linea.txt:4:16: warning: ",
         "curva: the length -100 m is negative",
         "[-Wreversed-span]"},
        {"times going backwards",
         linea(""),
         treno(stazione("10, 0, 0, A") + "stazione, 6000, 12, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 30, 0, B\r\n"),
         {},
         0,
         "L_T-.txt:5:11: warning: ",
         "the time 09:30:00 comes before 10:00:00 of a station before it",
         "[-Wtime-backwards]"},
        // The options that set a kind's severity.
        {"kept a warning",
         linea("pendenza, 2000, -280\r\n"),
         treno(""),
         {"-Wno-error=value-truncated"},
         0,
         "L_linea.txt:4:17: warning: ",
         "gradient -280",
         "[-Wvalue-truncated]"},
        {"-Werror=KIND",
         linea("pendnza, 100, 2\r\n"),
         treno(""),
         {"-Werror=unknown-record"},
         1,
         "L_linea.txt:4:1: error: ",
         "did you mean 'pendenza'?",
         "[-Wunknown-record]"},
        {"-Werror",
         linea("pendnza, 100, 2\r\n"),
         treno(""),
         {"-Werror"},
         1,
         "L_linea.txt:4:1: error: ",
         "'pendnza'",
         "[-Wunknown-record]"},
        {"-Werror with one kind kept",
         linea("pendnza, 100, 2\r\n"),
         treno(""),
         {"-Werror", "-Wno-error=unknown-record"},
         0,
         "L_linea.txt:4:1: warning: ",
         "'pendnza'",
         "[-Wunknown-record]"},
        {"a board above the train's limit, asked for",
         linea("indicatori_vmax, 1000, 80, 90, 120, 0, 0, 0, 0, 0\r\n"),
         treno(""),
         {"-Wboard-above-limit"},
         0,
         "L_T-.txt:2:14: warning: ",
         "the train's limit of 100 km/h lies under the board of cell 21, written at about 1000 m, which shows "
         "120 km/h to rank C",
         "[-Wboard-above-limit]"},
        {"-Werror=KIND asks for a kind off by default",
         linea("indicatori_vmax, 1000, 80, 90, 120, 0, 0, 0, 0, 0\r\n"),
         treno(""),
         {"-Werror=board-above-limit"},
         1,
         "L_T-.txt:2:14: error: ",
         "120 km/h to rank C",
         "[-Wboard-above-limit]"},
        {"the later option wins",
         linea("pendenza, 2000, -280\r\n"),
         treno(""),
         {"-Wno-error=value-truncated", "-Werror=value-truncated"},
         1,
         "L_linea.txt:4:17: error: ",
         "gradient -280",
         "[-Wvalue-truncated]"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const Esito e = compila(c.linea, c.treno, c.opzioni);
        EXPECT_EQ(e.stato, c.stato) << e.errori;
        const std::string prima = e.errori.substr(0, e.errori.find('\n'));
        EXPECT_TRUE(prima.starts_with(c.prima_riga)) << e.errori;
        EXPECT_NE(prima.find(c.testo), std::string::npos) << e.errori;
        EXPECT_TRUE(prima.ends_with(" " + c.segno)) << e.errori;
        EXPECT_EQ(e.scritto, c.stato == 0) << e.errori;
    }
}

// A board serves every train of the line: one above a slow train's limit
// is said only when asked for, and one within it not even then.
TEST(ErroriAutore, BoardsAboveTheLimitAreOffUnlessAskedFor) {
    const std::string tavola = linea("indicatori_vmax, 1000, 80, 90, 120, 0, 0, 0, 0, 0\r\n");
    const Esito taciuto = compila(tavola, treno(""), {});
    EXPECT_EQ(taciuto.stato, 0);
    EXPECT_EQ(taciuto.errori.find("board"), std::string::npos) << taciuto.errori;
    const Esito entro = compila(tavola, treno("velocita, 500, 120\r\n"), {"-Wboard-above-limit"});
    EXPECT_EQ(entro.stato, 0);
    EXPECT_EQ(entro.errori.find("board"), std::string::npos) << entro.errori;
}

// A length too short makes every later record lie beyond the end: one error
// at the first, a note at the length, and the count of the others.
TEST(ErroriAutore, RecordsBeyondAShortLineCollapseToTheFirst) {
    const Esito e = compila(
        "[generale]\r\nlunghezza percorso, 40.000\r\n[pendenze]\r\npendenza, 0, 1\r\n"
        "pendenza, 9000, 2\r\npendenza, 12000, 2\r\npendenza, 14000, 2\r\n[fine]\r\n",
        treno(""), {"-Wno-value-truncated"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_TRUE(e.errori.starts_with("L_linea.txt:5:11: error: ")) << e.errori;
    EXPECT_NE(e.errori.find("L_linea.txt:2:21: note: the line is 40 m long, set here\n"), std::string::npos)
        << e.errori;
    EXPECT_NE(e.errori.find("L_linea.txt: note: 2 more records lie beyond the end of the line in this file\n"),
              std::string::npos)
        << e.errori;
    EXPECT_TRUE(e.errori.ends_with("\n1 error, 0 warnings\n")) << e.errori;
}

// An error the options made is an error like any other: --force still
// writes what the format stores, and -Wno-KIND silences it altogether.
TEST(ErroriAutore, ForceWritesDespiteAValueThatDoesNotFitAndSilencingDropsIt) {
    const std::string troncata = linea("pendenza, 2000, -280\r\n");
    const Esito forzato = compila(troncata, treno(""), {"--force"});
    EXPECT_EQ(forzato.stato, 1);
    EXPECT_TRUE(forzato.scritto);
    const Esito zitto = compila(troncata, treno(""), {"-Wno-value-truncated"});
    EXPECT_EQ(zitto.stato, 0);
    EXPECT_EQ(zitto.errori, "");
    EXPECT_TRUE(zitto.scritto);
}

// Several trains at once: the train with a value that does not fit is not
// written, the other is.
TEST(ErroriAutore, AmongSeveralTrainsTheOneWithATruncatedValueIsNotWritten) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_A-.txt", treno("aderenza, 1000, 300\r\n"));
    dir.scrivi("L_B-.txt", treno(""));
    const auto esito = prova::esegui(PROGRAMMA, {"compile", "L_linea.txt", "L_A-.txt", "L_B-.txt"}, {}, dir.str());
    EXPECT_EQ(esito.stato, 1) << esito.errori;
    EXPECT_NE(esito.errori.find("L_A-.txt:4:17: error: "), std::string::npos) << esito.errori;
    EXPECT_FALSE(std::filesystem::exists(dir.file("L_A.dat")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("L_B.dat")));
}

TEST(ErroriAutore, FilesGivenInTheWrongOrderGetTheHintToSwapThem) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_T-.txt", treno(""));
    const auto esito = prova::esegui(
        PROGRAMMA, {"compile", "L_T-.txt", "L_linea.txt", "--line-key", "L", "--train-key", "T", "--check"}, {},
        dir.str());
    EXPECT_EQ(esito.stato, 1);
    EXPECT_NE(esito.errori.find("L_T-.txt: note: this reads as a train description and L_linea.txt holds the line's "
                                "length: the files seem swapped (the line file comes first)\n"),
              std::string::npos)
        << esito.errori;
    // Without keys, one train or several: the keys cannot be told, and the hint says why.
    dir.scrivi("L_U-.txt", treno(""));
    for (const std::vector<std::string>& argomenti :
         {std::vector<std::string>{"compile", "L_T-.txt", "L_linea.txt", "--check"},
          std::vector<std::string>{"compile", "L_T-.txt", "L_linea.txt", "L_U-.txt", "--line-key", "L", "--check"}}) {
        const auto senza_chiavi = prova::esegui(PROGRAMMA, argomenti, {}, dir.str());
        EXPECT_EQ(senza_chiavi.stato, 2);
        EXPECT_NE(senza_chiavi.errori.find(
                      "; 'L_linea.txt' is named as a line file: the files seem swapped (the line file comes first)\n"),
                  std::string::npos)
            << senza_chiavi.errori;
    }
}

TEST(ErroriAutore, MisspeltOptionsAndKindsGetTheNearestOne) {
    const struct {
        const char* opzione;
        const char* messaggio;
    } casi[] = {
        {"--forse", "unknown option '--forse'; did you mean '--force'?"},
        {"-Wno-value-trunated", "no warning kind 'value-trunated' to silence; did you mean 'value-truncated'?"},
        {"-Werror=overlp", "no warning kind 'overlp' to make an error; did you mean 'overlap'?"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.opzione);
        const auto esito = esegui_programma({"compile", "a_linea.txt", "a_T-.txt", c.opzione});
        EXPECT_EQ(esito.stato, 2);
        EXPECT_NE(esito.errori.find(c.messaggio), std::string::npos) << esito.errori;
    }
}

// The "did you mean" as an edit an editor can apply, and a warning the
// options made an error reported as one.
TEST(ErroriAutore, JsonGivesTheReplacementAndTheLevelTheOptionsSet) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea("pendnza, 100, 2\r\n"));
    dir.scrivi("L_T-.txt", treno(""));
    const auto esito =
        prova::esegui(PROGRAMMA, {"compile", "L_linea.txt", "L_T-.txt", "--check", "--diagnostics", "json", "-Werror"},
                      {}, dir.str());
    EXPECT_EQ(esito.stato, 1);
    const prova::ValoreJson doc = prova::leggi_json(esito.uscita);
    ASSERT_EQ(doc["diagnostics"].lista().size(), 1u);
    const prova::ValoreJson& d = doc["diagnostics"].lista()[0];
    EXPECT_EQ(d["level"].testo(), "error");
    EXPECT_EQ(doc["errors"].numero(), 1.0);
    const prova::ValoreJson& r = d["replacement"];
    EXPECT_EQ(r["line"].numero(), 4.0);
    EXPECT_EQ(r["column"].numero(), 1.0);
    EXPECT_EQ(r["length"].numero(), 7.0);
    EXPECT_EQ(r["text"].testo(), "pendenza");
}

// A new author's first compile into a folder not made yet: every command
// that writes into -o makes the folder, as init does.
TEST(ErroriAutore, OutputFoldersAreMadeWhenMissing) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", linea(""));
    dir.scrivi("L_T-.txt", treno(""));
    const auto esegui = [&](const std::vector<std::string>& argomenti) {
        const auto esito = prova::esegui(PROGRAMMA, argomenti, {}, dir.str());
        EXPECT_EQ(esito.stato, 0) << esito.errori;
    };
    esegui({"compile", "L_linea.txt", "L_T-.txt", "-o", "nuova"});
    esegui({"draw", "nuova", "-o", "disegni/L.svg"});
    esegui({"view", "nuova", "-o", "pagine/L.html"});
    esegui({"decompile", "nuova", "-o", "sorgenti"});
    for (const char* file : {"nuova/L_T.dat", "disegni/L.svg", "pagine/L.html", "sorgenti/L_linea.txt"})
        EXPECT_TRUE(std::filesystem::exists(dir.file(file))) << file;
}

}  // namespace
}  // namespace compattatore
