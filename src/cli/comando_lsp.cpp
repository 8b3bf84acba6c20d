#include "cli/comando_lsp.h"

#include "cli/errore_uso.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "lsp/server.h"
#include "platform/flussi_standard.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore lsp\n"
    "\n"
    "Runs the language server an editor starts: JSON-RPC messages on standard\n"
    "input and output (the Language Server Protocol). Each line file\n"
    "LINE_linea.txt is compiled with the train files LINE_TRAIN-.txt beside it,\n"
    "from the texts the editor holds (saved or not), and every diagnostic is\n"
    "shown where it is, as 'compile' reports it. Nothing is written to disk.\n"
    "The client's initialization options may set {\"warnings\": [\"-Wno-KIND\"],\n"
    "\"maxErrors\": N, \"plan\": false}, as compile's options do.\n"
    "\n"
    "  --help  show this text\n"
    "\n"
    "Exit status: 0 after 'shutdown' and 'exit', 1 when the input ended or\n"
    "'exit' came first.\n";

}  // namespace

int esegui_lsp(std::span<const std::string_view> argomenti) {
    Opzioni opzioni;
    opzioni.parole([](const std::string& parola) { throw ErroreUso("takes no argument, not '" + parola + "'"); });
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    return esegui_server(piattaforma::leggi_da_ingresso, piattaforma::scrivi_su_uscita);
}

}  // namespace compattatore
