// `draw` end to end: the program writes the SVG, an XML parser and an SVG
// renderer accept it, and the plan is the plan file's.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "format/decodifica.h"
#include "model/tracciato.h"
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

// x of every element of the profile whose opening tag holds `segno`.
std::vector<double> ascisse(const std::string& disegno, const std::string& segno, const std::string& attributo) {
    std::vector<double> x;
    for (size_t k = disegno.find(segno); k != std::string::npos; k = disegno.find(segno, k + 1)) {
        const size_t inizio = disegno.rfind('<', k);
        const size_t a = disegno.find(attributo + "=\"", inizio);
        if (a < k) x.push_back(std::stod(disegno.substr(a + attributo.size() + 2)));
    }
    return x;
}

// A section: the slowdown of km 21.25 to 22.35 with its warning at km 20.05
// and its code cells, every one at the stretch of its cell, and a renderer
// draws it.
TEST_F(Disegno, SectionShowsTheSlowdownItsWarningAndCodeCellsApart) {
    const auto esito = prova::esegui_programma(
        {"draw", prova::corsa_normale_eseguita().directory, "--from", "19", "--to", "24", "-o", svg()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    ben_formato();
    resa_non_vuota();
    const std::string disegno = lavoro_.leggi("linea.svg");
    EXPECT_NE(disegno.find("drawn from km 19 to km 24"), std::string::npos);
    EXPECT_NE(disegno.find(">slowdown 60 km/h</text>"), std::string::npos);
    EXPECT_NE(disegno.find(">60 km/h</text>"), std::string::npos);
    // Profile: 1210 px for 5 km, so cells 50 m apart are 12 px apart. The
    // legend's symbols stand near x = 12 in their own groups.
    auto nel_profilo = [](std::vector<double> x) {
        std::erase_if(x, [](double v) { return v < 50; });
        return x;
    };
    std::vector<double> avviso;
    for (size_t k = disegno.find("<path d=\"M"); k != std::string::npos; k = disegno.find("<path d=\"M", k + 1)) {
        if (disegno.compare(disegno.find("\"/>", k) - 13, 14, "fill=\"#f77f00\"") == 0)
            avviso.push_back(std::stod(disegno.substr(k + 10)));
    }
    avviso = nel_profilo(avviso);
    const std::vector<double> codici = nel_profilo(ascisse(disegno, "stroke=\"#6a4c93\" stroke-width=\"2\"", "x1"));
    ASSERT_EQ(codici.size(), 5u) << "cells 407, 414, 420, 433 and 441";
    ASSERT_EQ(avviso.size(), 1u);
    std::vector<double> ordinate = codici;
    ordinate.push_back(avviso[0]);
    std::sort(ordinate.begin(), ordinate.end());
    for (size_t k = 1; k < ordinate.size(); ++k) EXPECT_GT(ordinate[k] - ordinate[k - 1], 8) << k;
    // A cell is drawn at the stretch it stands for: cell 420 at 21000 m.
    const double px_per_m = (codici.back() - codici.front()) / (441.0 * 50 - 407.0 * 50);
    EXPECT_NEAR(codici[2] - codici[0], (420 - 407) * 50 * px_per_m, 0.1);
    EXPECT_NEAR(codici[0] - avviso[0], (407 - 401) * 50 * px_per_m, 0.1);
}

// A mountain kind changing every cell draws no more than a plain line:
// spans closer than a pixel are one.
TEST_F(Disegno, MountainKindChangingEveryCellCostsWhatThePictureHolds) {
    prova::CartellaTemporanea dir;
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    for (const std::string& nome : {prova::FILE_OGGETTI_NORMALE, prova::FILE_TRACCIATO_NORMALE})
        fs::copy_file(fs::path(corsa) / nome, dir.file(nome));
    std::string celle = prova::leggi_tutto(fs::path(corsa) / prova::FILE_CELLE_NORMALE);
    const std::string semplice = disegna(corsa);
    for (size_t i = 0; i * 15 < celle.size(); ++i) celle[i * 15 + 11] = static_cast<char>(1 + i % 2);
    dir.scrivi(prova::FILE_CELLE_NORMALE, celle);
    const std::string fitto = disegna(dir.str());
    ben_formato();
    auto conta = [](const std::string& t, const std::string& s) {
        size_t n = 0;
        for (size_t k = t.find(s); k != std::string::npos; k = t.find(s, k + 1)) ++n;
        return n;
    };
    EXPECT_LE(conta(fitto, "<polyline"), conta(semplice, "<polyline") + 2);
    EXPECT_LE(conta(fitto, "fill-opacity=\"0.18\""), 4u);
    EXPECT_LT(fitto.size(), semplice.size() + 20000);
}

}  // namespace
}  // namespace compattatore
