// How the viewer page is put together, without a browser: the palette it
// shares with `draw`, and the header that builds its script and style sheet
// into the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "draw/tavolozza.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

std::string minuscolo(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Each colour is written once: the page declares the palette as custom
// properties, and its style sheet and script name them, never a value.
TEST(PaginaVista, ThePaletteIsDrawsAndEachColourIsWrittenOnce) {
    prova::CartellaTemporanea dir;
    const auto scritto =
        prova::esegui_programma({"view", prova::corsa_normale_eseguita().directory, "-o", dir.file("vista.html")});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    std::string pagina = minuscolo(dir.leggi("vista.html"));
    const auto radice = pagina.find(":root {");
    ASSERT_NE(radice, std::string::npos);
    const auto fine = pagina.find('}', radice);
    const std::string regola = pagina.substr(radice, fine - radice);
    pagina.erase(radice, fine - radice);
    // What the program writes from the palette is not the page's own text.
    pagina.erase(0, pagina.find("<style>"));
    for (const colore::Voce& v : colore::TAVOLOZZA) {
        EXPECT_NE(regola.find("--" + std::string(v.nome) + ": " + v.valore + ";"), std::string::npos) << v.nome;
        EXPECT_EQ(pagina.find(minuscolo(v.valore)), std::string::npos) << v.valore << " written again in the page";
    }
}

// What a code mark was laid for is inspect's to say: in the page it would
// add a sentence to every mark; the page keeps to the stored code.
TEST(PaginaVista, CodeMarksKeepToTheirStoredCode) {
    prova::CartellaTemporanea dir;
    const auto scritto =
        prova::esegui_programma({"view", prova::corsa_normale_eseguita().directory, "-o", dir.file("vista.html")});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    const std::string pagina = dir.leggi("vista.html");
    EXPECT_NE(pagina.find("\"code\":"), std::string::npos);
    EXPECT_EQ(pagina.find("\"code_for\":"), std::string::npos);
}

// The page of a line of three trains holds the line's plan once, and the
// objects the trains hold alike once: init's trains are one train at other
// times, so with the train graph left out the page is larger than one
// train's page by little more than the other trains' times, not by copies
// of the line.
TEST(PaginaVista, AWholeLineGrowsByEachTrainsObjectsNotByCopiesOfTheLine) {
    prova::CartellaTemporanea dir;
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"init", "--trains", "3"}, {}, dir.str()).stato, 0);
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str()).stato, 0);
    ASSERT_EQ(prova::esegui_programma({"view", dir.str(), "-o", dir.file("tutti.html")}).stato, 0);
    ASSERT_EQ(prova::esegui_programma({"view", dir.str(), "--train-key", "4821-3", "-o", dir.file("uno.html")}).stato,
              0);
    const std::string uno = dir.leggi("uno.html"), tutti = dir.leggi("tutti.html");
    // One train's page: its objects, then the plan, the last of its data.
    const size_t oggetti = uno.find("\"stations\":"), piano = uno.find("\"plan\":"),
                 fine = uno.find("</script>", piano);
    ASSERT_LT(oggetti, piano);
    ASSERT_NE(fine, std::string::npos);
    const auto treno = static_cast<double>(piano - oggetti), linea = static_cast<double>(fine - piano);
    // A copy of the line would show: the plan is far from a rounding error.
    ASSERT_GT(linea, 0.2 * treno);
    EXPECT_EQ(tutti.find("\"plan\":"), tutti.rfind("\"plan\":"));
    // The plan as one train's page holds it, without the data's closing brace.
    EXPECT_NE(tutti.find(uno.substr(piano, fine - 1 - piano)), std::string::npos);
    const size_t grafico = tutti.find("\"graph\":\"");
    ASSERT_NE(grafico, std::string::npos);
    const double crescita = static_cast<double>(tutti.size() - uno.size()) -
                            static_cast<double>(tutti.find("</script>", grafico) - grafico);
    EXPECT_LT(crescita, 0.1 * treno) << "one train's objects: " << treno << " bytes";
}

// The header is written at build time from the two files as they are; a
// file that holds its literal's closing sequence is refused, not cut short.
TEST(PaginaVista, TheEmbeddedHeaderHoldsTheFilesAsTheyAre) {
    prova::CartellaTemporanea dir;
    const std::string script = "const a = \"\\u003c/script>\";\n// \xC3\xA8 )vista_css\"\n";
    const std::string stile = "body { content: \")\\\"\"; }\n";
    dir.scrivi("vista.js", script);
    dir.scrivi("vista.css", stile);
    auto incorpora = [&](const std::string& uscita) {
        return prova::esegui(CMAKE_PROGRAMMA, {std::string("-DMODELLO=") + MODELLO_PAGINA,
                                               "-DSCRIPT=" + dir.file("vista.js"), "-DSTILE=" + dir.file("vista.css"),
                                               "-DUSCITA=" + dir.file(uscita), "-P", INCORPORA_PAGINA});
    };
    const auto esito = incorpora("risorse.h");
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    const std::string header = dir.leggi("risorse.h");
    EXPECT_NE(header.find("R\"vista_js(" + script + ")vista_js\""), std::string::npos) << header;
    EXPECT_NE(header.find("R\"vista_css(" + stile + ")vista_css\""), std::string::npos) << header;

    dir.scrivi("vista.js", "x = 1; // )vista_js\"\n");
    const auto rifiutato = incorpora("rifiutato.h");
    EXPECT_NE(rifiutato.stato, 0);
    EXPECT_NE(rifiutato.errori.find("VISTA_SCRIPT"), std::string::npos) << rifiutato.errori;
}

}  // namespace
}  // namespace compattatore
