// The manual page renders cleanly and says what --help says: the options of
// each command, and the version.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

const std::string PAGINA = std::string(DIRECTORY_DOCS) + "/compattatore.1";

using Opzioni = std::set<std::string>;

// The first option named on a line: "-o", "--line-key"..., or "--" alone.
std::string opzione_in(const std::string& riga) {
    static const std::regex opzione(R"((^|[^A-Za-z0-9-])(--?[A-Za-z][A-Za-z-]*|--(?=\s|$)))");
    std::smatch m;
    return std::regex_search(riga, m, opzione) ? m[2].str() : "";
}

// The option items (the line after each .TP) of each .SS section, by section
// title; "Normal run" is the command without a name.
std::map<std::string, Opzioni> opzioni_della_pagina(const std::string& pagina) {
    std::map<std::string, Opzioni> sezioni;
    std::istringstream righe(pagina);
    std::string sezione, riga;
    bool voce = false;
    while (std::getline(righe, riga)) {
        if (riga.starts_with(".SH")) sezione.clear();
        if (riga.starts_with(".SS ")) {
            sezione = riga.substr(4);
            if (sezione == "Normal run") sezione = "";
            sezioni[sezione];
            continue;
        }
        if (voce && sezioni.contains(sezione)) {
            const std::string senza_escape = std::regex_replace(riga, std::regex(R"(\\-)"), "-");
            if (const std::string o = opzione_in(senza_escape); !o.empty()) sezioni[sezione].insert(o);
        }
        voce = riga == ".TP";
    }
    return sezioni;
}

// The options a help text lists: lines that begin with two spaces and a dash.
Opzioni opzioni_dell_aiuto(const std::string& aiuto) {
    Opzioni opzioni;
    std::istringstream righe(aiuto);
    for (std::string riga; std::getline(righe, riga);)
        if (riga.starts_with("  -")) opzioni.insert(opzione_in(riga));
    return opzioni;
}

// The commands the general help's synopsis names.
Opzioni comandi_dell_aiuto(const std::string& aiuto) {
    Opzioni comandi{""};
    static const std::regex sinossi(R"(compattatore ([a-z]+) )");
    for (auto it = std::sregex_iterator(aiuto.begin(), aiuto.end(), sinossi); it != std::sregex_iterator(); ++it)
        comandi.insert((*it)[1].str());
    return comandi;
}

TEST(PaginaManuale, RendersWithoutWarnings) {
    const std::string groff = prova::trova_programma("groff");
    if (groff.empty()) GTEST_SKIP() << "groff is not installed (Debian: groff-base)";
    const auto esito = prova::esegui(groff, {"-man", "-Tutf8", "-ww", "-z", PAGINA});
    EXPECT_EQ(esito.stato, 0);
    EXPECT_EQ(esito.errori, "");
}

TEST(PaginaManuale, EveryCommandsOptionsAreThoseOfItsHelp) {
    const auto pagina = opzioni_della_pagina(prova::leggi_tutto(PAGINA));
    const auto generale = prova::esegui_programma({"--help"});
    ASSERT_EQ(generale.stato, 0);
    Opzioni comandi_pagina;
    for (const auto& [comando, _] : pagina) comandi_pagina.insert(comando);
    EXPECT_EQ(comandi_pagina, comandi_dell_aiuto(generale.uscita));

    for (const auto& [comando, opzioni] : pagina) {
        SCOPED_TRACE("command '" + comando + "'");
        const auto aiuto = comando.empty() ? generale : prova::esegui_programma({comando, "--help"});
        ASSERT_EQ(aiuto.stato, 0);
        EXPECT_EQ(opzioni, opzioni_dell_aiuto(aiuto.uscita)) << aiuto.uscita;
    }
}

// The comparison itself catches an option missing on either side.
TEST(PaginaManuale, TheComparisonSeesAnOptionMissingFromThePage) {
    const std::string pagina =
        ".SS compile\n.TP\n.BI \\-o \" DIR\"\nText.\n.TP\n.B \\-\\-check\n.TP\n.B \\-\\-\nEnd.\n";
    const auto sezioni = opzioni_della_pagina(pagina);
    ASSERT_TRUE(sezioni.contains("compile"));
    EXPECT_EQ(sezioni.at("compile"), (Opzioni{"-o", "--check", "--"}));
    EXPECT_EQ(sezioni.at("compile"), opzioni_dell_aiuto("  -o DIR  x\n  --check  y\n  --       end, even -NAME\n"));
    EXPECT_NE(sezioni.at("compile"), opzioni_dell_aiuto("  -o DIR  x\n  --check  y\n  --watch  z\n"));
}

TEST(PaginaManuale, TitleCarriesTheProgramsVersion) {
    const auto versione = prova::esegui_programma({"--version"});
    ASSERT_EQ(versione.stato, 0);
    const std::string numero = versione.uscita.substr(std::string("compattatore ").size());
    const std::string pagina = prova::leggi_tutto(PAGINA);
    EXPECT_NE(pagina.find("\"compattatore " + numero.substr(0, numero.size() - 1) + "\""), std::string::npos)
        << versione.uscita;
}

}  // namespace
}  // namespace compattatore
