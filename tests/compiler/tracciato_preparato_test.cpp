// The line's plan laid out beside the file already there, and put in its
// place only when its bytes differ.
#include <gtest/gtest.h>

#include <string>

#include "compiler/memorizza_percorso.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"

namespace compattatore {
namespace {

TEST(TracciatoPreparato, PutInPlaceOnlyWhenItsBytesDiffer) {
    // A line read without a plan (its reading stopped before its length)
    // lays out no byte: with no file there, that is still a change.
    Modello m;
    m.stato.chiave_linea = "L";
    const std::string nome = nome_file_tracciato("L");
    struct Caso {
        const char* nome;
        std::optional<std::string> prima;  // the file there; none: no file
        bool messo;
    };
    const Caso casi[] = {
        {"no file there", std::nullopt, true},
        {"the same bytes there", "", false},
        {"other bytes there", "old", true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        prova::CartellaTemporanea dir;
        if (c.prima) dir.scrivi(nome, *c.prima);
        TracciatoPreparato tracciato(m, dir.str());
        EXPECT_EQ(tracciato.metti_al_posto(), c.messo);
        ASSERT_TRUE(dir.esiste(nome));
        EXPECT_EQ(dir.leggi(nome), c.messo ? "" : *c.prima);
    }
}

}  // namespace
}  // namespace compattatore
