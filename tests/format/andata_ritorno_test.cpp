// Decoding a compiled file and encoding it again gives back every byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "compiler/compila.h"
#include "compiler/memorizza_percorso.h"
#include "format/decodifica.h"
#include "format/file_binari.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/diagnostiche_prova.h"
#include "support/giro_completo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;

// Each of the three files back through the decoder and the encoder.
void andata_e_ritorno(const std::string& directory, const std::string& linea, const std::string& treno, int64_t righe) {
    const fs::path d(directory);
    const std::string oggetti = prova::leggi_tutto(d / nome_file_oggetti(linea, treno));
    const std::string celle = prova::leggi_tutto(d / nome_file_celle(linea, treno));
    const std::string tracciato = prova::leggi_tutto(d / nome_file_tracciato(linea));
    EXPECT_EQ(codifica_oggetti(decodifica_oggetti(oggetti, "o.sim")), oggetti);
    EXPECT_EQ(codifica_celle(decodifica_celle(celle, "c.dat")), celle);
    EXPECT_EQ(codifica_tracciato(decodifica_tracciato(tracciato, "t.dat", righe)), tracciato);
}

TEST(AndataRitorno, TheThreeFilesOfARealNormalRun) {
    const prova::CorsaNormale& corsa = prova::corsa_normale_eseguita();
    ASSERT_EQ(corsa.esito.stato, 0) << corsa.esito.errori;
    andata_e_ritorno(corsa.directory, "Corvale_Mendra", "4821-3", prova::RIGHE_TRACCIATO_NORMALE);
}

// A short line with something of every kind the files hold: curves both
// ways, gradients, a tunnel with its marks, a speed board, a text sign with
// a Windows-1252 letter, two stations, signals, a slowdown (whose code cells
// the finishing pass adds) and an abbattimento.
constexpr const char* LINEA_BREVE =
    "[generale]\r\n"
    "lunghezza percorso, 10000\r\n"
    "progressiva chilometrica uno, 0, 0, 0\r\n"
    "ripetizione segnali 4 codici, 1000, 9000\r\n"
    "sfondo due, 1\r\n"
    "[curve]\r\n"
    "curvad1, 1000, 400\r\n"
    "curvas3, 3000, 500\r\n"
    "[pendenze]\r\n"
    "pendenza, 0, 2\r\n"
    "pendenza, 4000, -5\r\n"
    "[montagne]\r\n"
    "montagna, 6500, 7500, 12\r\n"
    "[cartelli]\r\n"
    "indicatori_vmax, 2000, 100, 110, 120, 1, , , , 0\r\n"
    "[indicazioni]\r\n"
    "cartello_indicatore, 6000, (GALLERIA)(S. FEDELE \xC8 VICINA)\r\n"
    "[fine]\r\n";

constexpr const char* TRENO_BREVE =
    "[generale]\r\n"
    "numero vetture, 6\r\n"
    "percentuale massa frenata, 120\r\n"
    "sabbia, 100\r\n"
    "orologio, 8 30 0\r\n"
    "[aderenze]\r\n"
    "aderenza, 0, 100\r\n"
    "[vel_limite]\r\n"
    "velocita, 0, 100\r\n"
    "velocita, 4000, 140\r\n"
    "[stazioni]\r\n"
    "stazione, 0, 8, 500, 0, 1, 0, 1,1,0, 4,1,1, 1, 8,30, 0, PARTENZA\r\n"
    "stazione, 8500, 12, 400, 0, 0, 1, 1,1,0, 4,1,1, 0, 8,37, 30, ARRIVO\r\n"
    "[rallentamenti]\r\n"
    "rallentamento, 5000, 60, 600, 1, 0, 0\r\n"
    "[segnali]\r\n"
    "segnale, 3000, 2, 4, 1, 0, 0, 0, 0,0,0, 0\r\n"
    "segnale, 7000, 1, 4, 0, 0, 0, 1, 1,0,0, 0\r\n"
    "abbattimento, 9000, 150\r\n"
    "[fine]\r\n";

TEST(AndataRitorno, TheThreeFilesOfACompiledShortLine) {
    prova::CartellaTemporanea dir;
    const Compilazione esito =
        compila({nome_descrizione_linea("Breve"), nome_descrizione_treno("Breve", "T1"), LINEA_BREVE, TRENO_BREVE},
                {.chiave_linea = "Breve", .chiave_treno = "T1", .crea_tracciato = 1, .lettura = {}});
    ASSERT_EQ(prova::codice_lettura(esito.diagnostiche), 0);
    ASSERT_TRUE(prova::codici_finitura(esito.diagnostiche).empty());
    const Modello& m = esito.modello;
    scrivi_file_binari(m, dir.str());

    // What the files must hold for the round trip to cover every kind.
    const ScenarioCompilato s = decodifica_scenario({"o", dir.leggi(nome_file_oggetti("Breve", "T1"))},
                                                    {"c", dir.leggi(nome_file_celle("Breve", "T1"))},
                                                    ImmagineFile{"t", dir.leggi(nome_file_tracciato("Breve"))});
    EXPECT_EQ(s.oggetti[1].nome, "PARTENZA");
    EXPECT_EQ(s.oggetti[2].nome, "ARRIVO");
    EXPECT_EQ(s.oggetti[PRIMO_CARTELLO].nome, "(GALLERIA)(S. FEDELE \xC8 VICINA)");
    std::set<uint8_t> tipi;
    for (const Cella& c : s.celle) tipi.insert(c.tipo);
    for (uint8_t tipo :
         {CELLA_SEGNALE, CELLA_AVVISO_RALLENTAMENTO, CELLA_INIZIO_RALLENTAMENTO, CELLA_FINE_RALLENTAMENTO,
          CELLA_INDICATORE_VMAX, CELLA_FERMATA, CELLA_GALLERIA, CELLA_ABBATTIMENTO, CELLA_CARTELLO}) {
        EXPECT_TRUE(tipi.contains(tipo)) << int{tipo};
    }
    EXPECT_TRUE(std::holds_alternative<double>(s.tracciato[2000].x)) << "the line bends before 2000 m";
    EXPECT_NE(std::get<double>(s.tracciato[2000].x), 0.0);

    andata_e_ritorno(dir.str(), "Breve", "T1", 10000 + 7001);
    // And back to description files that compile to the same bytes.
    EXPECT_TRUE(prova::giro_esatto_se_pulito(LINEA_BREVE, TRENO_BREVE, true));
    EXPECT_TRUE(prova::giro_esatto_se_pulito(LINEA_BREVE, TRENO_BREVE, false));
}

}  // namespace
}  // namespace compattatore
