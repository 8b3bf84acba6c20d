// libFuzzer target: the language server's input, as an editor's pipe
// delivers it. The input is the byte stream itself: headers, bodies, and
// whatever a broken client sends between them. Every message read goes to
// a server; every answer it sends must be one JSON-RPC message, and a
// header that cannot be read must get its error, never a crash or a hang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lsp/messaggi.h"
#include "lsp/server.h"

namespace {

void controlla(bool vero, const char* cosa) {
    if (vero) return;
    std::fprintf(stderr, "broken promise: %s\n", cosa);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    using namespace compattatore;
    const std::string ingresso(reinterpret_cast<const char*>(dati), dimensione);
    size_t pos = 0;
    // Short reads, so that a message split across them is joined.
    LettoreMessaggi lettore([&](char* dove, size_t n) {
        const size_t k = std::min({n, size_t{13}, ingresso.size() - pos});
        ingresso.copy(dove, k, pos);
        pos += k;
        return k;
    });
    ServerLsp server;
    for (MessaggioLetto m = lettore.prossimo(); m.esito != MessaggioLetto::Esito::fine && !server.finito();
         m = lettore.prossimo()) {
        if (m.esito == MessaggioLetto::Esito::intestazione_errata) {
            controlla(!m.motivo.empty(), "a header refused without a reason");
            continue;
        }
        for (const std::string& uscita : server.ricevi(m.corpo)) {
            const Json risposta = Json::parse(uscita, nullptr, false);
            controlla(risposta.is_object() && risposta.value("jsonrpc", "") == "2.0", "an answer that is not JSON-RPC");
        }
    }
    return 0;
}
