// A client for the server's tests: messages in as JSON, the server's
// messages back, with the questions an editor asks most spelled once.
#pragma once

#include <string>
#include <vector>

#include "lsp/server.h"
#include "lsp/uri.h"

namespace compattatore::prova {

class ClienteProva {
public:
    // Sends one message; what the server sent back.
    std::vector<Json> invia(const Json& messaggio) {
        std::vector<Json> risposte;
        for (const std::string& uscita : server.ricevi(messaggio.dump())) risposte.push_back(Json::parse(uscita));
        return risposte;
    }
    std::vector<Json> richiesta(const std::string& metodo, Json parametri) {
        return invia({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", metodo}, {"params", std::move(parametri)}});
    }
    std::vector<Json> notifica(const std::string& metodo, Json parametri) {
        return invia({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}});
    }
    // The result of a request that must have one answer.
    Json risultato(const std::string& metodo, Json parametri) {
        const std::vector<Json> r = richiesta(metodo, std::move(parametri));
        return r.size() == 1 && r[0].contains("result") ? r[0]["result"] : Json("no single result");
    }
    std::vector<Json> inizializza(Json opzioni = nullptr) {
        return richiesta("initialize", {{"capabilities", Json::object()}, {"initializationOptions", opzioni}});
    }
    std::vector<Json> apri(const std::string& percorso, const std::string& testo) {
        return notifica("textDocument/didOpen",
                        {{"textDocument",
                          {{"uri", uri_da_percorso(percorso)}, {"languageId", "x"}, {"version", 1}, {"text", testo}}}});
    }
    std::vector<Json> cambia(const std::string& percorso, const std::string& testo) {
        return notifica("textDocument/didChange",
                        {{"textDocument", {{"uri", uri_da_percorso(percorso)}, {"version", 2}}},
                         {"contentChanges", {{{"text", testo}}}}});
    }
    // A document question at a line and character.
    Json chiedi(const std::string& metodo, const std::string& percorso, int riga, int carattere) {
        return risultato(metodo, {{"textDocument", {{"uri", uri_da_percorso(percorso)}}},
                                  {"position", {{"line", riga}, {"character", carattere}}}});
    }

    ServerLsp server;

private:
    int id_ = 0;
};

// The diagnostics published for `percorso` among `messaggi`, the last ones.
inline Json diagnostiche_per(const std::vector<Json>& messaggi, const std::string& percorso) {
    Json ultime = "none published";
    for (const Json& m : messaggi)
        if (m.value("method", "") == "textDocument/publishDiagnostics" &&
            m["params"]["uri"] == uri_da_percorso(percorso))
            ultime = m["params"]["diagnostics"];
    return ultime;
}

}  // namespace compattatore::prova
