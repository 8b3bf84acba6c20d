// The decompiler on the generated line of 1000000 m: the files read back
// from their bytes, then the description written and checked by compiling
// it in memory.
#include <benchmark/benchmark.h>

#include "compiler/compila.h"
#include "decompile/decompila.h"
#include "format/file_binari.h"
#include "linea_generata.h"
#include "model/nomi_file.h"

namespace compattatore::banco {

namespace {

void decompila_linea_massima(benchmark::State& stato) {
    const ChiaviScenario chiavi{"Lunga", "L1"};
    const SorgentiDescrizione sorgenti{nome_descrizione_linea(chiavi.linea),
                                       nome_descrizione_treno(chiavi.linea, chiavi.treno),
                                       linea_generata(LUNGHEZZA_MASSIMA), treno_generato(LUNGHEZZA_MASSIMA)};
    const Compilazione esito = compila(
        sorgenti, {.chiave_linea = chiavi.linea, .chiave_treno = chiavi.treno, .crea_tracciato = 1, .lettura = {}});
    const Modello& m = esito.modello;
    if (esito.diagnostiche.errori() != 0) {
        stato.SkipWithError("the generated line does not compile cleanly");
        return;
    }
    const ScenarioCompilato scenario =
        decodifica_scenario({"o", codifica_oggetti(m.oggetti)}, {"c", codifica_celle(m.celle)},
                            ImmagineFile{"t", codifica_tracciato(m.tracciato)});
    for (auto _ : stato) {
        const SorgentiRicostruite r = decompila(scenario, chiavi);
        if (!r.scostamenti.empty()) {
            stato.SkipWithError("the round trip is not exact");
            break;
        }
        benchmark::DoNotOptimize(r.linea.data());
    }
}

}  // namespace

BENCHMARK(decompila_linea_massima)->Unit(benchmark::kMillisecond);

}  // namespace compattatore::banco
