// The editor's questions about a description file: what a record and a
// position are, what may be typed, the outline, and the edits offered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lsp/aiuti.h"
#include "lsp/cliente_prova.h"
#include "lsp/linea_prova.h"
#include "support/cartella_temporanea.h"

namespace compattatore {
namespace {

using prova::ClienteProva;

const std::string& LINEA = prova::LINEA_PROVA;
const std::string TRENO =
    "[generale]\r\n"
    "velocita, 0, 100\r\n"
    "[stazioni]\r\n"
    "stazione, 3000, 8, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 5, 0, GAMMA\r\n"
    "[segnali]\r\n"
    "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
    "[fine]\r\n";

class Aiuti : public ::testing::Test {
protected:
    void SetUp() override {
        linea = cartella.scrivi("L_linea.txt", LINEA);
        treno = cartella.scrivi("L_T-.txt", TRENO);
        client.inizializza();
        client.apri(linea, LINEA);
        client.apri(treno, TRENO);
    }
    std::string hover(const std::string& file, int riga, int carattere) {
        const Json h = client.chiedi("textDocument/hover", file, riga, carattere);
        return h.is_null() ? "" : h["contents"]["value"].get<std::string>();
    }
    Json tutto(const std::string& metodo, const std::string& file, Json altro = Json::object()) {
        altro["textDocument"] = {{"uri", uri_da_percorso(file)}};
        return client.risultato(metodo, altro);
    }
    static Json righe(int da, int a) {
        return {{"start", {{"line", da}, {"character", 0}}}, {"end", {{"line", a}, {"character", 0}}}};
    }

    prova::CartellaTemporanea cartella;
    ClienteProva client;
    std::string linea, treno;
};

// A point object lands on round(p / 50 + 1), a gradient on round(p / 50).
TEST_F(Aiuti, HoverNamesTheRecordTheFieldAndTheCell) {
    EXPECT_NE(hover(linea, 5, 22).find("**POSITION**, field 1 of `indicatori_vmax`: cell 425 (21,250\u201321,300 m)"),
              std::string::npos)
        << hover(linea, 5, 22);
    EXPECT_NE(hover(linea, 3, 12).find("cell 424 (21,200\u201321,250 m)"), std::string::npos) << hover(linea, 3, 12);
    EXPECT_NE(hover(linea, 3, 2).find("**pendenza**: a gradient, in [pendenze]"), std::string::npos)
        << hover(linea, 3, 2);
    EXPECT_NE(hover(treno, 3, 1).find("scheduled at 08:05:00"), std::string::npos) << hover(treno, 3, 1);
    EXPECT_NE(hover(treno, 5, 18).find("**S1**, field 3 of `segnale`"), std::string::npos) << hover(treno, 5, 18);
    EXPECT_EQ(hover(treno, 0, 2), "");  // a section name is no record
}

TEST_F(Aiuti, InlayHintsAfterEachPosition) {
    const Json h = tutto("textDocument/inlayHint", linea, {{"range", righe(0, 6)}});
    ASSERT_EQ(h.size(), 2u) << h.dump();
    EXPECT_EQ(h[0]["label"], "cell 424, km 21+200");
    EXPECT_EQ(h[0]["position"], (Json{{"line", 3}, {"character", 15}}));
    EXPECT_EQ(h[1]["label"], "cell 425, km 21+250");
    // Only the lines asked for.
    EXPECT_EQ(tutto("textDocument/inlayHint", linea, {{"range", righe(0, 4)}}).size(), 1u);
}

// A position before the line's start, as an author may type one on the
// way: its hint names the kilometre before zero.
TEST_F(Aiuti, InlayHintsBeforeTheLineStart) {
    client.cambia(linea, "[pendenze]\r\npendenza, -100, 2\r\npendenza, -1250, 2\r\npendenza, -50, 2\r\n");
    const Json h = tutto("textDocument/inlayHint", linea, {{"range", righe(0, 4)}});
    const char* attese[] = {"cell -2, km -0+100", "cell -25, km -1+250", "cell -1, km -0+050"};
    ASSERT_EQ(h.size(), std::size(attese)) << h.dump();
    for (size_t i = 0; i < std::size(attese); ++i) EXPECT_EQ(h[i]["label"], attese[i]);
}

TEST_F(Aiuti, CompletionOffersSnippetsOfTheFilesRecords) {
    client.cambia(treno, TRENO + "seg");
    const Json c = client.chiedi("textDocument/completion", treno, 7, 3);
    std::string snippet;
    bool sezione = false;
    for (const Json& voce : c) {
        if (voce["label"] == "segnale") snippet = voce["textEdit"]["newText"];
        sezione = sezione || voce["label"] == "[rallentamenti]";
        EXPECT_NE(voce["label"], "pendenza");  // a line file's record
    }
    EXPECT_EQ(snippet,
              "segnale, ${1:POSITION}, ${2:SX}, ${3:S1}, ${4:S2}, ${5:S3}, ${6:RAPP}, ${7:DX}, ${8:D1}, "
              "${9:D2}, ${10:D3}, ${11:TEMPO}");
    EXPECT_TRUE(sezione);
    EXPECT_EQ(client.chiedi("textDocument/completion", treno, 5, 12), Json::array());  // past the keyword
}

TEST_F(Aiuti, SignatureHelpNamesTheFieldUnderTheCursor) {
    const Json f = client.chiedi("textDocument/signatureHelp", treno, 5, 18);
    EXPECT_EQ(f["activeParameter"], 2);
    const std::string etichetta = f["signatures"][0]["label"];
    const Json p = f["signatures"][0]["parameters"][2]["label"];
    EXPECT_EQ(etichetta.substr(p[0].get<size_t>(), p[1].get<size_t>() - p[0].get<size_t>()), "S1");
}

TEST_F(Aiuti, OutlineHoldsSectionsStationsAndSignals) {
    const Json s = tutto("textDocument/documentSymbol", treno);
    std::vector<std::string> nomi;
    for (const Json& sezione : s) {
        nomi.push_back(sezione["name"]);
        for (const Json& figlio : sezione["children"]) nomi.push_back("  " + figlio["name"].get<std::string>());
    }
    EXPECT_EQ(nomi, (std::vector<std::string>{"[generale]", "[stazioni]", "  GAMMA (3000 m)", "[segnali]",
                                              "  segnale at 2000 m", "[fine]"}));
}

// Formatting moves fields into columns and never changes one.
TEST_F(Aiuti, FormattingKeepsEveryValue) {
    const std::string storto =
        "[generale]\r\nlunghezza percorso,30000\r\n[pendenze]\r\npendenza,  0,2\r\n"
        "pendenza, 21225,   -12\r\n[fine]\r\n";
    client.cambia(linea, storto);
    const Json modifiche = tutto("textDocument/formatting", linea, {{"options", {{"tabSize", 4}}}});
    std::vector<std::string> righe;
    for (std::string_view r : righe_di(storto)) righe.emplace_back(r);
    for (const Json& m : modifiche) {
        ASSERT_EQ(m["range"]["start"]["line"], m["range"]["end"]["line"]);
        righe[m["range"]["start"]["line"].get<size_t>()] = m["newText"];
    }
    EXPECT_EQ(righe[3], "pendenza,     0,   2");
    EXPECT_EQ(righe[4], "pendenza, 21225, -12");
    for (size_t i = 0; i < righe.size(); ++i) {
        std::vector<std::string_view> prima, dopo;
        for (const CampoRiga& c : campi_di(righe_di(storto)[i])) prima.push_back(c.testo);
        for (const CampoRiga& c : campi_di(righe[i])) dopo.push_back(c.testo);
        EXPECT_EQ(prima, dopo) << i;
    }
}

std::vector<std::string> titoli(const Json& azioni) {
    std::vector<std::string> t;
    for (const Json& a : azioni) t.push_back(a["title"]);
    return t;
}

TEST_F(Aiuti, QuoteATextWithAComma) {
    const std::string con_virgola =
        "[generale]\r\nvelocita, 0, 100\r\n[stazioni]\r\n"
        "stazione, 3000, 8, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 5, 0, MONZUNO, VADO\r\n"
        "[fine]\r\n";
    client.cambia(treno, con_virgola);
    const Json a = tutto("textDocument/codeAction", treno, {{"range", righe(3, 3)}, {"context", Json::object()}});
    ASSERT_EQ(a.size(), 1u) << a.dump();
    const Json modifica = a[0]["edit"]["changes"][uri_da_percorso(treno)][0];
    EXPECT_EQ(modifica["newText"], "\"MONZUNO, VADO\"");
    EXPECT_EQ(modifica["range"]["start"]["character"], 63);
    EXPECT_EQ(tutto("textDocument/codeAction", treno, {{"range", righe(1, 1)}, {"context", Json::object()}}),
              Json::array());
}

// Each file holding the other's records: the fix trades their texts.
TEST_F(Aiuti, SwapTheFiles) {
    client.cambia(linea, TRENO);
    client.cambia(treno, LINEA);
    const Json a = tutto("textDocument/codeAction", linea, {{"range", righe(0, 0)}, {"context", Json::object()}});
    ASSERT_EQ(titoli(a), std::vector<std::string>{"Swap the texts of the line file and the train file"});
    const Json& cambi = a[0]["edit"]["changes"];
    EXPECT_EQ(cambi[uri_da_percorso(linea)][0]["newText"], LINEA);
    EXPECT_EQ(cambi[uri_da_percorso(treno)][0]["newText"], TRENO);
    client.cambia(treno, TRENO);
    EXPECT_EQ(tutto("textDocument/codeAction", linea, {{"range", righe(0, 0)}, {"context", Json::object()}}),
              Json::array());
}

// A diagnostic that carries its own fix has it offered as the preferred one.
TEST_F(Aiuti, TheFixADiagnosticCarries) {
    const Json intervallo = righe(3, 3);
    const Json diagnostica = {
        {"range", intervallo},
        {"message", "m"},
        {"data", {{"title", "did you mean 'pendenza'?"}, {"range", intervallo}, {"replacement", "pendenza"}}}};
    const Json a =
        tutto("textDocument/codeAction", linea, {{"range", intervallo}, {"context", {{"diagnostics", {diagnostica}}}}});
    ASSERT_EQ(titoli(a), std::vector<std::string>{"did you mean 'pendenza'?"});
    EXPECT_EQ(a[0]["edit"]["changes"][uri_da_percorso(linea)][0]["newText"], "pendenza");
}

// A misspelt keyword: the server's own diagnostic carries the replacement,
// and the edit the fix applies gives back a text with nothing to say.
TEST_F(Aiuti, AMisspeltKeywordIsFixedByItsDiagnostic) {
    const std::string errato = "[generale]\r\nvelocita, 0, 100\r\n  velocta, 2000, 60\r\n[fine]\r\n";
    const Json pubblicate = prova::diagnostiche_per(client.cambia(treno, errato), treno);
    ASSERT_EQ(pubblicate.size(), 1u) << pubblicate.dump();
    const Json& diagnostica = pubblicate[0];
    const Json a = tutto("textDocument/codeAction", treno,
                         {{"range", diagnostica["range"]}, {"context", {{"diagnostics", {diagnostica}}}}});
    ASSERT_EQ(titoli(a), std::vector<std::string>{"Replace with 'velocita'"}) << a.dump();
    const Json modifica = a[0]["edit"]["changes"][uri_da_percorso(treno)][0];
    EXPECT_EQ(modifica["range"],
              (Json{{"start", {{"line", 2}, {"character", 2}}}, {"end", {{"line", 2}, {"character", 9}}}}));
    std::string corretto = errato;
    corretto.replace(corretto.find("velocta"), 7, modifica["newText"].get<std::string>());
    EXPECT_EQ(prova::diagnostiche_per(client.cambia(treno, corretto), treno), Json::array());
}

}  // namespace
}  // namespace compattatore
