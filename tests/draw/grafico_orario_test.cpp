// `draw --graph` end to end: two hand-made trains of one line compiled
// together, their lines on the stations' distances and times, and the
// overtaking between two stations marked; then the drawing alone, of
// stations a compiled file may put anywhere.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "draw/grafico_orario.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using prova::CartellaTemporanea;
using prova::esegui_programma;

std::string treno(const std::string& orologio, const std::array<std::string, 3>& orari) {
    const char* stazioni[] = {"stazione, 0, 8, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, ",
                              "stazione, 5000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, ",
                              "stazione, 9000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, "};
    const char* nomi[] = {"ALFA", "BETA", "GAMMA"};
    std::string testo = "[generale]\r\norologio, " + orologio + "\r\nvelocita, 0, 100\r\naderenza, 0, 10\r\n";
    for (size_t i = 0; i < 3; ++i) testo += std::string(stazioni[i]) + orari[i] + ", " + nomi[i] + "\r\n";
    return testo + "[fine]\r\n";
}

double numero(const std::string& testo) { return std::stod(testo); }

// The attribute `nome` of the first element `tag` after `da` in `svg`.
double attributo(const std::string& svg, size_t da, const std::string& tag, const std::string& nome) {
    const size_t inizio = svg.find("<" + tag + " ", da);
    EXPECT_NE(inizio, std::string::npos) << tag;
    std::smatch m;
    const std::string elemento = svg.substr(inizio, svg.find('>', inizio) - inizio);
    EXPECT_TRUE(std::regex_search(elemento, m, std::regex(" " + nome + "=\"([-0-9.]+)\""))) << elemento;
    return numero(m[1]);
}

TEST(DisegnoGraficoOrario, LinesLieOnTheStationsAndTheirTimesAndAnOvertakingIsMarked) {
    CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n[fine]\r\n");
    // The slow train leaves ALFA at 08:00 and reaches GAMMA at 09:00 with no
    // time at BETA; the fast one leaves at 08:10 and is there at 08:30: it
    // overtakes at 08:15, 2250 m, between ALFA and BETA.
    const std::array<std::string, 3> lento = {"8, 0, 0", "0, 0, 0", "9, 0, 0"};
    const std::array<std::string, 3> veloce = {"8, 10, 0", "0, 0, 0", "8, 30, 0"};
    dir.scrivi("L_LENTO-.txt", treno("7 50 0", lento));
    dir.scrivi("L_VELOCE-.txt", treno("8 0 0", veloce));
    const auto compilato = esegui_programma({"compile", "--all", dir.str(), "-o", dir.str(), "--no-plan"});
    ASSERT_EQ(compilato.stato, 0) << compilato.errori << compilato.uscita;

    const auto disegnato = esegui_programma({"draw", "--graph", dir.str()});
    ASSERT_EQ(disegnato.stato, 0) << disegnato.errori;
    EXPECT_EQ(disegnato.uscita, "wrote " + dir.file("L.graph.svg") + "\n");
    const std::string svg = dir.leggi("L.graph.svg");
    ASSERT_EQ(prova::esegui("xmllint", {"--noout", dir.file("L.graph.svg")}).stato, 0);
    EXPECT_NE(svg.find(">2 trains, 3 stations, 1 crossing between stations<"), std::string::npos);

    // The axes as drawn: hours across, stations down.
    std::map<std::string, double> ore, stazioni;
    const std::regex ora(R"re(<line x1="([-0-9.]+)"[^>]*data-ora="([0-9:]+)")re");
    for (std::sregex_iterator i(svg.begin(), svg.end(), ora), fine; i != fine; ++i) ore[(*i)[2]] = numero((*i)[1]);
    const std::regex stazione(R"re(<line x1="[-0-9.]+" y1="([-0-9.]+)"[^>]*data-stazione="([A-Z]+)")re");
    for (std::sregex_iterator i(svg.begin(), svg.end(), stazione), fine; i != fine; ++i)
        stazioni[(*i)[2]] = numero((*i)[1]);
    ASSERT_EQ(ore.size(), 3u);  // 07:00 to 09:00
    ASSERT_EQ(stazioni.size(), 3u);
    const auto x = [&](double ore_dopo_le_8) { return ore["08:00"] + ore_dopo_le_8 * (ore["09:00"] - ore["08:00"]); };
    const auto y = [&](double metri) {
        return stazioni["ALFA"] + metri / 9000 * (stazioni["GAMMA"] - stazioni["ALFA"]);
    };
    EXPECT_NEAR(stazioni["BETA"], y(5000), 0.01);

    // Each line from its start clock at ALFA to its last time at GAMMA.
    struct Capi {
        const char* treno;
        double orologio, arrivo;  // hours after 08:00
    };
    for (const Capi& c : {Capi{"LENTO", -10.0 / 60, 1}, Capi{"VELOCE", 0, 0.5}}) {
        SCOPED_TRACE(c.treno);
        const size_t gruppo = svg.find("<g class=\"corsa\" data-treno=\"" + std::string(c.treno) + "\">");
        ASSERT_NE(gruppo, std::string::npos);
        const size_t p = svg.find("points=\"", gruppo) + 8;
        std::vector<double> v;
        std::string punti = svg.substr(p, svg.find('"', p) - p);
        for (char& ch : punti) ch = ch == ',' ? ' ' : ch;
        std::istringstream in(punti);
        for (double d = 0; in >> d;) v.push_back(d);
        ASSERT_EQ(v.size(), 6u);  // the clock, the first station's time, the last's
        EXPECT_NEAR(v[0], x(c.orologio), 0.01);
        EXPECT_NEAR(v[1], y(0), 0.01);
        EXPECT_NEAR(v[3], y(0), 0.01);
        EXPECT_NEAR(v[4], x(c.arrivo), 0.01);
        EXPECT_NEAR(v[5], y(9000), 0.01);
    }

    const size_t incrocio = svg.find("<g class=\"incrocio\" data-treni=\"LENTO VELOCE\">");
    ASSERT_NE(incrocio, std::string::npos);
    EXPECT_EQ(svg.find("<g class=\"incrocio\"", incrocio + 1), std::string::npos);
    EXPECT_NE(
        svg.find("overtaking: trains LENTO and VELOCE cross at 08:15:00, km 2.25, between ALFA and BETA", incrocio),
        std::string::npos);
    EXPECT_NEAR(attributo(svg, incrocio, "circle", "cx"), x(0.25), 0.01);
    EXPECT_NEAR(attributo(svg, incrocio, "circle", "cy"), y(2250), 0.01);

    // --train-key alone names one of the line's trains: the graph of it
    // alone, and its own drawing and page.
    ASSERT_EQ(esegui_programma({"draw", "--graph", dir.str(), "--train-key", "VELOCE", "-o", dir.file("v.svg")}).stato,
              0);
    const std::string solo = dir.leggi("v.svg");
    EXPECT_NE(solo.find("data-treno=\"VELOCE\""), std::string::npos);
    EXPECT_EQ(solo.find("data-treno=\"LENTO\""), std::string::npos);
    EXPECT_EQ(solo.find("class=\"incrocio\""), std::string::npos);
    EXPECT_NE(solo.find(">1 train, 3 stations, 0 crossings between stations<"), std::string::npos);
    for (const char* comando : {"draw", "view"}) {
        const auto esito = esegui_programma({comando, dir.str(), "--train-key", "VELOCE", "-o", "-"});
        EXPECT_EQ(esito.stato, 0) << comando << ": " << esito.errori;
    }
}

// A compiled file may put its stations anywhere an int32 reaches: the
// stations' span is taken whole, and every station lies on the graph.
TEST(DisegnoGraficoOrario, StationsAtTheEndsOfTheMetresLieOnTheGraph) {
    constexpr int32_t MINIMO = INT32_MIN, MASSIMO = INT32_MAX;
    struct Caso {
        const char* nome;
        std::vector<StazioneGrafico> stazioni;
    };
    const Caso casi[] = {
        {"both ends", {{"A", MINIMO}, {"B", MASSIMO}}},
        {"one at the top", {{"A", MASSIMO}}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Corsa corsa{"T", {}, {}};
        for (const StazioneGrafico& s : c.stazioni) {
            corsa.fermate.push_back({s.nome, s.metri, 8 * 3600 + static_cast<int64_t>(corsa.punti.size()) * 600});
            corsa.punti.push_back({*corsa.fermate.back().secondi, s.metri});
        }
        const std::string svg = disegna_grafico_orario("L", {corsa});
        const std::regex stazione(R"re(<line x1="[-0-9.]+" y1="([^"]+)"[^>]*data-stazione="([A-Z]+)")re");
        std::vector<double> y;
        for (std::sregex_iterator i(svg.begin(), svg.end(), stazione), fine; i != fine; ++i)
            y.push_back(numero((*i)[1]));
        ASSERT_EQ(y.size(), c.stazioni.size());
        // The graph's band: from its top margin, 360 high at least.
        EXPECT_EQ(y.front(), 100);
        EXPECT_EQ(y.back(), c.stazioni.size() > 1 ? 460 : 100);
    }
}

}  // namespace
}  // namespace compattatore
