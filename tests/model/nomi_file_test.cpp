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

// Keys as the records hold them (Windows-1252) make names in UTF-8, as the
// system spells them: the same key must not make a name no one can type.
TEST(NomiFile, NamesFromWindows1252KeysAreUtf8) {
    const std::string linea = "Forl\xEC", treno = "\xC8-1", utf8 = "Forl\xC3\xAC_\xC3\x88-1";
    EXPECT_EQ(nome_descrizione_linea(linea), "Forl\xC3\xAC_linea.txt");
    EXPECT_EQ(nome_descrizione_treno(linea, treno), utf8 + "-.txt");
    EXPECT_EQ(nome_note(linea, treno), utf8 + "_note.txt");
    EXPECT_EQ(nome_rallentamenti(linea, treno), utf8 + "_rallentamenti.txt");
    EXPECT_EQ(nome_scheda(linea, treno), utf8 + "_scheda_treno.txt");
    EXPECT_EQ(nome_file_oggetti(linea, treno), utf8 + ".sim");
}

}  // namespace
}  // namespace compattatore
