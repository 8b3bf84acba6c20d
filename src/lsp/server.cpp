#include "lsp/server.h"

#include "compiler/diagnostiche.h"
#include "lsp/aiuti.h"
#include "lsp/uri.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

// A message as sent. A file's name is bytes, not always UTF-8: what JSON
// cannot hold shows as U+FFFD, where dump() would throw the message away.
std::string testo_messaggio(const Json& messaggio) {
    return messaggio.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string risposta(const Json& id, Json risultato) {
    return testo_messaggio({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}});
}

std::string errore(const Json& id, int codice, const std::string& messaggio) {
    return testo_messaggio({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}});
}

std::string notifica_uscente(const std::string& metodo, Json parametri) {
    return testo_messaggio({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}});
}

Json capacita() {
    return {
        {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", false}}},
        {"hoverProvider", true},
        {"completionProvider", {{"triggerCharacters", {"["}}}},
        {"signatureHelpProvider", {{"triggerCharacters", {","}}, {"retriggerCharacters", {" "}}}},
        {"inlayHintProvider", true},
        {"documentSymbolProvider", true},
        {"documentFormattingProvider", true},
        {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
    };
}

// The -W settings and the limit, from the client's initialization options:
// {"warnings": ["-Wno-unknown-record", "-Wboard-above-limit", ...],
// "maxErrors": 20, "plan": true}.
OpzioniDiagnostiche opzioni_da(const Json& o) {
    OpzioniDiagnostiche opzioni;
    if (!o.is_object()) return opzioni;
    if (auto w = o.find("warnings"); w != o.end() && w->is_array()) {
        for (const Json& voce : *w) {
            if (!voce.is_string()) continue;
            const std::string t = voce.get<std::string>();
            for (std::string_view gruppo : GRUPPI_AVVISO) {
                if (t == "-Wno-" + std::string(gruppo)) opzioni.silenziati.emplace(gruppo);
                if (t == "-W" + std::string(gruppo)) opzioni.silenziati.erase(std::string(gruppo));
            }
        }
    }
    if (auto m = o.find("maxErrors"); m != o.end() && m->is_number_unsigned())
        opzioni.massimo_errori = m->get<size_t>();
    if (auto p = o.find("plan"); p != o.end() && p->is_boolean()) opzioni.tracciato = p->get<bool>();
    return opzioni;
}

std::optional<std::string> percorso_del_documento(const Json& parametri) {
    return percorso_da_uri(parametri.at("textDocument").at("uri").get<std::string>());
}

}  // namespace

std::string ServerLsp::errore_intestazione(const std::string& motivo) {
    return errore(nullptr, ERRORE_JSON, "malformed header: " + motivo);
}

std::vector<std::string> ServerLsp::ricevi(std::string_view corpo) {
    Uscite uscite;
    const Json messaggio = Json::parse(corpo, nullptr, false);
    if (messaggio.is_discarded()) {
        uscite.push_back(errore(nullptr, ERRORE_JSON, "the message is not JSON"));
        return uscite;
    }
    const auto metodo = messaggio.is_object() ? messaggio.find("method") : messaggio.end();
    const bool con_id = messaggio.is_object() && messaggio.contains("id");
    const Json id = con_id ? messaggio["id"] : Json(nullptr);
    if (!messaggio.is_object() || metodo == messaggio.end() || !metodo->is_string() ||
        (con_id && !id.is_string() && !id.is_number_integer())) {
        // An answer to a request of the server's: it sends none.
        if (messaggio.is_object() && con_id && (messaggio.contains("result") || messaggio.contains("error")))
            return uscite;
        uscite.push_back(errore(con_id && (id.is_string() || id.is_number_integer()) ? id : Json(nullptr),
                                RICHIESTA_NON_VALIDA, "not a JSON-RPC request or notification"));
        return uscite;
    }
    const Json parametri = messaggio.value("params", Json::object());
    try {
        if (con_id)
            richiesta(id, metodo->get<std::string>(), parametri, uscite);
        else
            notifica(metodo->get<std::string>(), parametri, uscite);
    } catch (const Json::exception& e) {
        // A field of the wrong type or missing: the request's fault, not the server's.
        if (con_id) uscite.push_back(errore(id, PARAMETRI_NON_VALIDI, e.what()));
    } catch (const std::exception& e) {
        // One message the server could not handle must not end the editor's
        // session: it is answered, or told in the log, and the next is read.
        const std::string motivo =
            std::string("the server could not handle '") + metodo->get<std::string>() + "': " + e.what();
        uscite.push_back(con_id ? errore(id, ERRORE_INTERNO, motivo)
                                : notifica_uscente("window/logMessage", {{"type", 1}, {"message", motivo}}));
    }
    return uscite;
}

Json ServerLsp::inizializza(const Json& parametri) {
    inizializzato_ = true;
    opzioni_ = opzioni_da(parametri.value("initializationOptions", Json(nullptr)));
    return {{"capabilities", capacita()}, {"serverInfo", {{"name", "compattatore"}}}};
}

void ServerLsp::richiesta(const Json& id, const std::string& metodo, const Json& parametri, Uscite& uscite) {
    if (metodo == "initialize") {
        uscite.push_back(risposta(id, inizializza(parametri)));
        return;
    }
    if (!inizializzato_) {
        uscite.push_back(errore(id, NON_INIZIALIZZATO, "initialize comes first"));
        return;
    }
    if (chiuso_) {
        uscite.push_back(errore(id, RICHIESTA_NON_VALIDA, "the server is shutting down"));
        return;
    }
    if (metodo == "shutdown") {
        chiuso_ = true;
        uscite.push_back(risposta(id, nullptr));
        return;
    }
    const DomandaDocumento* domanda = domanda_per(metodo);
    if (!domanda) {
        uscite.push_back(errore(id, METODO_SCONOSCIUTO, "no method '" + metodo + "'"));
        return;
    }
    const std::optional<std::string> percorso = percorso_del_documento(parametri);
    const std::string* testo = percorso ? aperti_.testo(*percorso) : nullptr;
    if (!testo) {
        // A question about a file the editor has not opened has no answer.
        uscite.push_back(risposta(id, nullptr));
        return;
    }
    const Documento documento{*percorso, converti_in_1252(*testo).testo};
    uscite.push_back(risposta(id, domanda->rispondi(documento, parametri, aperti_)));
}

void ServerLsp::notifica(const std::string& metodo, const Json& parametri, Uscite& uscite) {
    if (metodo == "exit") {
        finito_ = true;
        return;
    }
    if (!inizializzato_) return;
    std::optional<std::string> percorso;
    if (metodo == "textDocument/didOpen") {
        percorso = percorso_del_documento(parametri);
        if (percorso) aperti_.apri(*percorso, parametri.at("textDocument").at("text").get<std::string>());
    } else if (metodo == "textDocument/didChange") {
        // Whole texts only (the sync kind this server asks for): the last change holds the text.
        percorso = percorso_del_documento(parametri);
        const Json& cambi = parametri.at("contentChanges");
        if (!percorso || cambi.empty() || !aperti_.cambia(*percorso, cambi.back().at("text").get<std::string>()))
            return;
    } else if (metodo == "textDocument/didClose") {
        // The file on the disk speaks for it again; closed twice, nothing changes.
        percorso = percorso_del_documento(parametri);
        if (!percorso || !aperti_.chiudi(*percorso)) return;
        // A file never saved leaves the scenarios with its diagnostics.
        if (!byte_di(aperti_, *percorso))
            uscite.push_back(notifica_uscente("textDocument/publishDiagnostics",
                                              {{"uri", uri_da_percorso(*percorso)}, {"diagnostics", Json::array()}}));
    } else {
        return;  // other notifications ask nothing of this server
    }
    if (percorso) pubblica(*percorso, uscite);
}

void ServerLsp::pubblica(const std::string& percorso, Uscite& uscite) {
    const std::optional<GruppoScenari> gruppo = gruppo_di(percorso, aperti_);
    if (!gruppo) return;
    for (auto& [file, diagnostiche] : diagnostiche_gruppo(*gruppo, aperti_, opzioni_))
        uscite.push_back(notifica_uscente("textDocument/publishDiagnostics",
                                          {{"uri", uri_da_percorso(file)}, {"diagnostics", std::move(diagnostiche)}}));
}

int esegui_server(const FonteByte& fonte, const std::function<void(std::string_view)>& scrivi) {
    ServerLsp server;
    LettoreMessaggi lettore(fonte);
    while (!server.finito()) {
        MessaggioLetto letto = lettore.prossimo();
        if (letto.esito == MessaggioLetto::Esito::fine) break;
        if (letto.esito == MessaggioLetto::Esito::intestazione_errata) {
            scrivi(incornicia(ServerLsp::errore_intestazione(letto.motivo)));
            continue;
        }
        for (const std::string& uscita : server.ricevi(letto.corpo)) scrivi(incornicia(uscita));
    }
    return server.stato_uscita();
}

}  // namespace compattatore
