// The server with a client no one here wrote: Neovim's, run headless.
#include <gtest/gtest.h>

#include <string>

#include "lsp/json_lsp.h"
#include "lsp/linea_prova.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

const std::string& LINEA = prova::LINEA_PROVA;

TEST(Neovim, ShowsTheServersDiagnosticsHoverCompletionAndHints) {
    const std::string nvim = prova::trova_programma("nvim");
    if (nvim.empty()) GTEST_SKIP() << "Neovim is not installed (Debian: neovim)";
    prova::CartellaTemporanea cartella;
    const std::string linea = cartella.scrivi("L_linea.txt", LINEA);
    cartella.scrivi("L_T-.txt", "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n");
    const std::string uscita = cartella.file("risultato.json");
    const auto esito =
        prova::esegui(nvim, {"--headless", "--clean", "-n", "-c", "luafile " + std::string(CLIENTE_NEOVIM)},
                      {"COMPATTATORE=" + std::string(PROGRAMMA), "FILE_LINEA=" + linea, "FILE_USCITA=" + uscita,
                       "HOME=" + cartella.str(), "XDG_STATE_HOME=" + cartella.str()});
    ASSERT_EQ(esito.stato, 0) << esito.errori;
    ASSERT_TRUE(cartella.esiste("risultato.json")) << esito.errori << esito.uscita;
    const Json r = Json::parse(cartella.leggi("risultato.json"));
    ASSERT_FALSE(r.contains("errore")) << r.dump();

    // The file on the disk is clean: what shows is the mistake typed.
    ASSERT_EQ(r["diagnostiche"].size(), 1u) << r.dump();
    EXPECT_EQ(r["diagnostiche"][0]["riga"], 3);
    EXPECT_EQ(r["diagnostiche"][0]["colonna"], 10);
    EXPECT_NE(r["diagnostiche"][0]["messaggio"].get<std::string>().find("'21x25' [E25]"), std::string::npos);
    EXPECT_EQ(r["diagnostiche"][0]["livello"], 1);

    EXPECT_NE(r["hover"].get<std::string>().find("cell 425 (21,250\u201321,300 m)"), std::string::npos) << r.dump();
    EXPECT_NE(std::find(r["completamento"].begin(), r["completamento"].end(), "pendenza"), r["completamento"].end())
        << r.dump();
    // The gradient's position no longer reads as a number: only the board's hint is left.
    EXPECT_EQ(r["suggerimenti"], Json::array({"cell 425, km 21+250"})) << r.dump();
}

}  // namespace
}  // namespace compattatore
