// The compile step on description files a test writes and edits: the paths
// that end without binary files.
#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cli/segnalazione.h"
#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"
#include "support/diagnostiche_prova.h"
#include "support/interfaccia_registrata.h"

namespace compattatore {
namespace {

constexpr const char* LINEA = "Corvale_Mendra";
constexpr const char* TRENO = "4821-3";
const std::string FILE_LINEA = nome_descrizione_linea(LINEA);
const std::string FILE_TRENO = nome_descrizione_treno(LINEA, TRENO);
const std::string BINARI[] = {nome_file_tracciato(LINEA), nome_file_oggetti(LINEA, TRENO),
                              nome_file_celle(LINEA, TRENO)};

OpzioniCompilazione chiavi(int32_t crea_tracciato) {
    return {.chiave_linea = LINEA, .chiave_treno = TRENO, .crea_tracciato = crea_tracciato, .lettura = {}};
}

// A speed board at 0 m lands in cell 1, whose dato1 and dato2 are reserved.
void cartello_a_zero(const prova::CartellaTemporanea& dir, const std::string& velocita) {
    std::string testo = dir.leggi(FILE_LINEA);
    const std::string sezione = "[cartelli]\r\n";
    testo.insert(testo.find(sezione) + sezione.size(), "indicatori_vmax,  0,  " + velocita + ",  0,  ,  ,  ,  0\r\n");
    dir.scrivi(FILE_LINEA, testo);
}

struct CasoSenzaBinari {
    const char* nome;
    std::function<void(const prova::CartellaTemporanea&)> prepara;
    bool forza;
    int32_t codice_lettura;
    int32_t codice_riservato;
    std::string ultimo_messaggio;
};

TEST(MemorizzaPercorsoSuFile, PathsThatWriteNoBinaryFile) {
    const CasoSenzaBinari casi[] = {
        {"board at 0 m sets dato1 of cell 1", [](auto& d) { cartello_a_zero(d, "105,  115,  120"); }, false, 0, 1250,
         " Errore n. 1250"},
        {"board at 0 m sets only dato2 of cell 1", [](auto& d) { cartello_a_zero(d, "0,  115,  120"); }, true, 0, 1251,
         " Errore n. 1251"},
        {"train file missing", [](auto& d) { std::filesystem::remove(d.file(FILE_TRENO)); }, false, 25, 0, ""},
        {"line file missing, even forced", [](auto& d) { std::filesystem::remove(d.file(FILE_LINEA)); }, true, 101, 0,
         ""},
    };
    for (const CasoSenzaBinari& c : casi) {
        SCOPED_TRACE(c.nome);
        prova::CartellaTemporanea dir;
        dati_linea(dir.str(), LINEA);
        dati_treno(dir.str(), LINEA, TRENO);
        c.prepara(dir);
        dir.scrivi(BINARI[1], "an earlier object file");

        OpzioniScrittura opzioni;
        opzioni.directory = dir.str();
        opzioni.forza = c.forza;
        const PercorsoMemorizzato esito =
            memorizza_percorso(chiavi(1), {dir.file(FILE_LINEA), dir.file(FILE_TRENO)}, opzioni);

        EXPECT_EQ(prova::codice_lettura(esito.compilazione.diagnostiche), c.codice_lettura);
        EXPECT_EQ(codice_riservato(esito.compilazione.diagnostiche).value_or(0), c.codice_riservato);
        EXPECT_TRUE(esito.file_scritti.empty());
        EXPECT_FALSE(dir.esiste(BINARI[0]));
        EXPECT_EQ(dir.leggi(BINARI[1]), "an earlier object file");
        EXPECT_FALSE(dir.esiste(BINARI[2]));

        prova::InterfacciaRegistrata ui;
        EXPECT_NE(segnala_esito(ui, esito.compilazione.diagnostiche), 0);
        ASSERT_FALSE(ui.messaggi.empty());
        if (!c.ultimo_messaggio.empty()) {
            EXPECT_EQ(ui.messaggi.back(), c.ultimo_messaggio);
        }
        if (c.codice_lettura != 0) {
            EXPECT_EQ(ui.messaggi.front().rfind(" Errore n. " + std::to_string(c.codice_lettura) + ": ", 0), 0u)
                << ui.messaggi.front();
        }
    }
}

TEST(MemorizzaPercorsoSuFile, ForcedAfterAReadingErrorWritesWhatWasRead) {
    prova::CartellaTemporanea dir;
    dati_linea(dir.str(), LINEA);
    std::filesystem::remove(dir.file(FILE_TRENO));

    OpzioniScrittura opzioni;
    opzioni.directory = dir.str();
    opzioni.forza = true;
    const PercorsoMemorizzato esito =
        memorizza_percorso(chiavi(0), {dir.file(FILE_LINEA), dir.file(FILE_TRENO)}, opzioni);

    EXPECT_EQ(prova::codice_lettura(esito.compilazione.diagnostiche), 25);
    EXPECT_EQ(esito.file_scritti.size(), 2u);  // no plan with the flag at 0
    EXPECT_FALSE(dir.esiste(BINARI[0]));
    EXPECT_EQ(dir.leggi(BINARI[2]).size(), 31215u);
    EXPECT_FALSE(dir.esiste(FILE_LINEA));  // the normal run's description files go once read
}

}  // namespace
}  // namespace compattatore
