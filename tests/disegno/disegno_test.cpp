// `draw` end to end: the program writes the SVG, an XML parser and an SVG
// renderer accept it, and the plan is the plan file's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "output/decodifica.h"
#include "platform/file.h"
#include "support/comando.h"
#include "support/dati.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::esegui_comando;
using test::tra_apici;

class Disegno : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = test::percorso_temporaneo(
            "disegno_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        for (const std::string& nome : {test::FILE_OGGETTI_NORMALE, test::FILE_CELLE_NORMALE}) {
            fs::copy_file(fs::path(test::DIRECTORY_CORSA_NORMALE) / nome, directory_ / nome);
        }
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string disegna() {
        const auto esito = esegui_comando(std::string(PROGRAMMA) + " draw " + tra_apici(directory_.string()) +
                                          " -o " + tra_apici(svg()) + " 2>&1");
        EXPECT_EQ(esito.stato, 0) << esito.uscita;
        return piattaforma::leggi(svg());
    }
    std::string svg() const { return (directory_ / "linea.svg").string(); }

    // Renders with rsvg-convert; the PNG's size against that of a blank page
    // of the same size tells a drawing from an empty one.
    void resa_non_vuota() {
        const std::string png = (directory_ / "linea.png").string();
        const auto esito = esegui_comando("rsvg-convert " + tra_apici(svg()) + " -o " + tra_apici(png) + " 2>&1");
        ASSERT_EQ(esito.stato, 0) << esito.uscita;
        const std::string bianco_svg = (directory_ / "bianco.svg").string(), bianco_png = bianco_svg + ".png";
        // The blank page takes the drawing's own size attributes.
        const std::string disegno = piattaforma::leggi(svg());
        const auto a = disegno.find("<svg "), b = disegno.find(" viewBox", a);
        std::ofstream(bianco_svg) << disegno.substr(a, b - a)
                                  << "><rect width=\"100%\" height=\"100%\" fill=\"#fff\"/></svg>";
        ASSERT_EQ(esegui_comando("rsvg-convert " + tra_apici(bianco_svg) + " -o " + tra_apici(bianco_png)).stato, 0);
        EXPECT_GT(fs::file_size(png), 5 * fs::file_size(bianco_png));
    }

    void ben_formato() {
        const auto esito = esegui_comando("xmllint --noout " + tra_apici(svg()) + " 2>&1");
        EXPECT_EQ(esito.stato, 0) << esito.uscita;
    }

    fs::path directory_;
};

std::pair<double, double> punto(const std::string& testo) {
    const auto virgola = testo.find(',');
    return {std::stod(testo.substr(0, virgola)), std::stod(testo.substr(virgola + 1))};
}

double come_numero(const ValoreEtichettato& v) {
    if (const auto* i = std::get_if<int16_t>(&v)) return *i;
    return std::get<double>(v);
}

TEST_F(Disegno, PlanAndProfileFromThePlanFile) {
    const std::string tracciato = test::tracciato_di_prova(97000);
    std::ofstream(directory_ / "Corvale_Mendra_linea.dat", std::ios::binary) << tracciato;
    const std::string disegno = disegna();
    ben_formato();
    resa_non_vuota();
    EXPECT_NE(disegno.find("Corvale_Mendra"), std::string::npos);
    EXPECT_NE(disegno.find("4821-3"), std::string::npos);
    EXPECT_NE(disegno.find(">FIRENZE S.M.N.</text>"), std::string::npos);
    EXPECT_NE(disegno.find(">Legend</text>"), std::string::npos);
    EXPECT_NE(disegno.find("distance along the line (km)"), std::string::npos);

    // The plan's polyline runs from row 0 to row L + 6998, the last row with a value.
    const auto righe = decodifica_tracciato(tracciato, "t.dat", 97000 + 7001);
    const std::string inizio = "<polyline id=\"tracciato\" points=\"";
    const auto a = disegno.find(inizio);
    ASSERT_NE(a, std::string::npos);
    const auto da = a + inizio.size(), a_fine = disegno.find('"', da);
    const std::string punti = disegno.substr(da, a_fine - da);
    const auto primo = punto(punti.substr(0, punti.find(' ')));
    const auto ultimo = punto(punti.substr(punti.rfind(' ') + 1));
    EXPECT_EQ(primo.first, come_numero(righe[0].x));
    EXPECT_EQ(primo.second, come_numero(righe[0].y));
    EXPECT_EQ(ultimo.first, come_numero(righe[97000 + 6998].x));
    EXPECT_EQ(ultimo.second, come_numero(righe[97000 + 6998].y));
}

TEST_F(Disegno, WithoutAPlanFileTheProfileAloneSaysSo) {
    const std::string disegno = disegna();
    ben_formato();
    resa_non_vuota();
    EXPECT_EQ(disegno.find("id=\"tracciato\""), std::string::npos);
    EXPECT_NE(disegno.find("no plan file"), std::string::npos);
    EXPECT_NE(disegno.find("Profile along the line"), std::string::npos);
}

}  // namespace
}  // namespace compattatore
