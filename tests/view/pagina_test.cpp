// `view` in a real browser: the page the program writes, driven in headless
// Chromium with wheel, pointer, click and key events by a script the test
// adds to a copy of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "linea_generata.h"
#include "support/cartella_temporanea.h"
#include "support/chromium.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using Esito = std::multimap<std::string, std::string>;

// The page with the test script added; errors and refused loads are caught
// from the very start. The page's animation frames are held back for the
// test script to run when it has done what a frame should follow: headless
// Chromium's frames under virtual time come too seldom to wait for.
std::string pagina_di_prova(const prova::CartellaTemporanea& dir, const std::string& pagina,
                            const std::vector<std::string>& passi) {
    std::string html = dir.leggi(pagina);
    const std::string spia =
        "<script>window.PROVA_ERRORI=[];"
        "addEventListener('error',function(e){PROVA_ERRORI.push('error: '+e.message)});"
        "addEventListener('securitypolicyviolation',function(e){PROVA_ERRORI.push('refused: '+e.blockedURI)});"
        "(function(){var c=console.error;console.error=function(){PROVA_ERRORI.push([].join.call(arguments,' '));"
        "c.apply(console,arguments)}})();"
        "window.PROVA_FOTOGRAMMI=[];"
        "window.requestAnimationFrame=function(f){return PROVA_FOTOGRAMMI.push(f)};</script>";
    html.insert(html.find("<head>") + 6, spia);
    std::string elenco;
    for (const std::string& p : passi) elenco += (elenco.empty() ? "\"" : ",\"") + p + "\"";
    const std::string script = "<script>window.PROVA_PASSI=[" + elenco + "];</script><script>" +
                               prova::leggi_tutto(PROVA_VISTA_JS) + "</script>";
    html.insert(html.rfind("</body>"), script);
    return dir.scrivi("prova_" + pagina, html);
}

Esito esegui_pagina(const prova::CartellaTemporanea& dir, const std::string& pagina,
                    const std::vector<std::string>& passi, int larghezza = 1400) {
    const auto esito = prova::dom_dopo_script(pagina_di_prova(dir, pagina, passi), larghezza);
    EXPECT_EQ(esito.stato, 0) << esito.errori;
    Esito valori = prova::esito_della_pagina(esito.uscita);
    EXPECT_FALSE(valori.empty()) << "the test script wrote nothing:\n" << esito.uscita.substr(0, 2000);
    EXPECT_EQ(valori.count("failed"), 0u) << valori.find("failed")->second;
    return valori;
}

std::string uno(const Esito& e, const std::string& nome) {
    auto it = e.find(nome);
    EXPECT_NE(it, e.end()) << nome;
    return it == e.end() ? "" : it->second;
}

std::vector<double> numeri(const std::string& testo) {
    std::vector<double> n;
    std::istringstream in(testo);
    for (std::string parte; std::getline(in, parte, ',');) n.push_back(std::stod(parte));
    return n;
}

// The km range [from, to] in metres the profile shows.
std::pair<double, double> intervallo(const Esito& e, const std::string& nome) {
    const auto n = numeri(uno(e, nome));
    EXPECT_EQ(n.size(), 2u) << nome;
    return n.size() == 2 ? std::pair{n[0], n[1]} : std::pair{0.0, 0.0};
}
double ampiezza(const std::pair<double, double>& r) { return r.second - r.first; }

// Nothing in the page may come from elsewhere.
void autosufficiente(const std::string& html) {
    for (const char* vietato : {"<link", "src=", "@import", "url(", "https:", "//cdn", "<iframe"})
        EXPECT_EQ(html.find(vietato), std::string::npos) << vietato;
}

class Vista : public ::testing::Test {
protected:
    void SetUp() override {
        if (auto motivo = prova::chromium_mancante()) GTEST_SKIP() << "viewer tests skipped: " << *motivo;
    }
};

TEST_F(Vista, NormalRunObjectsTooltipsKmBoxAndZoom) {
    prova::CartellaTemporanea dir;
    const auto scritto =
        prova::esegui_programma({"view", prova::corsa_normale_eseguita().directory, "-o", dir.file("vista.html")});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    autosufficiente(dir.leggi("vista.html"));
    const Esito e = esegui_pagina(dir, "vista.html", {"oggetti", "suggerimenti", "casella", "movimenti"});
    EXPECT_EQ(uno(e, "errors"), "0");

    EXPECT_EQ(uno(e, "stations"), "16");
    EXPECT_EQ(uno(e, "signals"), "45");
    EXPECT_EQ(uno(e, "profile_stations"), "16");
    EXPECT_EQ(uno(e, "profile_signals"), "45");
    // Every kind of object the scenario holds is drawn.
    const std::string tipi = uno(e, "kinds");
    for (const char* tipo : {"station", "signal", "slowdown_start", "slowdown_end", "slowdown_warning", "speed_board",
                             "text_sign", "abbattimento", "station_stop", "tunnel_marker"})
        EXPECT_NE(tipi.find(tipo), std::string::npos) << tipo << " in " << tipi;

    // Tooltips carry inspect --json's field names and values.
    auto [da, a] = e.equal_range("station_tooltip");
    auto firenze =
        std::find_if(da, a, [](const auto& v) { return v.second.find("name:FIRENZE S.M.N.;") != std::string::npos; });
    ASSERT_NE(firenze, a) << "no tooltip for FIRENZE S.M.N.";
    EXPECT_NE(firenze->second.find("time:19:10:00"), std::string::npos) << firenze->second;
    EXPECT_NE(firenze->second.find("position_m:"), std::string::npos) << firenze->second;
    const std::string inizio = uno(e, "slowdown_start_tooltip");
    for (const char* campo : {"index:425;", "position_m:21250;", "author_position_m:21200;", "speed_kmh:60"})
        EXPECT_NE(inizio.find(campo), std::string::npos) << campo << " in " << inizio;
    EXPECT_NE(uno(e, "speed_board_tooltip").find("rank_a_left_kmh:"), std::string::npos);
    EXPECT_NE(uno(e, "text_sign_tooltip").find("text:"), std::string::npos);

    // The km box centres the view.
    for (auto [nome, metri] : {std::pair{"after_km_50", 50000.0}, std::pair{"after_km_21.2", 21200.0}}) {
        const auto r = intervallo(e, nome);
        EXPECT_NEAR((r.first + r.second) / 2, metri, ampiezza(r) * 0.02) << nome;
    }
    // Zoomed in on km 20-23 the warning, start and end cells stand apart in
    // both panels.
    const auto z = intervallo(e, "zoomed");
    EXPECT_LE(z.first, 20050);
    EXPECT_GE(z.second, 22350);
    EXPECT_LE(ampiezza(z), 3300);
    for (const char* pannello : {"pianta", "profilo"}) {
        std::vector<std::vector<double>> riquadri;
        for (const char* tipo : {"_slowdown_warning", "_slowdown_start", "_slowdown_end"}) {
            ASSERT_EQ(e.count(std::string(pannello) + tipo), 1u) << pannello << tipo;
            riquadri.push_back(numeri(uno(e, std::string(pannello) + tipo)));
        }
        for (size_t i = 0; i < 3; ++i)
            for (size_t j = i + 1; j < 3; ++j) {
                const auto &p = riquadri[i], &q = riquadri[j];
                const bool sovrapposti = p[0] < q[2] && q[0] < p[2] && p[1] < q[3] && q[1] < p[3];
                EXPECT_FALSE(sovrapposti) << pannello << " cells " << i << " and " << j;
            }
    }

    // Buttons, wheel, drags, pinch and key move the view as a user expects.
    const auto intera = intervallo(e, "whole");
    EXPECT_EQ(intera, (std::pair{0.0, 97000.0}));
    EXPECT_LT(ampiezza(intervallo(e, "plus")), ampiezza(intera) * 0.7);
    EXPECT_GT(ampiezza(intervallo(e, "minus")), ampiezza(intervallo(e, "plus")) * 1.5);
    const auto rotella = intervallo(e, "wheel_plan");
    EXPECT_LT(ampiezza(rotella), ampiezza(intera) * 0.7);
    const auto trascinato = intervallo(e, "drag_profile");
    EXPECT_GT(trascinato.first, rotella.first);
    EXPECT_NE(intervallo(e, "drag_plan"), trascinato);
    EXPECT_LT(ampiezza(intervallo(e, "pinch")), ampiezza(intera) * 0.7);
    EXPECT_EQ(intervallo(e, "key_home"), intera);
}

TEST_F(Vista, WithoutAPlanFileTheProfileAloneAnswers) {
    prova::CartellaTemporanea dir;
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    for (const std::string& nome : {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE})
        fs::copy_file(fs::path(corsa) / nome, dir.file(nome));
    const auto scritto = prova::esegui_programma({"view", dir.str()});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    EXPECT_NE(scritto.uscita.find("no plan file"), std::string::npos);
    const Esito e = esegui_pagina(dir, "Corvale_Mendra_4821-3.html", {"profilo"});
    EXPECT_EQ(uno(e, "errors"), "0");
    EXPECT_EQ(uno(e, "has_plan"), "no");
    EXPECT_EQ(uno(e, "profile_stations"), "16");
    const auto intera = intervallo(e, "whole");
    EXPECT_EQ(intera, (std::pair{0.0, 97000.0}));
    const auto rotella = intervallo(e, "wheel_profile");
    EXPECT_LT(ampiezza(rotella), ampiezza(intera) * 0.8);
    EXPECT_NEAR(ampiezza(intervallo(e, "plus")), ampiezza(rotella) / 2, 1);
    const auto km60 = intervallo(e, "after_km_60");
    EXPECT_NEAR((km60.first + km60.second) / 2, 60000, 1);
    EXPECT_EQ(uno(e, "overlaps"), "0");
}

// A name that looks like markup is text: the page's data cannot end its
// script early, and the tooltip shows the name as written.
TEST_F(Vista, NamesThatLookLikeMarkupStayText) {
    prova::CartellaTemporanea dir;
    const std::string nome = "</script><!--<b>S\xC3\xB9 & \"gi\xC3\xB9\"";
    const std::string linea = dir.scrivi("M_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const std::string treno = dir.scrivi(
        "M_T-.txt",
        "[generale]\r\n[stazioni]\r\nstazione,    1000,  8,  500,  0, 1, 0,  1,1,0,  4,1,1,    1,  10,20, 0, " + nome +
            "\r\n[fine]\r\n");
    ASSERT_EQ(prova::esegui_programma({"compile", linea, treno, "-o", dir.str(), "--no-plan"}).stato, 0);
    ASSERT_EQ(prova::esegui_programma({"view", dir.str()}).stato, 0);
    const Esito e = esegui_pagina(dir, "M_T.html", {"profilo"});
    EXPECT_EQ(uno(e, "errors"), "0");
    EXPECT_EQ(uno(e, "profile_stations"), "1");
    const Esito s = esegui_pagina(dir, "M_T.html", {"suggerimenti_profilo"});
    EXPECT_NE(uno(s, "station_tooltip").find("name:" + nome + ";"), std::string::npos) << uno(s, "station_tooltip");
}

// Zoomed in as far as each panel goes, the km marks read apart however wide
// the screen; a burst of wheel events draws nothing until its frame, which
// moves the last drawing to where the drawing after the pause puts each
// station, and that drawing comes once.
TEST_F(Vista, KmMarksReadApartOnWideScreensAndABurstRedrawsOnce) {
    prova::CartellaTemporanea dir;
    const auto scritto =
        prova::esegui_programma({"view", prova::corsa_normale_eseguita().directory, "-o", dir.file("vista.html")});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    for (int larghezza : {1400, 2560, 5120}) {
        const Esito e = esegui_pagina(dir, "vista.html", {"fotogrammi", "km_distinti"}, larghezza);
        EXPECT_EQ(uno(e, "errors"), "0") << larghezza;
        EXPECT_EQ(uno(e, "draws_during_events"), "0") << larghezza;
        EXPECT_EQ(uno(e, "draws_in_frame"), "0,moved") << larghezza;
        EXPECT_EQ(uno(e, "draws_after_pause"), "1") << larghezza;
        for (const char* pannello : {"profilo_moved_as_drawn", "pianta_moved_as_drawn"}) {
            const auto uguali = numeri(uno(e, pannello));  // stations where they are drawn, of those drawn
            ASSERT_EQ(uguali.size(), 2u) << pannello;
            EXPECT_GT(uguali[1], 0) << pannello;
            EXPECT_EQ(uguali[0], uguali[1]) << larghezza << " px, " << pannello;
        }
        const auto profilo = numeri(uno(e, "profile_km"));  // marks, repeated, from, to
        ASSERT_EQ(profilo.size(), 4u);
        EXPECT_GE(profilo[0], 3) << larghezza;
        EXPECT_EQ(profilo[1], 0) << larghezza << " px: repeated km marks in the profile";
        EXPECT_LE(profilo[3] - profilo[2], 101) << larghezza << " px: zoomed in as far as it goes";
        const auto pianta = numeri(uno(e, "plan_km"));
        ASSERT_EQ(pianta.size(), 2u);
        EXPECT_GE(pianta[0], 2) << larghezza;
        EXPECT_EQ(pianta[1], 0) << larghezza << " px: repeated km marks in the plan";
    }
}

// A line of three trains compiled in `dir`, the third with every other
// signal left out.
void linea_di_tre_treni(const prova::CartellaTemporanea& dir) {
    ASSERT_EQ(prova::esegui(PROGRAMMA, {"init", "--trains", "3"}, {}, dir.str()).stato, 0);
    std::string terzo = dir.leggi("Corvale_Mendra_4821-3_3-.txt"), ridotto;
    int segnali = 0;
    for (size_t da = 0; da < terzo.size();) {
        const size_t a_capo = terzo.find('\n', da);
        const size_t fine = a_capo == std::string::npos ? terzo.size() : a_capo + 1;
        const std::string riga = terzo.substr(da, fine - da);
        if (!riga.starts_with("segnale,") || ++segnali % 2 == 1) ridotto += riga;
        da = fine;
    }
    ASSERT_EQ(segnali, 45);
    dir.scrivi("Corvale_Mendra_4821-3_3-.txt", ridotto);
    const auto compilato = prova::esegui(PROGRAMMA, {"compile", "--all", "."}, {}, dir.str());
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;
}

// A whole line of three trains, the third with every other signal left out:
// the selector and a click on a train's line in the graph change the train
// whose objects are drawn; the graph has one line per train, and pointing at
// one shows that train's stops and times.
TEST_F(Vista, AWholeLineShowsEachTrainAndItsGraph) {
    prova::CartellaTemporanea dir;
    ASSERT_NO_FATAL_FAILURE(linea_di_tre_treni(dir));
    const auto scritto = prova::esegui_programma({"view", dir.str()});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    EXPECT_EQ(scritto.uscita, "wrote " + dir.file("Corvale_Mendra.html") + "\n");
    autosufficiente(dir.leggi("Corvale_Mendra.html"));

    const Esito e = esegui_pagina(dir, "Corvale_Mendra.html", {"treni"});
    EXPECT_EQ(uno(e, "errors"), "0");
    EXPECT_EQ(uno(e, "options"), "train 4821-3,train 4821-3_2,train 4821-3_3");
    EXPECT_EQ(uno(e, "graph_lines"), "4821-3:1,4821-3_2:1,4821-3_3:1");
    // Signals in the plan and the profile, FIRENZE's time, the line marked.
    auto [mostrati, fine_mostrati] = e.equal_range("shown");
    ASSERT_EQ(std::distance(mostrati, fine_mostrati), 2);
    EXPECT_EQ(mostrati->second, "45,45,19:10:00,4821-3");
    EXPECT_EQ(std::next(mostrati)->second, "23,23,19:40:00,4821-3_3");
    auto [bersagli, fine_bersagli] = e.equal_range("graph_target");
    std::string colpiti;
    for (; bersagli != fine_bersagli; ++bersagli) colpiti += bersagli->second + ",";
    EXPECT_EQ(colpiti, "4821-3,4821-3_2,4821-3_3,");
    auto [suggeriti, fine_suggeriti] = e.equal_range("graph_tooltip");
    ASSERT_EQ(std::distance(suggeriti, fine_suggeriti), 3);
    for (const auto& [treno, partenza, arrivo] :
         {std::tuple{"4821-3", "19:10", "20:07"}, std::tuple{"4821-3_2", "19:25", "20:22"},
          std::tuple{"4821-3_3", "19:40", "20:37"}}) {
        const std::string& righe = suggeriti++->second;
        EXPECT_TRUE(righe.starts_with("train " + std::string(treno) + ";" + partenza + ":00|FIRENZE S.M.N.;")) << righe;
        EXPECT_NE(righe.find(";--:--:--|PRATO;"), std::string::npos) << righe;
        EXPECT_TRUE(righe.ends_with(";" + std::string(arrivo) + ":00|BOLOGNA C.LE")) << righe;
    }
    EXPECT_EQ(uno(e, "after_click"), "1,45,45,19:25:00,4821-3_2");
}

// The page of a whole line holds what its trains hold alike once (here a
// text sign's text, from the line: as often as one train's page holds it),
// yet with each train selected it shows the objects that train's own page
// shows.
TEST_F(Vista, AWholeLineHoldsTheLinesObjectsOnceAndShowsEachTrainsOwn) {
    prova::CartellaTemporanea dir;
    ASSERT_NO_FATAL_FAILURE(linea_di_tre_treni(dir));
    const std::vector<std::string> treni = {"4821-3", "4821-3_2", "4821-3_3"};
    ASSERT_EQ(prova::esegui_programma({"view", dir.str(), "-o", dir.file("linea.html")}).stato, 0);
    for (const std::string& treno : treni) {
        ASSERT_EQ(
            prova::esegui_programma({"view", dir.str(), "--train-key", treno, "-o", dir.file(treno + ".html")}).stato,
            0);
    }
    auto volte = [&dir](const std::string& pagina) {
        const std::string html = dir.leggi(pagina), testo = "(MONTE ADONE)";
        size_t n = 0;
        for (size_t p = html.find(testo); p != std::string::npos; p = html.find(testo, p + 1)) ++n;
        return n;
    };
    EXPECT_GT(volte(treni[0] + ".html"), 0u);
    EXPECT_EQ(volte("linea.html"), volte(treni[0] + ".html"));

    const Esito linea = esegui_pagina(dir, "linea.html", {"ogni_treno"});
    EXPECT_EQ(uno(linea, "errors"), "0");
    auto [mostrati, fine_mostrati] = linea.equal_range("objects");
    ASSERT_EQ(std::distance(mostrati, fine_mostrati), 3);
    EXPECT_NE(mostrati->second, std::next(mostrati, 2)->second) << "the third train has fewer signals";
    for (const std::string& treno : treni) {
        EXPECT_EQ(mostrati++->second, uno(esegui_pagina(dir, treno + ".html", {"ogni_treno"}), "objects")) << treno;
    }
}

// Two trains of a line without a plan, the fast one overtaking the slow one
// between ALFA and BETA: in the browser, the graph's lines end at their
// stations' distances and times, and its ring stands at the overtaking and
// says so when pointed at.
TEST_F(Vista, AWholeLinesGraphNamesACrossingWhenPointedAt) {
    prova::CartellaTemporanea dir;
    dir.scrivi("L_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const auto treno = [](const std::string& orologio, const std::string& partenza, const std::string& arrivo) {
        return "[generale]\r\norologio, " + orologio +
               "\r\n[stazioni]\r\n"
               "stazione, 0, 8, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, " +
               partenza +
               ", ALFA\r\n"
               "stazione, 5000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0, BETA\r\n"
               "stazione, 9000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, " +
               arrivo + ", GAMMA\r\n[fine]\r\n";
    };
    dir.scrivi("L_LENTO-.txt", treno("7 50 0", "8, 0, 0", "9, 0, 0"));
    dir.scrivi("L_VELOCE-.txt", treno("8 0 0", "8, 10, 0", "8, 30, 0"));
    ASSERT_EQ(prova::esegui_programma({"compile", "--all", dir.str(), "-o", dir.str(), "--no-plan"}).stato, 0);
    ASSERT_EQ(prova::esegui_programma({"view", dir.str()}).stato, 0);
    const Esito e = esegui_pagina(dir, "L.html", {"grafico", "grafico_zoom"});
    EXPECT_EQ(uno(e, "errors"), "0");
    // Hours after 08:00 and metres at each end, as the browser lays them out:
    // from the start clock at ALFA to the last time at GAMMA; the same on the
    // scale a wheel zoom about the ring leaves, after a drag, and once the
    // "whole line" button has shown the whole graph again.
    for (const std::string prima : {"", "zoomed_", "panned_", "whole_"}) {
        for (const auto& [nome, atteso] : {std::pair{"ends_LENTO", std::vector<double>{-10.0 / 60, 0, 1, 9000}},
                                           std::pair{"ends_VELOCE", std::vector<double>{0, 0, 0.5, 9000}},
                                           std::pair{"ring_at", std::vector<double>{0.25, 2250}}}) {
            const std::vector<double> letti = numeri(uno(e, prima + nome));
            ASSERT_EQ(letti.size(), atteso.size()) << prima << nome;
            for (size_t k = 0; k < atteso.size(); ++k)
                EXPECT_NEAR(letti[k], atteso[k], k % 2 ? 5.0 : 0.002) << prima << nome << " " << k;
        }
        EXPECT_EQ(uno(e, prima + "ring_tooltip"),
                  "overtaking: trains LENTO and VELOCE cross at 08:15:00, km 2.25, between ALFA and BETA");
    }
    // Both axes zoomed by the wheel's factor, e^0.6, about the ring under
    // the pointer; the names still on their stations' lines.
    const std::vector<double> scala = numeri(uno(e, "zoomed_scale"));
    ASSERT_EQ(scala.size(), 2u);
    EXPECT_NEAR(scala[0], std::exp(0.6), 0.01);
    EXPECT_NEAR(scala[1], std::exp(0.6), 0.01);
    EXPECT_LT(numeri(uno(e, "zoomed_ring_moved_px"))[0], 1.0);
    EXPECT_EQ(uno(e, "zoomed_names_off_their_line"), "0");
    // Kilometre marks down the side between the stations, each at its metre.
    const std::vector<double> km = numeri(uno(e, "zoomed_km_marks"));
    ASSERT_EQ(km.size(), 2u);
    EXPECT_GE(km[0], 2);
    EXPECT_LT(km[1], 5.0);
    // The drag 100 px left and 50 px up took the drawing with it.
    const std::vector<double> tratto = numeri(uno(e, "panned_ring_moved_px"));
    ASSERT_EQ(tratto.size(), 2u);
    EXPECT_NEAR(tratto[0], -100, 1);
    EXPECT_NEAR(tratto[1], -50, 1);
    EXPECT_EQ(uno(e, "whole_scale"), "1.000,1.000");
}

// A zoom that leaves both panels covered moves them and draws neither; one
// that strays too far in both draws the plan in its frame and the profile in
// the next, so that no frame draws both.
TEST_F(Vista, AFrameDrawsOnePanelAtMost) {
    prova::CartellaTemporanea dir;
    const auto scritto =
        prova::esegui_programma({"view", prova::corsa_normale_eseguita().directory, "-o", dir.file("vista.html")});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    const Esito e = esegui_pagina(dir, "vista.html", {"un_pannello_a_fotogramma"});
    EXPECT_EQ(uno(e, "errors"), "0");
    // plan drawn, profile drawn, panels left moved
    EXPECT_EQ(uno(e, "zoom_3x_drawn_moved"), "0,0,2");
    EXPECT_EQ(uno(e, "zoom_far_drawn_moved"), "1,0,1");
    EXPECT_EQ(uno(e, "next_frame_drawn_moved"), "0,1,0");
}

// The generated 1,000,000 m line: labels never overprint, at the whole-line
// view and three zoom levels, and the page is drawn.
TEST_F(Vista, LongestLineLabelsNeverOverlapAndThePageIsDrawn) {
    prova::CartellaTemporanea dir;
    const std::string linea = dir.scrivi("Lunga_linea.txt", banco::linea_generata(banco::LUNGHEZZA_MASSIMA));
    const std::string treno = dir.scrivi("Lunga_R1-.txt", banco::treno_generato(banco::LUNGHEZZA_MASSIMA));
    ASSERT_EQ(prova::esegui_programma({"compile", linea, treno, "-o", dir.str()}).stato, 0);
    const auto scritto = prova::esegui_programma({"view", dir.str()});
    ASSERT_EQ(scritto.stato, 0) << scritto.errori;
    ASSERT_TRUE(dir.esiste("Lunga_R1.html"));
    EXPECT_LT(fs::file_size(dir.file("Lunga_R1.html")), 3u << 20);

    const Esito e = esegui_pagina(dir, "Lunga_R1.html", {"oggetti", "etichette"});
    EXPECT_EQ(uno(e, "errors"), "0");
    double precedente = 2e6;
    for (const char* livello : {"level0", "level1", "level2", "level3"}) {
        const auto n = numeri(uno(e, livello));  // overlaps, labels, from, to
        ASSERT_EQ(n.size(), 4u);
        EXPECT_EQ(n[0], 0) << livello << ": overlapping labels";
        EXPECT_GT(n[1], 3) << livello << ": labels shown";
        EXPECT_LT(n[3] - n[2], precedente) << livello << ": each level closer";
        precedente = n[3] - n[2];
    }

    // A screenshot holds a drawing: far more than an empty page's PNG.
    const std::string vuota = dir.scrivi("vuota.html", "<html><body></body></html>");
    ASSERT_EQ(prova::fotografia(dir.file("Lunga_R1.html"), dir.file("vista.png"), 1200, 800).stato, 0);
    ASSERT_EQ(prova::fotografia(vuota, dir.file("vuota.png"), 1200, 800).stato, 0);
    EXPECT_GT(fs::file_size(dir.file("vista.png")), 10 * fs::file_size(dir.file("vuota.png")));
}

}  // namespace
}  // namespace compattatore
