#include "inspect/forme_rapporto.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/json_prova.h"
#include "support/processo.h"

namespace compattatore {
namespace {

ScenarioCompilato scenario_normale() {
    return decodifica_scenario({"o.sim", prova::dato_normale(prova::FILE_OGGETTI_NORMALE)},
                               {"c.dat", prova::dato_normale(prova::FILE_CELLE_NORMALE)}, std::nullopt);
}

const ChiaviScenario CHIAVI_NORMALI{"Corvale_Mendra", "4821-3"};

const CellaDescritta* cella(const Rapporto& r, int indice) {
    auto it = std::find_if(r.celle.begin(), r.celle.end(), [&](const CellaDescritta& c) { return c.indice == indice; });
    return it == r.celle.end() ? nullptr : &*it;
}

int64_t campo(const CellaDescritta& c, const std::string& nome) {
    for (const Campo& f : c.campi) {
        if (f.nome == nome) return std::get<int64_t>(f.valore);
    }
    ADD_FAILURE() << "no field " << nome << " in cell " << c.indice;
    return -1;
}

TEST(Rapporto, NormalRunStationsSignsSlowdownAndCodeCells) {
    const Rapporto r = costruisci_rapporto(scenario_normale(), CHIAVI_NORMALI, {});
    ASSERT_EQ(r.stazioni.size(), 16u);
    EXPECT_EQ(r.stazioni.front().nome, "FIRENZE S.M.N.");
    EXPECT_EQ(ora_del_giorno(r.stazioni.front().record.orario), "19:10:00");
    EXPECT_EQ(r.stazioni.back().nome, "BOLOGNA C.LE");
    ASSERT_EQ(r.cartelli.size(), 3u);
    EXPECT_EQ(r.cartelli[0].record, 80);
    EXPECT_EQ(r.cartelli[0].cella, 745);
    EXPECT_EQ(r.cartelli[0].testo, "(GALLERIA )(APPENNINO)(Km 18+510)");

    for (auto [indice, tipo] : {std::pair{401, "slowdown_warning"}, {425, "slowdown_start"}, {447, "slowdown_end"}}) {
        const CellaDescritta* c = cella(r, indice);
        ASSERT_NE(c, nullptr) << indice;
        EXPECT_EQ(c->tipo, tipo);
        EXPECT_EQ(campo(*c, "speed_kmh"), 60);
    }
    for (int indice : {407, 414, 420, 433, 441}) {
        const CellaDescritta* c = cella(r, indice);
        ASSERT_NE(c, nullptr) << indice;
        EXPECT_EQ(c->tipo, "abbattimento");
        EXPECT_EQ(campo(*c, "value"), 180);
    }
    EXPECT_EQ(r.intestazione.codice_gara_st.registrato, 32113);
    EXPECT_EQ(r.intestazione.codice_gara_og.registrato, 2266);
    EXPECT_TRUE(r.intestazione.codice_gara_st.corrisponde());
    EXPECT_TRUE(r.intestazione.codice_gara_og.corrisponde());
}

TEST(Rapporto, OtherKeysDoNotMatchTheStampedCodes) {
    const Rapporto r = costruisci_rapporto(scenario_normale(), {"Altra_Linea", "1"}, {});
    EXPECT_FALSE(r.intestazione.codice_gara_st.corrisponde());
    EXPECT_FALSE(r.intestazione.codice_gara_og.corrisponde());
}

TEST(Rapporto, RangeKeepsTheCellsAndProfileBetweenItsEnds) {
    const Rapporto r = costruisci_rapporto(scenario_normale(), CHIAVI_NORMALI, {20000, 22400});
    ASSERT_FALSE(r.celle.empty());
    EXPECT_EQ(r.celle.front().indice, 401);
    EXPECT_EQ(r.celle.back().indice, 447);
    ASSERT_FALSE(r.profilo.velocita.empty());
    EXPECT_EQ(r.profilo.velocita.front().da, 20000);
    EXPECT_EQ(r.profilo.velocita.back().a, 22450);
}

TEST(Rapporto, SpeedBoardRanksUnpackIntoLeftAndRightSpeeds) {
    ScenarioCompilato s = scenario_normale();
    // 140 km/h left and 140 right; 60 left and none right; stripes 2 and 1.
    s.celle[900] = Cella{CELLA_INDICATORE_VMAX, 2828, 1200, 0, 21};
    const Rapporto r = costruisci_rapporto(s, CHIAVI_NORMALI, {45000, 45000});
    ASSERT_EQ(r.celle.size(), 1u);
    const CellaDescritta& c = r.celle[0];
    EXPECT_EQ(campo(c, "rank_a_left_kmh"), 140);
    EXPECT_EQ(campo(c, "rank_a_right_kmh"), 140);
    EXPECT_EQ(campo(c, "rank_b_left_kmh"), 60);
    EXPECT_EQ(campo(c, "rank_b_right_kmh"), 0);
    EXPECT_EQ(campo(c, "stripes_left"), 2);
    EXPECT_EQ(campo(c, "stripes_right"), 1);
}

std::string testo_campo(const CellaDescritta& c, const std::string& nome) {
    for (const Campo& f : c.campi) {
        if (f.nome == nome) return std::get<std::string>(f.valore);
    }
    ADD_FAILURE() << "no field " << nome << " in cell " << c.indice;
    return {};
}

// A code mark names the signal or station stop it was laid for, found where
// the mark points; one whose object is gone says so rather than guessing.
TEST(Rapporto, CodeMarksAndStampsNamedByWhatTheyStandFor) {
    ScenarioCompilato s = scenario_normale();
    s.celle[46] = Cella{};  // the signal at 2300 m, whose marks lie at 2100 m and before
    const Rapporto r = costruisci_rapporto(s, CHIAVI_NORMALI, {});
    const struct {
        int indice;
        const char* per;
    } casi[] = {
        {8, "mark 1 of the station stop at 450 m"},          {5, "mark 4 of the station stop at 450 m"},
        {20, "mark 1 of the signal at 1100 m (heads 2/0)"},  {14, "mark 4 of the signal at 1100 m (heads 2/0)"},
        {110, "mark 4 of the signal at 5900 m (heads 1/0)"}, {44, "no signal or station stop where its mark 1 points"},
    };
    for (const auto& caso : casi) {
        const CellaDescritta* c = cella(r, caso.indice);
        ASSERT_NE(c, nullptr) << caso.indice;
        EXPECT_EQ(testo_campo(*c, "code_for"), caso.per) << caso.indice;
    }
    const CellaDescritta* timbri = cella(r, 1);
    ASSERT_NE(timbri, nullptr);
    EXPECT_EQ(campo(*timbri, "stamp"), 5121);
    EXPECT_EQ(campo(*timbri, "codice_gara_og"), 2266);
}

// The cells past the line's end that no profile record reached read as
// -100 per mille and 0 km/h; they are shown as holding no profile.
TEST(Rapporto, CellsNoProfileReachedAreShownAsSuch) {
    const Rapporto r = costruisci_rapporto(scenario_normale(), CHIAVI_NORMALI, {100000, std::nullopt});
    for (const auto* tratti : {&r.profilo.pendenza, &r.profilo.velocita, &r.profilo.aderenza}) {
        ASSERT_EQ(tratti->size(), 2u);
        EXPECT_FALSE(tratti->front().senza_profilo);
        EXPECT_TRUE(tratti->back().senza_profilo);
        EXPECT_EQ(tratti->back().da, 103900);
    }
    EXPECT_FALSE(r.profilo.montagne.back().senza_profilo);
    EXPECT_NE(rapporto_testo(r).find("      103900 m to   104050 m  no profile\n"), std::string::npos);
    const prova::ValoreJson j = prova::leggi_json(rapporto_json(r));
    EXPECT_TRUE(j["profile"]["gradient_per_mille"].lista().back()["value"].nullo());
    EXPECT_EQ(j["profile"]["gradient_per_mille"].lista().front()["value"].numero(), 0.0);
}

// The JSON document read back by an independent parser, which prints the
// values the test then compares.
std::string letto_da_python(const std::string& json, const std::string& espressione) {
    prova::CartellaTemporanea cartella;
    const std::string file = cartella.scrivi("rapporto.json", json);
    const auto esito = prova::esegui(
        "python3",
        {"-c", "import json,sys\nd=json.load(open(sys.argv[1],encoding='utf-8'))\nprint(" + espressione + ")", file});
    EXPECT_EQ(esito.stato, 0) << esito.errori << json.substr(0, 200);
    return esito.uscita;
}

// The progressives as the ordering left them, the leading one first: the
// record read from the "uno" line may hold the third.
TEST(Rapporto, ProgressivesByTheirRankAfterOrdering) {
    ScenarioCompilato s = scenario_normale();
    for (int k = 0; k < 3; ++k) {
        s.oggetti[static_cast<size_t>(OGGETTO_PROGRESSIVA_TRE + k)].inizio = 3000 - 1000 * k;
        s.oggetti[static_cast<size_t>(OGGETTO_PROGRESSIVA_TRE + k)].posizione = k + 7;
    }
    const std::string testo = rapporto_testo(costruisci_rapporto(s, CHIAVI_NORMALI, {}));
    for (const char* riga : {"  progressive 1        inizio 3000, fine 0, posizione 7 (record 81)\n",
                             "  progressive 2        inizio 2000, fine 0, posizione 8 (record 82)\n",
                             "  progressive 3        inizio 1000, fine 0, posizione 9 (record 83)\n"})
        EXPECT_NE(testo.find(riga), std::string::npos) << riga << testo.substr(0, 800);
    const prova::ValoreJson j = prova::leggi_json(rapporto_json(costruisci_rapporto(s, CHIAVI_NORMALI, {})));
    const auto& progressive = j["header"]["progressives"].lista();
    ASSERT_EQ(progressive.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(progressive[k]["rank"].numero(), static_cast<double>(k + 1));
        EXPECT_EQ(progressive[k]["record"].numero(), static_cast<double>(81 + k));
        EXPECT_EQ(progressive[k]["inizio"].numero(), 3000.0 - 1000.0 * static_cast<double>(k));
    }
}

TEST(RapportoJson, ParsesAndHoldsTheSameContent) {
    const std::string json = rapporto_json(costruisci_rapporto(scenario_normale(), CHIAVI_NORMALI, {}));
    EXPECT_EQ(letto_da_python(json, "len(d['stations']), d['stations'][0]['name'], d['stations'][0]['time']"),
              "16 FIRENZE S.M.N. 19:10:00\n");
    EXPECT_EQ(letto_da_python(json, "[s['cell'] for s in d['text_signs']]"), "[745, 1406, 1452]\n");
    EXPECT_EQ(letto_da_python(json,
                              "[(c['index'], c['kind'], c['fields']['speed_kmh']) for c in d['cells'] "
                              "if c['kind'].startswith('slowdown')]"),
              "[(401, 'slowdown_warning', 60), (425, 'slowdown_start', 60), (447, 'slowdown_end', 60)]\n");
    EXPECT_EQ(letto_da_python(json,
                              "[c['index'] for c in d['cells'] if c['kind'] == 'abbattimento' and "
                              "c['fields']['value'] == 180]"),
              "[407, 414, 420, 433, 441]\n");
    EXPECT_EQ(letto_da_python(json, "d['header']['codice_gara_st'], d['header']['codice_gara_og']['match']"),
              "{'stored': 32113, 'expected': 32113, 'match': True} True\n");
}

TEST(RapportoJson, NamesInWindows1252BecomeEscapedUtf8) {
    ScenarioCompilato s = scenario_normale();
    // "CITTÀ "vecchia"\ €" with a tab, in Windows-1252.
    s.oggetti[1].nome = "CITT\xC0 \"vecchia\"\\ \x80\t";
    const std::string json = rapporto_json(costruisci_rapporto(s, CHIAVI_NORMALI, {}));
    EXPECT_EQ(letto_da_python(json, "ascii(d['stations'][0]['name'])"), "'CITT\\xc0 \"vecchia\"\\\\ \\u20ac\\t'\n");
}

// Accented names take two bytes a letter in UTF-8 but one column on a terminal.
TEST(Rapporto, StationColumnsLineUpByCharactersNotBytes) {
    ScenarioCompilato scenario = scenario_normale();
    scenario.oggetti[1].nome = "FORL\xCC";             // FORLÌ, kind 8
    scenario.oggetti[2].nome = "CIT\xC0 DELLA PIEVE";  // CITÀ DELLA PIEVE, kind 12
    const std::string testo = rapporto_testo(costruisci_rapporto(scenario, CHIAVI_NORMALI, {}));
    // The characters of the row that names the station, one string each.
    auto riga = [&](const std::string& nome) {
        const size_t inizio = testo.rfind('\n', testo.find(nome)) + 1;
        std::vector<std::string> caratteri;
        for (size_t i = inizio; i < testo.size() && testo[i] != '\n'; ++i) {
            if ((static_cast<unsigned char>(testo[i]) & 0xC0) == 0x80)
                caratteri.back() += testo[i];
            else
                caratteri.emplace_back(1, testo[i]);
        }
        return caratteri;
    };
    // The kind column is the same characters of every row.
    auto colonna_tipo = [&](const std::string& nome) {
        const std::vector<std::string> r = riga(nome);
        std::string colonna;
        for (size_t i = 20; i < 60 && i < r.size(); ++i) colonna += r[i];
        return colonna;
    };
    const std::string castello = colonna_tipo("FIRENZE CASTELLO");
    EXPECT_EQ(castello.find("  12      5200"), 11u) << castello;
    EXPECT_EQ(colonna_tipo("CIT\xC3\x80 DELLA PIEVE").find("  12      2750"), 11u)
        << colonna_tipo("CIT\xC3\x80 DELLA PIEVE");
    EXPECT_EQ(colonna_tipo("FORL\xC3\x8C").find("   8         0"), 11u) << colonna_tipo("FORL\xC3\x8C");
}

}  // namespace
}  // namespace compattatore
