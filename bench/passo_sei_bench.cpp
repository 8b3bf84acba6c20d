// Step 6 of the run (read both description files, finish, check, stamp and
// write the binary files) on the scenario's own files and on a generated line
// of 1000000 m; and the same without the writing, to show its share.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "compiler/memorizza_percorso.h"
#include "documents/documenti.h"
#include "linea_generata.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore::banco {

namespace {

constexpr const char* LINEA = "Corvale_Mendra";
constexpr const char* TRENO = "4821-3";

class Cartella {
public:
    Cartella() {
        std::random_device casuale;
        p_ = std::filesystem::temp_directory_path() / ("compattatore-bench-" + std::to_string(casuale()));
        std::filesystem::create_directories(p_);
    }
    ~Cartella() {
        std::error_code ignorato;
        std::filesystem::remove_all(p_, ignorato);
    }
    std::string str() const { return p_.string(); }

private:
    std::filesystem::path p_;
};

FileDescrizione descrizioni(const std::string& dir) {
    return {piattaforma::unisci(dir, nome_descrizione_linea(LINEA)),
            piattaforma::unisci(dir, nome_descrizione_treno(LINEA, TRENO))};
}

// Each round reads the two files (kept: an author's compile, not the normal
// run, which deletes them), compiles and, when asked, writes.
void passo_sei(benchmark::State& stato, const std::string& dir, bool scrivi) {
    const FileDescrizione f = descrizioni(dir);
    for (auto _ : stato) {
        const SorgentiDescrizione s{f.linea, f.treno, piattaforma::leggi(f.linea), piattaforma::leggi(f.treno)};
        const Compilazione esito =
            compila(s, {.chiave_linea = LINEA, .chiave_treno = TRENO, .crea_tracciato = 1, .lettura = {}});
        if (scrivi && da_scrivere(esito, {})) scrivi_file_binari(esito.modello, dir);
        if (const Diagnostica* errore = esito.diagnostiche.primo_errore()) {
            stato.SkipWithError(("compilation recorded code " + std::to_string(errore->codice.value_or(0))).c_str());
            break;
        }
        benchmark::DoNotOptimize(esito.modello.celle.data());
    }
}

void scenario(benchmark::State& stato, bool scrivi) {
    Cartella dir;
    dati_linea(dir.str(), LINEA);
    dati_treno(dir.str(), LINEA, TRENO);
    passo_sei(stato, dir.str(), scrivi);
}

void linea_massima(benchmark::State& stato, bool scrivi) {
    Cartella dir;
    const FileDescrizione f = descrizioni(dir.str());
    piattaforma::sostituisci(f.linea, linea_generata(LUNGHEZZA_MASSIMA));
    piattaforma::sostituisci(f.treno, treno_generato(LUNGHEZZA_MASSIMA));
    passo_sei(stato, dir.str(), scrivi);
}

}  // namespace

BENCHMARK_CAPTURE(scenario, compile_and_write, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scenario, compile_only, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linea_massima, compile_and_write, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(linea_massima, compile_only, false)->Unit(benchmark::kMillisecond);

}  // namespace compattatore::banco

BENCHMARK_MAIN();
