// Decoding a compiled file and encoding it again gives back every byte.
#include <gtest/gtest.h>

#include "output/decodifica.h"
#include "output/file_binari.h"
#include "support/dati.h"

namespace compattatore {
namespace {

using test::DIRECTORY_CORSA_NORMALE;
using test::leggi_dato;

TEST(AndataRitorno, NormalRunObjectAndCellFiles) {
    const std::string oggetti = leggi_dato(DIRECTORY_CORSA_NORMALE, test::FILE_OGGETTI_NORMALE);
    const std::string celle = leggi_dato(DIRECTORY_CORSA_NORMALE, test::FILE_CELLE_NORMALE);
    EXPECT_EQ(codifica_oggetti(decodifica_oggetti(oggetti, "o.sim")), oggetti);
    EXPECT_EQ(codifica_celle(decodifica_celle(celle, "c.dat")), celle);
}

TEST(AndataRitorno, PlanFileWithAllThreeTags) {
    const std::string tracciato = test::tracciato_di_prova(97000);
    ASSERT_EQ(tracciato.size(), 2079964u);
    EXPECT_EQ(codifica_tracciato(decodifica_tracciato(tracciato, "t.dat", 97000 + 7001)), tracciato);
}

}  // namespace
}  // namespace compattatore
