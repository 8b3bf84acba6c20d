// The decompiler on the generated line of 1000000 m: the files read back
// from their bytes, then the description written and checked by compiling
// it in memory; and the same line with several trains, decompiled together
// as `decompile DIR` does, their line compared first.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "compiler/compila.h"
#include "decompile/decompila.h"
#include "decompile/linea_comune.h"
#include "format/file_binari.h"
#include "linea_generata.h"
#include "model/nomi_file.h"

namespace compattatore::banco {

namespace {

// The generated line and train compiled with the keys and read back from
// the files' bytes; none when it does not compile cleanly.
std::optional<ScenarioCompilato> compilato(const ChiaviScenario& chiavi) {
    const SorgentiDescrizione sorgenti{nome_descrizione_linea(chiavi.linea),
                                       nome_descrizione_treno(chiavi.linea, chiavi.treno),
                                       linea_generata(LUNGHEZZA_MASSIMA), treno_generato(LUNGHEZZA_MASSIMA)};
    const Compilazione esito = compila(
        sorgenti, {.chiave_linea = chiavi.linea, .chiave_treno = chiavi.treno, .crea_tracciato = 1, .lettura = {}});
    const Modello& m = esito.modello;
    if (esito.diagnostiche.errori() != 0) return std::nullopt;
    return decodifica_scenario({"o", codifica_oggetti(m.oggetti)}, {"c", codifica_celle(m.celle)},
                               ImmagineFile{"t", codifica_tracciato(m.tracciato)});
}

void decompila_linea_massima(benchmark::State& stato) {
    const ChiaviScenario chiavi{"Lunga", "L1"};
    const std::optional<ScenarioCompilato> letto = compilato(chiavi);
    if (!letto) {
        stato.SkipWithError("the generated line does not compile cleanly");
        return;
    }
    const ScenarioCompilato& scenario = *letto;
    for (auto _ : stato) {
        const SorgentiRicostruite r = decompila(scenario, chiavi);
        if (!r.scostamenti.empty()) {
            stato.SkipWithError("the round trip is not exact");
            break;
        }
        benchmark::DoNotOptimize(r.linea.data());
    }
}

// The line with as many trains as the argument, copies of its train under
// their own keys.
void decompila_treni_linea_massima(benchmark::State& stato) {
    std::vector<ChiaviScenario> chiavi;
    std::vector<ScenarioCompilato> scenari;
    for (int64_t k = 0; k < stato.range(0); ++k) {
        chiavi.push_back({"Lunga", "L" + std::to_string(k + 1)});
        std::optional<ScenarioCompilato> letto = compilato(chiavi.back());
        if (!letto) {
            stato.SkipWithError("the generated line does not compile cleanly");
            return;
        }
        scenari.push_back(std::move(*letto));
    }
    std::vector<TrenoCompilato> treni;
    for (size_t k = 0; k < scenari.size(); ++k) treni.push_back({scenari[k], chiavi[k]});
    for (auto _ : stato) {
        if (prima_linea_diversa(treni)) {
            stato.SkipWithError("the copies hold different lines");
            break;
        }
        const LineaRicostruita r = decompila_linea(treni);
        if (!r.scostamenti.empty()) {
            stato.SkipWithError("the round trip is not exact");
            break;
        }
        benchmark::DoNotOptimize(r.linea.data());
    }
}

}  // namespace

BENCHMARK(decompila_linea_massima)->Unit(benchmark::kMillisecond);
BENCHMARK(decompila_treni_linea_massima)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace compattatore::banco
