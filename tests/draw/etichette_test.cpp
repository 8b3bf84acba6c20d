// Label placement against the table the viewer page's script answers too
// (tests/view/calcoli_test.js): one rule on both sides.
#include "draw/etichette.h"

#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"
#include "support/json_prova.h"

namespace compattatore {
namespace {

TEST(Etichette, PlacedAsTheSharedTableSays) {
    const prova::ValoreJson casi =
        prova::leggi_json(prova::leggi_tutto(std::string(DATI_TEST) + "/etichette_posa.json"));
    ASSERT_FALSE(casi["cases"].lista().empty());
    for (const prova::ValoreJson& caso : casi["cases"].lista()) {
        SpazioEtichette spazio =
            caso["area"].nullo() ? SpazioEtichette()
                                 : SpazioEtichette(caso["area"].lista()[0].numero(), caso["area"].lista()[1].numero());
        int k = 0;
        for (const prova::ValoreJson& etichetta : caso["labels"].lista()) {
            int posta = -1, indice = 0;
            for (const prova::ValoreJson& b : etichetta["boxes"].lista()) {
                const auto& v = b.lista();
                if (spazio.prendi({v[0].numero(), v[1].numero(), v[2].numero(), v[3].numero()})) {
                    posta = indice;
                    break;
                }
                ++indice;
            }
            EXPECT_EQ(posta, static_cast<int>(etichetta["placed"].numero())) << caso["name"].testo() << ", label " << k;
            ++k;
        }
    }
}

}  // namespace
}  // namespace compattatore
