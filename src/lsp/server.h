// The language server: JSON-RPC 2.0 messages in, messages out, one at a
// time. It compiles what the editor holds, publishes the diagnostics of
// each file of the scenarios an edit touches, and answers the editor's
// questions about a description file. It never writes a file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/diagnostiche_lsp.h"
#include "lsp/documenti.h"
#include "lsp/json_lsp.h"
#include "lsp/messaggi.h"

namespace compattatore {

// JSON-RPC's error codes.
inline constexpr int ERRORE_JSON = -32700;
inline constexpr int RICHIESTA_NON_VALIDA = -32600;
inline constexpr int METODO_SCONOSCIUTO = -32601;
inline constexpr int PARAMETRI_NON_VALIDI = -32602;
inline constexpr int ERRORE_INTERNO = -32603;
inline constexpr int NON_INIZIALIZZATO = -32002;

class ServerLsp {
public:
    // The messages to send for one message received (a JSON text).
    std::vector<std::string> ricevi(std::string_view corpo);
    // The answer to a header that could not be read.
    static std::string errore_intestazione(const std::string& motivo);
    // True once "exit" came.
    bool finito() const { return finito_; }
    // 0 when "shutdown" came before "exit", else 1.
    int stato_uscita() const { return chiuso_ ? 0 : 1; }

private:
    using Uscite = std::vector<std::string>;
    void richiesta(const Json& id, const std::string& metodo, const Json& parametri, Uscite& uscite);
    void notifica(const std::string& metodo, const Json& parametri, Uscite& uscite);
    Json inizializza(const Json& parametri);
    // Publishes the diagnostics of every file of the scenarios `percorso` is part of.
    void pubblica(const std::string& percorso, Uscite& uscite);

    DocumentiAperti aperti_;
    OpzioniDiagnostiche opzioni_;
    bool inizializzato_ = false;
    bool chiuso_ = false;
    bool finito_ = false;
};

// Runs the server until "exit" or the end of the input; the exit status.
int esegui_server(const FonteByte& fonte, const std::function<void(std::string_view)>& scrivi);

}  // namespace compattatore
