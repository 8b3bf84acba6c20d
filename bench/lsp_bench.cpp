// The language server on the generated 1000000 m line: how long diagnostics
// take to come back after a one-character change, and whether memory grows
// with the edits. Every edit goes through the whole path an editor's does
// but the pipe: the framed didChange with the whole text, the reading of the
// frame and its JSON, the compile of the line with its train file, and the
// framed publishDiagnostics of both files.
// Usage: compattatore_lsp_bench DIR [EDITS] [EDITS_MEMORY]
//   DIR           holds Generata_linea.txt and Generata_1M-.txt
//                 (written by compattatore_linea_generata DIR)
//   EDITS         timed edits (default 100)
//   EDITS_MEMORY  edits over which the resident size is watched (default 10000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "linea_generata.h"
#include "lsp/messaggi.h"
#include "lsp/server.h"
#include "lsp/uri.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace {

using namespace compattatore;

// The resident size in KiB, from the kernel's own count.
long residente_kib() {
    std::ifstream stato("/proc/self/status");
    for (std::string riga; std::getline(stato, riga);)
        if (riga.starts_with("VmRSS:")) return std::stol(riga.substr(6));
    return -1;
}

class Editore {
public:
    // The messages the server sends for one framed message, through the reader.
    size_t invia(const Json& messaggio) {
        ingresso_ = incornicia(messaggio.dump());
        size_t pos = 0;
        LettoreMessaggi lettore([&](char* dove, size_t n) {
            const size_t k = std::min(n, ingresso_.size() - pos);
            ingresso_.copy(dove, k, pos);
            pos += k;
            return k;
        });
        size_t diagnostiche = 0;
        for (const std::string& uscita : server_.ricevi(lettore.prossimo().corpo))
            diagnostiche += incornicia(uscita).find("publishDiagnostics") != std::string::npos;
        return diagnostiche;
    }

private:
    ServerLsp server_;
    std::string ingresso_;
};

Json apri(const std::string& percorso, const std::string& testo) {
    return {{"jsonrpc", "2.0"},
            {"method", "textDocument/didOpen"},
            {"params",
             {{"textDocument",
               {{"uri", uri_da_percorso(percorso)}, {"languageId", "x"}, {"version", 1}, {"text", testo}}}}}};
}

Json cambia(const std::string& percorso, const std::string& testo, int versione) {
    return {{"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument", {{"uri", uri_da_percorso(percorso)}, {"version", versione}}},
              {"contentChanges", {{{"text", testo}}}}}}};
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: compattatore_lsp_bench DIR [EDITS] [EDITS_MEMORY]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int modifiche = argc > 2 ? std::stoi(argv[2]) : 100;
    const int modifiche_memoria = argc > 3 ? std::stoi(argv[3]) : 10000;
    const std::string linea = piattaforma::unisci(dir, nome_descrizione_linea(banco::CHIAVE_LINEA));
    const std::string treno =
        piattaforma::unisci(dir, nome_descrizione_treno(banco::CHIAVE_LINEA, banco::CHIAVE_TRENO));
    const std::string testo = piattaforma::leggi(linea);
    const std::string testo_treno = piattaforma::leggi(treno);

    Editore editore;
    editore.invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", Json::object()}});
    editore.invia(apri(treno, testo_treno));
    editore.invia(apri(linea, testo));

    // The one character: the last digit of the line's length, 1000000 m and
    // 1000001 m in turn (an error, then none), as an author's typing goes.
    const size_t cifra = testo.find('\n', testo.find("lunghezza percorso")) - 2;
    std::string modificato = testo;
    auto una_modifica = [&](int n) {
        modificato[cifra] = n % 2 == 0 ? '1' : testo[cifra];
        return editore.invia(cambia(linea, modificato, n + 2));
    };

    std::vector<double> ms;
    for (int n = 0; n < modifiche; ++n) {
        const auto inizio = std::chrono::steady_clock::now();
        if (una_modifica(n) != 2) {
            std::fprintf(stderr, "compattatore_lsp_bench: an edit published no diagnostics for both files\n");
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio).count());
    }
    std::printf("diagnostics after a one-character change, %d edits: median %.2f ms, p95 %.2f ms, max %.2f ms\n",
                modifiche, percentile(ms, 0.5), percentile(ms, 0.95), *std::max_element(ms.begin(), ms.end()));

    const int primo_conto = std::min(1000, modifiche_memoria);
    long dopo_primi = 0;
    for (int n = 0; n < modifiche_memoria; ++n) {
        una_modifica(n);
        if (n + 1 == primo_conto) dopo_primi = residente_kib();
    }
    const long alla_fine = residente_kib();
    std::printf("resident size: %ld KiB after %d edits, %ld KiB after %d (%+ld KiB)\n", dopo_primi, primo_conto,
                alla_fine, modifiche_memoria, alla_fine - dopo_primi);
    return 0;
}
