#include "cli/stampa_diagnostiche.h"

#include <gtest/gtest.h>

#include <vector>

namespace compattatore {
namespace {

// A located line of `sorgente`, found as a report finds it.
std::string posto(std::string_view tipo, const std::string& file, Luogo luogo, const std::string& messaggio,
                  std::string_view sorgente) {
    return formatta_riga(tipo, file, luogo, messaggio, IndiceRighe(sorgente).riga(luogo.riga));
}

TEST(Diagnostica, ShowsTheLineAndACaretUnderTheField) {
    const std::string sorgente = "[generale]\r\nlunghezza percorso,    97x00\r\n[fine]\r\n";
    EXPECT_EQ(posto("error", "linea.txt", {2, 24}, "'lunghezza': not a number: '97x00' [E25]", sorgente),
              "linea.txt:2:24: error: 'lunghezza': not a number: '97x00' [E25]\n"
              "  lunghezza percorso,    97x00\n"
              "                         ^\n");
}

TEST(Diagnostica, WarningsTabsAccentsAndMissingPlaces) {
    struct Caso {
        const char* tipo;
        Luogo luogo;
        std::string messaggio;
        std::string sorgente;
        std::string atteso;
    } casi[] = {
        {"warning", {0, 0}, "no free cell [E12]", "", "t.txt: warning: no free cell [E12]\n"},
        {"error", {3, 0}, "m", "a\nb\nc\n", "t.txt:3: error: m\n  c\n"},
        {"error", {1, 4}, "m", "\tx,\xE8y", "t.txt:1:4: error: m\n  \tx,\xC3\xA8y\n  \t  ^\n"},
        {"error", {9, 1}, "m", "a\r\n", "t.txt:9:1: error: m\n"},
        // Control characters of a damaged file never reach the terminal.
        {"error",
         {1, 5},
         "'\x1B[2J\xE8'",
         std::string("\x1B[2J\0\x7Fx", 7),
         "t.txt:1:5: error: '?[2J\xC3\xA8'\n  ?[2J??x\n      ^\n"},
    };
    for (const Caso& c : casi) EXPECT_EQ(posto(c.tipo, "t.txt", c.luogo, c.messaggio, c.sorgente), c.atteso);
}

// The line index, built once per file, finds each line as the reader ends
// them: CR LF once, CR and LF alone; nothing past the last line.
TEST(Diagnostica, TheLineIndexFindsEveryLineWithoutItsEnd) {
    const struct {
        std::string testo;
        std::vector<std::string> righe;  // lines 1, 2, ...; then one past the last reads empty
    } casi[] = {
        {"", {""}},
        {"uno", {"uno"}},
        {"uno\r\ndue\rtre\nquattro", {"uno", "due", "tre", "quattro"}},
        {"a\r\n\r\n\n\rb\r\n", {"a", "", "", "", "b", ""}},
        {"\n\r\r\n", {"", "", "", ""}},
    };
    for (const auto& c : casi) {
        const IndiceRighe indice(c.testo);
        for (size_t r = 0; r < c.righe.size(); ++r) EXPECT_EQ(indice.riga(static_cast<int>(r) + 1), c.righe[r]) << r;
        EXPECT_EQ(indice.riga(static_cast<int>(c.righe.size()) + 1), "");
        EXPECT_EQ(indice.riga(0), "");
    }
    const std::vector<SorgenteAutore> sorgenti{{"L.txt", "l1\r\nl2\r\n"}, {"T.txt", "t1\nt2"}};
    const SorgentiIndicizzate indicizzate(sorgenti);
    EXPECT_EQ(indicizzate.riga("L.txt", 2), "l2");
    EXPECT_EQ(indicizzate.riga("T.txt", 2), "t2");
    EXPECT_EQ(indicizzate.riga("X.txt", 1), "");
}

// A line longer than the width is cut around the caret, "..." where text is
// left out, and the caret stays under its column.
TEST(Diagnostica, LongLinesAreCutAroundTheCaret) {
    std::string riga;
    for (int i = 0; i < 500; ++i) riga.push_back(static_cast<char>('a' + i % 26));
    const struct {
        int colonna;
        size_t da, a;  // the bytes shown
    } casi[] = {{5, 0, 200}, {300, 199, 399}, {498, 300, 500}, {0, 0, 200}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.colonna);
        const std::string prima = c.da > 0 ? "..." : "";
        std::string atteso = "t.txt:1" + (c.colonna > 0 ? ":" + std::to_string(c.colonna) : "") + ": error: m\n  " +
                             prima + riga.substr(c.da, c.a - c.da) + (c.a < riga.size() ? "..." : "") + "\n";
        if (c.colonna > 0)
            atteso += "  " + std::string(prima.size() + static_cast<size_t>(c.colonna) - 1 - c.da, ' ') + "^\n";
        EXPECT_EQ(posto("error", "t.txt", {1, c.colonna}, "m", riga), atteso);
    }
    EXPECT_EQ(posto("error", "t.txt", {1, 3}, "m", riga.substr(0, 200)),
              "t.txt:1:3: error: m\n  " + riga.substr(0, 200) + "\n    ^\n");
}

// The record's position as the author wrote it, then the cell with the
// stretch it stands for; the reason; the code or the warning's kind.
TEST(Diagnostica, MessagesNamePositionCellReasonAndTag) {
    Diagnostica finitura = crea_diagnostica(12, "t.txt", {2, 18}, "");
    finitura.livello = Livello::avviso;
    finitura.posizione = 21200;
    finitura.cella = 425;
    Diagnostica senza_record = finitura;
    senza_record.posizione.reset();
    Diagnostica conflitto = crea_diagnostica(16, "t.txt", {1, 10}, "segnale: cell 22 is taken");
    conflitto.posizione = 1050;
    const struct {
        Diagnostica d;
        std::string atteso;
    } casi[] = {
        {finitura, "no free cell for a code cell before a slowdown start, at 21200 m (cell 425, 21250-21300 m) [E12]"},
        {senza_record, "no free cell for a code cell before a slowdown start, at cell 425, 21250-21300 m [E12]"},
        {conflitto, "a signal falls on a cell that is not free, at 1050 m: segnale: cell 22 is taken [E16]"},
        {crea_avviso(AVVISO_RECORD_SCONOSCIUTO, "t.txt", {1, 1}, "'segnal' is not a record read here; it is skipped"),
         "'segnal' is not a record read here; it is skipped [-Wunknown-record]"},
    };
    for (const auto& c : casi) EXPECT_EQ(messaggio_diagnostica(c.d), c.atteso);
}

TEST(Diagnostica, NotesFollowInWhicheverFileTheyName) {
    Diagnostica d = crea_diagnostica(16, "T.txt", {2, 10}, "");
    d.posizione = 1000;
    d.note.push_back({"L.txt", {1, 18}, "cell 21 (1050 m) already holds the speed board placed here"});
    const std::vector<SorgenteAutore> sorgenti{{"L.txt", "indicatori_vmax, 1000, 60\r\n"},
                                               {"T.txt", "x\r\nsegnale, 1000, 2\r\n"}};
    EXPECT_EQ(formatta_diagnostica(d, sorgenti),
              "T.txt:2:10: error: a signal falls on a cell that is not free, at 1000 m [E16]\n"
              "  segnale, 1000, 2\n"
              "           ^\n"
              "L.txt:1:18: note: cell 21 (1050 m) already holds the speed board placed here\n"
              "  indicatori_vmax, 1000, 60\n"
              "                   ^\n");
}

TEST(Diagnostica, CountInTheSingularWhereOne) {
    EXPECT_EQ(conteggio_diagnostiche(1, 1), "1 error, 1 warning");
    EXPECT_EQ(conteggio_diagnostiche(0, 2), "0 errors, 2 warnings");
    EXPECT_EQ(conteggio_diagnostiche(3, 0), "3 errors, 0 warnings");
}

}  // namespace
}  // namespace compattatore
