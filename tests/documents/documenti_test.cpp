// The five text files of a run, compared whole against kept copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "documents/documenti.h"
#include "impostazioni.h"
#include "support/cartella_temporanea.h"

namespace compattatore {
namespace {

const std::string LINEA = "Corvale_Mendra";
const std::string TRENO = "4821-3";

std::string atteso_da_dati(const std::string& nome) {
    return prova::leggi_tutto(std::string(DATI_TEST) + "/normal-run/" + nome);
}

// The notes are fixed text around the author line, a setting of the build.
std::string note_attese() {
    return std::string("Autore:\r\n") + AUTORE_NOTE + "\r\n\r\n" +
           "Il tracciato riproduce al 95% la linea da Firenze a Bologna C.le.\r\n"
           "L'editor \xE8 stato ricavato da piantine topografiche in scala 1:50.000\r\n"
           "e da orari di servizio generali, datato 1995.\r\n"
           "Il treno non presenta particolari difficolt\xE0 di guida, simulando il lavoro\r\n"
           "quotidiano dei macchinisti, dove tutto funziona bene.\r\n";
}

struct Documento {
    std::string nome;
    std::function<void(const std::string&)> scrivi;
    size_t righe;
    size_t byte;  // without the author line for the notes
};

std::vector<Documento> documenti() {
    return {
        {"Corvale_Mendra_linea.txt", [](const std::string& d) { dati_linea(d, LINEA); }, 188, 5705},
        {"Corvale_Mendra_4821-3-.txt", [](const std::string& d) { dati_treno(d, LINEA, TRENO); }, 89, 4409},
        {"Corvale_Mendra_4821-3_note.txt", [](const std::string& d) { dati_note(d, LINEA, TRENO); }, 8, 328},
        {"Corvale_Mendra_4821-3_rallentamenti.txt", [](const std::string& d) { dati_rallentamenti(d, LINEA, TRENO); },
         46, 3282},
        {"Corvale_Mendra_4821-3_scheda_treno.txt", [](const std::string& d) { dati_scheda(d, LINEA, TRENO); }, 53,
         4073},
    };
}

std::string atteso(const Documento& d) {
    return d.nome.ends_with("_note.txt") ? note_attese() : atteso_da_dati(d.nome);
}

TEST(Documenti, EachFileHoldsExactlyItsLinesWithCrLf) {
    for (const Documento& d : documenti()) {
        SCOPED_TRACE(d.nome);
        prova::CartellaTemporanea cartella;
        d.scrivi(cartella.str());
        std::string scritto = prova::leggi_tutto(cartella.file(d.nome));
        EXPECT_EQ(scritto, atteso(d));

        size_t crlf = 0;
        for (size_t i = 0; i + 1 < scritto.size(); ++i) crlf += scritto[i] == '\r' && scritto[i + 1] == '\n';
        EXPECT_EQ(crlf, d.righe);
        EXPECT_EQ(std::count(scritto.begin(), scritto.end(), '\n'), static_cast<long>(d.righe));
        size_t autore = d.nome.ends_with("_note.txt") ? std::string(AUTORE_NOTE).size() : 0;
        EXPECT_EQ(scritto.size(), d.byte + autore);
    }
}

TEST(Documenti, ALongerEarlierFileIsReplacedWholeAndRewritingGivesTheSameBytes) {
    for (const Documento& d : documenti()) {
        SCOPED_TRACE(d.nome);
        prova::CartellaTemporanea cartella;
        prova::scrivi_tutto(cartella.file(d.nome), std::string(20000, 'x'));
        d.scrivi(cartella.str());
        std::string prima = prova::leggi_tutto(cartella.file(d.nome));
        EXPECT_EQ(prima, atteso(d));
        d.scrivi(cartella.str());
        EXPECT_EQ(prova::leggi_tutto(cartella.file(d.nome)), prima);
        // Nothing but the document itself is left in the directory.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.percorso()),
                                std::filesystem::directory_iterator{}),
                  1);
    }
}

}  // namespace
}  // namespace compattatore
