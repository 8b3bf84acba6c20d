#include "run/diagnostica.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Diagnostica, ShowsTheLineAndACaretUnderTheField) {
    const std::string sorgente = "[generale]\r\nlunghezza percorso,    97x00\r\n[fine]\r\n";
    Diagnostica d{Diagnostica::Livello::errore, "linea.txt", 2, 24, "'lunghezza': not a number: '97x00' [E25]"};
    EXPECT_EQ(formatta_diagnostica(d, sorgente),
              "linea.txt:2:24: error: 'lunghezza': not a number: '97x00' [E25]\n"
              "  lunghezza percorso,    97x00\n"
              "                         ^\n");
}

TEST(Diagnostica, WarningsTabsAccentsAndMissingPlaces) {
    struct Caso {
        Diagnostica d;
        std::string sorgente;
        std::string atteso;
    } casi[] = {
        {{Diagnostica::Livello::avviso, "t.txt", 0, 0, "no free cell [E12]"}, "", "t.txt: warning: no free cell [E12]\n"},
        {{Diagnostica::Livello::errore, "t.txt", 3, 0, "m"}, "a\nb\nc\n", "t.txt:3: error: m\n  c\n"},
        {{Diagnostica::Livello::errore, "t.txt", 1, 4, "m"}, "\tx,\xE8y", "t.txt:1:4: error: m\n  \tx,\xC3\xA8y\n  \t  ^\n"},
        {{Diagnostica::Livello::errore, "t.txt", 9, 1, "m"}, "a\r\n", "t.txt:9:1: error: m\n"},
        // Control characters of a damaged file never reach the terminal.
        {{Diagnostica::Livello::errore, "t.txt", 1, 5, "'\x1B[2J\xE8'"}, std::string("\x1B[2J\0\x7Fx", 7),
         "t.txt:1:5: error: '?[2J\xC3\xA8'\n  ?[2J??x\n      ^\n"},
    };
    for (const Caso& c : casi) EXPECT_EQ(formatta_diagnostica(c.d, c.sorgente), c.atteso);
}

}  // namespace
}  // namespace compattatore
