#include "model/nomi_file.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(NomiFile, KeysComeBackFromTheNamesTheyForm) {
    EXPECT_EQ(chiave_linea_da_nome(nome_descrizione_linea("Corvale_Mendra")), "Corvale_Mendra");
    EXPECT_EQ(chiave_treno_da_nome(nome_descrizione_treno("Corvale_Mendra", "4821-3"), "Corvale_Mendra"), "4821-3");

    const char* non_linee[] = {"_linea.txt", "Corvale_linea.dat", "linea.txt", "Corvale_Mendra_4821-3-.txt"};
    for (const char* nome : non_linee) EXPECT_EQ(chiave_linea_da_nome(nome), std::nullopt) << nome;

    struct Caso {
        const char* nome;
        const char* linea;
    } non_treni[] = {{"Corvale_Mendra_-.txt", "Corvale_Mendra"},
                     {"Corvale_Mendra_4821-3.txt", "Corvale_Mendra"},
                     {"Altra_4821-3-.txt", "Corvale_Mendra"}};
    for (const Caso& c : non_treni) EXPECT_EQ(chiave_treno_da_nome(c.nome, c.linea), std::nullopt) << c.nome;
}

}  // namespace
}  // namespace compattatore
