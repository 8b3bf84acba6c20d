// The server's diagnostics against `compile`'s: the same conditions, at the
// same places, in the same words, for the files the editor holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "lsp/cliente_prova.h"
#include "support/cartella_temporanea.h"
#include "support/molti_errori.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using prova::ClienteProva;
using prova::diagnostiche_per;

// "FILE:LINE:COLUMN: LEVEL: MESSAGE" for each diagnostic and note of a file,
// as compile's text report heads them; a note is told under its diagnostic.
std::vector<std::string> come_compile(const Json& diagnostiche, const std::string& file) {
    std::vector<std::string> righe;
    auto posto = [](const std::string& f, const Json& inizio) {
        return f + ":" + std::to_string(inizio["line"].get<int>() + 1) + ":" +
               std::to_string(inizio["character"].get<int>() + 1);
    };
    for (const Json& d : diagnostiche) {
        righe.push_back(posto(file, d["range"]["start"]) + ": " + (d["severity"] == 1 ? "error" : "warning") + ": " +
                        d["message"].get<std::string>());
        for (const Json& n : d.value("relatedInformation", Json::array()))
            righe.push_back(
                posto(*percorso_da_uri(n["location"]["uri"].get<std::string>()), n["location"]["range"]["start"]) +
                ": note: " + n["message"].get<std::string>());
    }
    return righe;
}

// compile's report lines that head a diagnostic or a note of `file`.
std::vector<std::string> righe_di_compile(const std::string& resoconto, const std::string& file,
                                          const std::vector<std::string>& altri) {
    std::vector<std::string> righe;
    std::istringstream in(resoconto);
    bool del_file = false;
    for (std::string riga; std::getline(in, riga);) {
        if (riga.starts_with("  ")) continue;  // the echoed line and its caret
        const bool nota = riga.find(": note: ") != std::string::npos;
        if (!nota) {
            del_file = riga.starts_with(file + ":");
            for (const std::string& a : altri) del_file = del_file && !riga.starts_with(a + ":");
        }
        // A line headed by a file's absolute path ("C:\" on Windows), not the count.
        if (del_file && std::filesystem::path(riga.substr(0, riga.find(':', 2))).is_absolute()) righe.push_back(riga);
    }
    return righe;
}

struct Caso {
    const char* nome;
    std::string linea, treno;
};

TEST(DiagnosticheServer, SameAsCompileOnTheMultiErrorTable) {
    const Caso casi[] = {{"line file", prova::LINEA_ERRATA, prova::TRENO_PULITO},
                         {"train file", prova::LINEA_PULITA, prova::TRENO_ERRATO},
                         {"both files", prova::LINEA_ERRATA, prova::TRENO_ERRATO}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        prova::CartellaTemporanea cartella;
        const std::string linea = cartella.scrivi("L_linea.txt", c.linea);
        const std::string treno = cartella.scrivi("L_T-.txt", c.treno);
        const auto compile = prova::esegui_programma({"compile", linea, treno, "--check"});
        ASSERT_EQ(compile.stato, 1) << compile.errori;

        ClienteProva client;
        client.inizializza();
        // The editor holds the line file open, the train file is read from the disk.
        const std::vector<Json> pubblicate = client.apri(linea, c.linea);
        const std::vector<std::string> server_linea = come_compile(diagnostiche_per(pubblicate, linea), linea);
        const std::vector<std::string> server_treno = come_compile(diagnostiche_per(pubblicate, treno), treno);
        EXPECT_EQ(server_linea, righe_di_compile(compile.errori, linea, {treno}));
        EXPECT_EQ(server_treno, righe_di_compile(compile.errori, treno, {linea}));
        EXPECT_FALSE(server_linea.empty() && server_treno.empty());
    }
}

const std::string LINEA = "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\npendenza, 0, 2\r\n[fine]\r\n";
const std::string TRENO = "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n";

// The text the editor holds counts, saved or not, and a change is compiled
// again: a mistake typed shows, and goes when it is undone.
TEST(DiagnosticheServer, FollowTheUnsavedText) {
    prova::CartellaTemporanea cartella;
    const std::string linea = cartella.scrivi("L_linea.txt", LINEA);
    const std::string treno = cartella.scrivi("L_T-.txt", TRENO);
    ClienteProva client;
    client.inizializza();
    EXPECT_EQ(diagnostiche_per(client.apri(treno, TRENO), treno), Json::array());
    const std::string errato = "[generale]\r\nvelocita, 0, 100\r\nsegnale, 1x0, 1\r\n[fine]\r\n";
    const Json d = diagnostiche_per(client.cambia(treno, errato), treno);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0]["code"], "E25");
    EXPECT_EQ(d[0]["range"],
              (Json{{"start", {{"line", 2}, {"character", 9}}}, {"end", {{"line", 2}, {"character", 12}}}}));
    EXPECT_EQ(diagnostiche_per(client.cambia(treno, TRENO), treno), Json::array());
    // The line file's diagnostics come too, each file with its own.
    EXPECT_EQ(diagnostiche_per(client.cambia(treno, TRENO), linea), Json::array());
}

// The editor's UTF-8 text is converted as compile converts a file: a
// character Windows-1252 has is one column, one it has not is code 25 there.
TEST(DiagnosticheServer, ColumnsOfTheConvertedText) {
    prova::CartellaTemporanea cartella;
    cartella.scrivi("L_linea.txt", LINEA);
    const std::string treno = cartella.scrivi("L_T-.txt", TRENO);
    ClienteProva client;
    client.inizializza();
    const std::string corpo = "[generale]\r\nvelocita, 0, 100\r\n[stazioni]\r\n";
    const Json numero = diagnostiche_per(client.apri(treno, corpo + "velocit\u00e0, 1x0, 100\r\n[fine]\r\n"), treno);
    ASSERT_EQ(numero.size(), 1u) << numero.dump();
    EXPECT_EQ(numero[0]["range"]["start"], (Json{{"line", 3}, {"character", 10}}));
    const Json carattere = diagnostiche_per(client.cambia(treno, corpo + "segnale, 2000, \u0142\r\n[fine]\r\n"), treno);
    ASSERT_EQ(carattere.size(), 1u) << carattere.dump();
    EXPECT_EQ(carattere[0]["range"]["start"], (Json{{"line", 3}, {"character", 15}}));
    EXPECT_NE(carattere[0]["message"].get<std::string>().find("U+0142 has no Windows-1252 byte"), std::string::npos);
}

// -W settings come from the initialization options, as -Wno-KIND to compile.
TEST(DiagnosticheServer, WarningKindsSilencedByTheOptions) {
    prova::CartellaTemporanea cartella;
    const std::string linea = cartella.scrivi("L_linea.txt", LINEA);
    cartella.scrivi("L_T-.txt", TRENO);
    const std::string troncata =
        "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\npendenza, 0, 900\r\n[fine]\r\n";
    for (const bool silenziato : {false, true}) {
        ClienteProva client;
        client.inizializza(silenziato ? Json{{"warnings", {"-Wno-value-truncated"}}} : Json::object());
        const Json d = diagnostiche_per(client.apri(linea, troncata), linea);
        if (silenziato) {
            EXPECT_EQ(d, Json::array());
        } else {
            ASSERT_EQ(d.size(), 1u);
            EXPECT_EQ(d[0]["code"], "-Wvalue-truncated");
            EXPECT_EQ(d[0]["severity"], 2);
        }
    }
}

// A kind off by default is shown only when the options ask for it.
TEST(DiagnosticheServer, KindsOffByDefaultShownWhenAskedFor) {
    prova::CartellaTemporanea cartella;
    const std::string tavola =
        "[generale]\r\nlunghezza percorso, 10000\r\n[pendenze]\r\n"
        "indicatori_vmax, 1000, 80, 90, 120, 0, 0, 0, 0, 0\r\n[fine]\r\n";
    const std::string linea = cartella.scrivi("L_linea.txt", tavola);
    const std::string treno = cartella.scrivi("L_T-.txt", TRENO);
    for (const bool chiesto : {false, true}) {
        ClienteProva client;
        client.inizializza(chiesto ? Json{{"warnings", {"-Wboard-above-limit"}}} : Json::object());
        const Json d = diagnostiche_per(client.apri(linea, tavola), treno);
        if (chiesto) {
            ASSERT_EQ(d.size(), 1u);
            EXPECT_EQ(d[0]["code"], "-Wboard-above-limit");
        } else {
            EXPECT_EQ(d, Json::array());
        }
    }
}

// A train file alone is told so once; with several train files, each is a
// scenario of the same line, and the line's diagnostics are given once.
TEST(DiagnosticheServer, ScenariosOfTheFilesBeside) {
    prova::CartellaTemporanea cartella;
    const std::string solo = cartella.scrivi("M_T-.txt", TRENO);
    ClienteProva client;
    client.inizializza();
    const Json d = diagnostiche_per(client.apri(solo, TRENO), solo);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NE(d[0]["message"].get<std::string>().find("no line file M_linea.txt"), std::string::npos);

    // A file name in another code page than UTF-8 still gets its diagnostics.
    const std::string latino = cartella.scrivi("M\xE9_T-.txt", TRENO);
    const Json dl = diagnostiche_per(client.apri(latino, TRENO), latino);
    ASSERT_TRUE(dl.is_array()) << dl;
    ASSERT_EQ(dl.size(), 1u);
    EXPECT_NE(dl[0]["message"].get<std::string>().find("no line file M\xEF\xBF\xBD_linea.txt"), std::string::npos);

    const std::string linea = cartella.scrivi("L_linea.txt", prova::LINEA_ERRATA);
    const std::string uno = cartella.scrivi("L_A-.txt", TRENO);
    const std::string due = cartella.scrivi("L_B-.txt", "[generale]\r\nvelocita, 0, 100\r\nsegnale, 1x\r\n[fine]\r\n");
    const std::vector<Json> pubblicate = client.apri(linea, prova::LINEA_ERRATA);
    const auto compile = prova::esegui_programma({"compile", linea, uno, "--check"});
    EXPECT_EQ(come_compile(diagnostiche_per(pubblicate, linea), linea), righe_di_compile(compile.errori, linea, {uno}));
    EXPECT_EQ(diagnostiche_per(pubblicate, uno), Json::array());
    EXPECT_EQ(diagnostiche_per(pubblicate, due).size(), 1u);
}

}  // namespace
}  // namespace compattatore
