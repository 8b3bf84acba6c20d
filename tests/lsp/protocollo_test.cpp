// The server at the level of its messages: the framing, the JSON-RPC
// errors, and the order of notifications an editor may send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lsp/cliente_prova.h"
#include "lsp/messaggi.h"
#include "lsp/server.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

using prova::ClienteProva;

std::string messaggio(const Json& m) { return incornicia(m.dump()); }

struct Esito {
    int stato = -1;
    std::vector<Json> risposte;
};

// The whole loop over `ingresso`, fed a few bytes at a time so that a
// message split across reads is joined.
Esito esegui(const std::string& ingresso) {
    size_t pos = 0;
    std::string uscita;
    Esito e;
    e.stato = esegui_server(
        [&](char* dove, size_t n) {
            const size_t k = std::min({n, size_t{7}, ingresso.size() - pos});
            ingresso.copy(dove, k, pos);
            pos += k;
            return k;
        },
        [&](std::string_view t) { uscita += t; });
    LettoreMessaggi lettore([&, letto = size_t{0}](char* dove, size_t n) mutable {
        const size_t k = std::min(n, uscita.size() - letto);
        uscita.copy(dove, k, letto);
        letto += k;
        return k;
    });
    for (MessaggioLetto m = lettore.prossimo(); m.esito == MessaggioLetto::Esito::messaggio; m = lettore.prossimo())
        e.risposte.push_back(Json::parse(m.corpo));
    return e;
}

const Json INIZIALIZZA = {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", Json::object()}};
const Json CHIUDI = {{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}};
const Json ESCI = {{"jsonrpc", "2.0"}, {"method", "exit"}};

TEST(Protocollo, InitializeShutdownExit) {
    const Esito e = esegui(messaggio(INIZIALIZZA) + messaggio(CHIUDI) + messaggio(ESCI) + messaggio(CHIUDI));
    EXPECT_EQ(e.stato, 0);
    ASSERT_EQ(e.risposte.size(), 2u);  // nothing is read after exit
    EXPECT_EQ(e.risposte[0]["id"], 1);
    EXPECT_TRUE(e.risposte[0]["result"]["capabilities"]["hoverProvider"].get<bool>());
    EXPECT_EQ(e.risposte[1], (Json{{"jsonrpc", "2.0"}, {"id", 2}, {"result", nullptr}}));
}

TEST(Protocollo, ExitWithoutShutdownOrEndOfInputFails) {
    EXPECT_EQ(esegui(messaggio(INIZIALIZZA) + messaggio(ESCI)).stato, 1);
    EXPECT_EQ(esegui(messaggio(INIZIALIZZA)).stato, 1);
    // A message cut short by the end of the input is not answered.
    EXPECT_TRUE(esegui(messaggio(INIZIALIZZA).substr(0, 30)).risposte.empty());
}

// Each bad message gets its JSON-RPC error, and the next one is still read.
TEST(Protocollo, BadMessagesGetAnErrorAndTheNextIsRead) {
    struct Caso {
        const char* nome;
        std::string byte;
        int codice;
        Json id;
    };
    const Caso casi[] = {
        {"header without a length", "Content-Type: x\r\n\r\n", ERRORE_JSON, nullptr},
        {"length not a number", "Content-Length: 1x\r\n\r\n", ERRORE_JSON, nullptr},
        {"header line without a colon", "Content-Length 5\r\n\r\n", ERRORE_JSON, nullptr},
        {"header line without a colon beside a length", "Content-Length: 2\r\nX\r\n\r\n{}", ERRORE_JSON, nullptr},
        {"endless header line", std::string(10000, 'x') + "\r\n\r\n", ERRORE_JSON, nullptr},
        {"not JSON", incornicia("{\"jsonrpc\": "), ERRORE_JSON, nullptr},
        {"JSON but no request", messaggio(Json::array({1, 2})), RICHIESTA_NON_VALIDA, nullptr},
        {"method not a string", messaggio({{"jsonrpc", "2.0"}, {"id", 7}, {"method", 3}}), RICHIESTA_NON_VALIDA, 7},
        {"unknown method", messaggio({{"jsonrpc", "2.0"}, {"id", 8}, {"method", "x/y"}}), METODO_SCONOSCIUTO, 8},
        {"parameters of the wrong shape",
         messaggio({{"jsonrpc", "2.0"}, {"id", 9}, {"method", "textDocument/hover"}, {"params", {{"x", 1}}}}),
         PARAMETRI_NON_VALIDI, 9},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const Esito e = esegui(messaggio(INIZIALIZZA) + c.byte + messaggio(CHIUDI) + messaggio(ESCI));
        ASSERT_EQ(e.risposte.size(), 3u);
        EXPECT_EQ(e.risposte[1]["error"]["code"], c.codice);
        EXPECT_EQ(e.risposte[1]["id"], c.id);
        EXPECT_EQ(e.risposte[2]["id"], 2);
        EXPECT_EQ(e.stato, 0);
    }
}

// A body above the limit is skipped unread: the next message is found.
TEST(Protocollo, ABodyTooLongIsSkipped) {
    const std::string ingresso =
        "Content-Length: 13\r\n\r\n{\"jsonrpc\":1}" + incornicia("{}") + "Content-Length: 9\r\n\r\n";
    size_t pos = 0;
    LettoreMessaggi lettore(
        [&](char* dove, size_t n) {
            const size_t k = std::min({n, size_t{3}, ingresso.size() - pos});
            ingresso.copy(dove, k, pos);
            pos += k;
            return k;
        },
        10);
    const MessaggioLetto lungo = lettore.prossimo();
    EXPECT_EQ(lungo.esito, MessaggioLetto::Esito::intestazione_errata);
    EXPECT_EQ(lungo.motivo, "Content-Length above 10 bytes");
    const MessaggioLetto dopo = lettore.prossimo();
    EXPECT_EQ(dopo.esito, MessaggioLetto::Esito::messaggio);
    EXPECT_EQ(dopo.corpo, "{}");
    // A body cut short by the end of the input ends the reading.
    EXPECT_EQ(lettore.prossimo().esito, MessaggioLetto::Esito::fine);
}

// A header line too long is refused however the reads cut it: a line that
// spans reads must not pass on the part read last.
TEST(Protocollo, AHeaderLineTooLongIsRefusedHoweverItArrives) {
    const std::string ingresso = "X-Pad" + std::string(10000, 'x') + ": y\r\n\r\n" + incornicia("{}");
    for (const size_t pezzo : {size_t{3}, size_t{1000}, size_t{65536}}) {
        SCOPED_TRACE(pezzo);
        size_t pos = 0;
        LettoreMessaggi lettore([&](char* dove, size_t n) {
            const size_t k = std::min({n, pezzo, ingresso.size() - pos});
            ingresso.copy(dove, k, pos);
            pos += k;
            return k;
        });
        const MessaggioLetto lungo = lettore.prossimo();
        EXPECT_EQ(lungo.esito, MessaggioLetto::Esito::intestazione_errata);
        EXPECT_EQ(lungo.motivo, "a header line longer than 4096 bytes");
        const MessaggioLetto dopo = lettore.prossimo();
        EXPECT_EQ(dopo.esito, MessaggioLetto::Esito::messaggio);
        EXPECT_EQ(dopo.corpo, "{}");
    }
}

TEST(Protocollo, RequestsBeforeInitializeAreRefused) {
    ClienteProva c;
    const std::vector<Json> r = c.richiesta("shutdown", nullptr);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["error"]["code"], NON_INIZIALIZZATO);
    EXPECT_TRUE(c.apri("/x/L_linea.txt", "[generale]\r\n").empty());
}

// After shutdown only exit is taken: a request gets an error, not an answer.
TEST(Protocollo, RequestsAfterShutdownAreRefused) {
    ClienteProva c;
    c.inizializza();
    ASSERT_EQ(c.richiesta("shutdown", nullptr).size(), 1u);
    for (const char* metodo : {"shutdown", "textDocument/hover"}) {
        const std::vector<Json> r = c.richiesta(metodo, {{"textDocument", {{"uri", "file:///x/L_linea.txt"}}}});
        ASSERT_EQ(r.size(), 1u) << metodo;
        EXPECT_EQ(r[0]["error"]["code"], RICHIESTA_NON_VALIDA) << metodo;
    }
}

// Notifications out of order are taken without an answer: a change or a
// close of a file never opened, a file closed twice, an unknown notification.
TEST(Protocollo, NotificationsOutOfOrder) {
    prova::CartellaTemporanea cartella;
    const std::string linea = cartella.file("L_linea.txt");
    ClienteProva c;
    c.inizializza();
    EXPECT_TRUE(c.cambia(linea, "x").empty());
    const Json chiudi = {{"textDocument", {{"uri", uri_da_percorso(linea)}}}};
    EXPECT_TRUE(c.notifica("textDocument/didClose", chiudi).empty());
    EXPECT_TRUE(c.notifica("$/cancelRequest", {{"id", 4}}).empty());
    EXPECT_FALSE(c.apri(linea, "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n").empty());
    // The first close clears the diagnostics of a file the disk does not hold.
    EXPECT_EQ(prova::diagnostiche_per(c.notifica("textDocument/didClose", chiudi), linea), Json::array());
    EXPECT_TRUE(c.notifica("textDocument/didClose", chiudi).empty());
    EXPECT_EQ(c.chiedi("textDocument/hover", linea, 1, 1), nullptr);
}

// The program itself: garbage on its input, then a clean exit.
TEST(Protocollo, TheCommandSurvivesGarbage) {
    prova::CartellaTemporanea cartella;
    const std::string ingresso =
        cartella.scrivi("ingresso", messaggio(INIZIALIZZA) + "Content-Length: -1\r\n\r\n" + incornicia("}}") +
                                        messaggio({{"jsonrpc", "2.0"}, {"id", 3}, {"method", "nope"}}) +
                                        messaggio(CHIUDI) + messaggio(ESCI));
    const auto esito = prova::esegui("sh", {"-c", std::string(PROGRAMMA) + " lsp < '" + ingresso + "'"});
    EXPECT_EQ(esito.stato, 0) << esito.errori;
    EXPECT_NE(esito.uscita.find("\"code\":-32601"), std::string::npos) << esito.uscita;
    EXPECT_NE(esito.uscita.find("\"id\":2,\"jsonrpc\":\"2.0\",\"result\":null"), std::string::npos) << esito.uscita;
}

}  // namespace
}  // namespace compattatore
