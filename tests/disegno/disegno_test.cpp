// `draw` end to end: the program writes the SVG, an XML parser and an SVG
// renderer accept it, and the plan is the plan file's.
#include <gtest/gtest.h>

#include <filesystem>

#include "compiler/tracciato.h"
#include "output/decodifica.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::esegui;

class Disegno : public ::testing::Test {
protected:
    // Draws the scenario compiled in `directory` into this test's own directory.
    std::string disegna(const std::string& directory) {
        const auto esito = prova::esegui_programma({"draw", directory, "-o", svg()});
        EXPECT_EQ(esito.stato, 0) << esito.errori;
        return lavoro_.leggi("linea.svg");
    }
    std::string svg() const { return lavoro_.file("linea.svg"); }

    // Renders with rsvg-convert; the PNG's size against that of a blank page
    // of the same size tells a drawing from an empty one.
    void resa_non_vuota() {
        const auto esito = esegui("rsvg-convert", {svg(), "-o", lavoro_.file("linea.png")});
        ASSERT_EQ(esito.stato, 0) << esito.errori;
        // The blank page takes the drawing's own size attributes.
        const std::string disegno = lavoro_.leggi("linea.svg");
        const auto a = disegno.find("<svg "), b = disegno.find(" viewBox", a);
        const std::string bianco = lavoro_.scrivi(
            "bianco.svg", disegno.substr(a, b - a) + "><rect width=\"100%\" height=\"100%\" fill=\"#fff\"/></svg>");
        ASSERT_EQ(esegui("rsvg-convert", {bianco, "-o", bianco + ".png"}).stato, 0);
        EXPECT_GT(fs::file_size(lavoro_.file("linea.png")), 5 * fs::file_size(bianco + ".png"));
    }

    void ben_formato() {
        const auto esito = esegui("xmllint", {"--noout", svg()});
        EXPECT_EQ(esito.stato, 0) << esito.errori;
    }

    prova::CartellaTemporanea lavoro_;
};

std::pair<double, double> punto(const std::string& testo) {
    const auto virgola = testo.find(',');
    return {std::stod(testo.substr(0, virgola)), std::stod(testo.substr(virgola + 1))};
}

TEST_F(Disegno, NormalRunPlanRunsFromRowZeroToTheLastRowWithAValue) {
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    const std::string disegno = disegna(corsa);
    ben_formato();
    resa_non_vuota();
    EXPECT_NE(disegno.find("Corvale_Mendra"), std::string::npos);
    EXPECT_NE(disegno.find("4821-3"), std::string::npos);
    EXPECT_NE(disegno.find(">FIRENZE S.M.N.</text>"), std::string::npos);
    EXPECT_NE(disegno.find(">Legend</text>"), std::string::npos);
    EXPECT_NE(disegno.find("distance along the line (km)"), std::string::npos);

    // The plan's polyline runs from row 0 to row L + 6998, the last row with a value.
    const auto righe = decodifica_tracciato(prova::leggi_tutto(fs::path(corsa) / prova::FILE_TRACCIATO_NORMALE),
                                            "t.dat", prova::RIGHE_TRACCIATO_NORMALE);
    const std::string inizio = "<polyline id=\"tracciato\" points=\"";
    const auto a = disegno.find(inizio);
    ASSERT_NE(a, std::string::npos);
    const auto da = a + inizio.size(), a_fine = disegno.find('"', da);
    const std::string punti = disegno.substr(da, a_fine - da);
    const auto primo = punto(punti.substr(0, punti.find(' ')));
    const auto ultimo = punto(punti.substr(punti.rfind(' ') + 1));
    ASSERT_TRUE(std::holds_alternative<double>(righe[97000 + 6998].x));
    ASSERT_TRUE(std::holds_alternative<std::monostate>(righe[97000 + 6999].x));
    EXPECT_EQ(primo.first, valore(righe[0].x));
    EXPECT_EQ(primo.second, valore(righe[0].y));
    EXPECT_EQ(ultimo.first, valore(righe[97000 + 6998].x));
    EXPECT_EQ(ultimo.second, valore(righe[97000 + 6998].y));
}

TEST_F(Disegno, WithoutAPlanFileTheProfileAloneSaysSo) {
    prova::CartellaTemporanea senza_pianta;
    for (const std::string& nome : {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE}) {
        senza_pianta.scrivi(nome, prova::dato_normale(nome));
    }
    const std::string disegno = disegna(senza_pianta.str());
    ben_formato();
    resa_non_vuota();
    EXPECT_EQ(disegno.find("id=\"tracciato\""), std::string::npos);
    EXPECT_NE(disegno.find("no plan file"), std::string::npos);
    EXPECT_NE(disegno.find("Profile along the line"), std::string::npos);
}

}  // namespace
}  // namespace compattatore
