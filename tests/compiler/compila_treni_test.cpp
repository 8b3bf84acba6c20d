// Many trains on one line read once: each train's compile must be the one it
// gets alone, whatever the line or the train holds.
#include "compiler/compila.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/lettura_prova.h"
#include "compiler/memorizza_dati.h"

namespace compattatore {
namespace {

using prova::linea_con;
using prova::treno_con;

// A diagnostic in words, with everything that places it.
std::string in_parole(const Diagnostica& d) {
    std::string testo = std::to_string(static_cast<int>(d.livello)) + " " + std::to_string(d.codice.value_or(-1)) +
                        " " + std::string(d.gruppo) + " " + d.file + ":" + std::to_string(d.luogo.riga) + ":" +
                        std::to_string(d.luogo.colonna) + " " + std::to_string(d.posizione.value_or(-1)) + " " +
                        std::to_string(d.cella.value_or(-1)) + " " + d.motivo;
    for (const Nota& n : d.note)
        testo +=
            " | " + n.file + ":" + std::to_string(n.luogo.riga) + ":" + std::to_string(n.luogo.colonna) + " " + n.testo;
    return testo;
}

std::vector<std::string> in_parole(const std::vector<Diagnostica>& voci) {
    std::vector<std::string> r;
    for (const Diagnostica& d : voci) r.push_back(in_parole(d));
    return r;
}

void stessa_compilazione(const Compilazione& sola, const Compilazione& da_linea) {
    EXPECT_EQ(sola.modello.celle, da_linea.modello.celle);
    EXPECT_EQ(sola.modello.oggetti, da_linea.modello.oggetti);
    EXPECT_EQ(sola.modello.tracciato.assegnate(), da_linea.modello.tracciato.assegnate());
    EXPECT_EQ(sola.modello.tracciato.tacca().tratti, da_linea.modello.tracciato.tacca().tratti);
    EXPECT_EQ(in_parole(sola.diagnostiche.voci()), in_parole(da_linea.diagnostiche.voci()));
    EXPECT_EQ(sola.diagnostiche.troppi(), da_linea.diagnostiche.troppi());
    EXPECT_EQ(codice_registrato(sola.diagnostiche), codice_registrato(da_linea.diagnostiche));
}

const std::string SEGNALE_3800 = "segnale, 3800, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";

struct Caso {
    const char* nome;
    std::string linea;
    std::vector<std::string> treni;
};

// Each train of each line compiled from the line read once gives what
// compiling it alone gives: the model, every diagnostic in its place and
// order, the code recorded; with the first error only and with every error,
// and with an error limit that the line's own errors may fill.
TEST(CompilaTreniInMemoria, EachTrainFromTheLineReadOnceIsItsCompileAlone) {
    const std::vector<Caso> casi = {
        {"clean line, clean and faulty trains",
         linea_con(SEGNALE_3800),
         {treno_con(""), treno_con("fermata, 2000, Alfa, 30\r\nvelocita, 90\r\n"), treno_con("segnale, 3800\r\n"),
          treno_con("nonsense, 1\r\n"), treno_con("ripetizione segnali, 10, 20, 4\r\n")}},
        {"line with an error",
         linea_con("segnale, 3801, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\nsegnale, x\r\n"),
         {treno_con(""), treno_con("nonsense, 1\r\n")}},
        {"line with a warning", linea_con("nonsense, 1\r\n" + SEGNALE_3800), {treno_con(""), treno_con("x\r\n")}},
        {"line without its length", "[generale]\r\n[corpo]\r\n[fine]\r\n", {treno_con("")}},
        {"the line's own text as a train", linea_con(""), {linea_con("")}},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        for (const OpzioniLettura lettura : {OpzioniLettura{}, OpzioniLettura{.tutti_gli_errori = true},
                                             OpzioniLettura{.tutti_gli_errori = true, .massimo_errori = 1}}) {
            const OpzioniCompilazione base{
                .chiave_linea = "L", .chiave_treno = "", .crea_tracciato = 1, .lettura = lettura, .forza = true};
            const LineaMemorizzata linea =
                memorizza_linea(inizia_compilazione(base).modello, prova::LINEA_PROVA, caso.linea);
            for (size_t i = 0; i < caso.treni.size(); ++i) {
                SCOPED_TRACE(i);
                OpzioniCompilazione opzioni = base;
                opzioni.chiave_treno = "T" + std::to_string(i);
                const SorgentiDescrizione sorgenti{prova::LINEA_PROVA, prova::TRENO_PROVA, caso.linea, caso.treni[i]};
                stessa_compilazione(compila(sorgenti, opzioni), compila_treno(linea, sorgenti, opzioni));
            }
        }
    }
}

}  // namespace
}  // namespace compattatore
