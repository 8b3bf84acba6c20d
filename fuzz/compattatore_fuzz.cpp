// libFuzzer target: the whole compile of a line and a train description file,
// as `compile --force` does it (the conversion of UTF-8 text included), the
// binary files encoded in memory.
//
// An input is one byte that asks for the plan (ASCII '1' builds it; any other
// byte does not), then the line description file up to the first NUL byte and
// the train description file after it. Without a NUL the train file is empty.
// The plan is asked for only where an input says so: it holds a row per metre
// of the line and the 7000 m after it, and building and encoding it would
// otherwise take most of the fuzzing time.
//
// The reading goes on past every rejected record, as the author's compile
// does, so the recovery is fuzzed with the rest. Besides the sanitizers' own
// checks, every input must give what any compile promises: every diagnostic's
// code is one of the code table, code 25 says what failed, an error recorded
// in the run state is in the list, and the encoded object and cell files
// decode back to the same bytes. The two texts reach the reader in memory, as the author's compile
// hands over converted files, so no input touches the disk.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/codici_errore.h"
#include "compiler/compila.h"
#include "compiler/diagnostiche.h"
#include "compiler/memorizza_dati.h"
#include "compiler/memorizza_percorso.h"
#include "format/decodifica.h"
#include "format/file_binari.h"
#include "model/testo_1252.h"

namespace {

using namespace compattatore;

void verifica(bool vero, const char* promessa) {
    if (vero) return;
    std::fprintf(stderr, "compattatore_fuzz: broken promise: %s\n", promessa);
    std::abort();
}

void verifica_diagnostiche(const ElencoDiagnostiche& diagnostiche) {
    for (const Diagnostica& d : diagnostiche.voci()) {
        if (!d.codice) {
            verifica(!d.gruppo.empty() && !d.motivo.empty(), "a warning of the reader names its kind and says why");
            continue;
        }
        const auto voce = voce_codice(*d.codice);
        verifica(voce.has_value(), "a recorded code is in the code table");
        verifica(voce && voce->livello == d.livello, "a coded diagnostic has its code's severity");
        if (d.codice == ERRORE_LETTURA) verifica(!d.motivo.empty(), "code 25 says what failed");
    }
}

// What the forced run writes, encoded once; for a clean compile the object
// and cell files are decoded and must give back the tables they were encoded
// from. (The plan holds only tagged values copied bit for bit; decoding its
// rows again would slow the fuzzing for little.)
void codifica(const Modello& m, bool lettura_pulita) {
    if (m.stato.crea_tracciato != 0) codifica_tracciato(m.tracciato);
    std::string oggetti = codifica_oggetti(m.oggetti);
    std::string celle = codifica_celle(m.celle);
    if (!lettura_pulita) return;

    ScenarioCompilato letto = decodifica_scenario({"oggetti", oggetti}, {"celle", celle}, std::nullopt);
    verifica(letto.oggetti == m.oggetti, "the object file decodes to the table it was encoded from");
    verifica(letto.celle == m.celle, "the cell file decodes to the cells it was encoded from");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    if (dimensione == 0) return -1;  // not an input: no plan flag
    const int32_t crea_tracciato = dati[0] == '1' ? 1 : 0;
    std::string_view resto(reinterpret_cast<const char*>(dati + 1), dimensione - 1);
    size_t divisione = resto.find('\0');
    TestoConvertito linea = converti_in_1252(resto.substr(0, divisione));
    TestoConvertito treno =
        converti_in_1252(divisione == std::string_view::npos ? std::string_view{} : resto.substr(divisione + 1));
    // A character Windows-1252 cannot hold stops compile before reading.
    if (linea.errore || treno.errore) return 0;

    const SorgentiDescrizione sorgenti{.file_linea = "L_linea.txt",
                                       .file_treno = "L_T-.txt",
                                       .testo_linea = std::move(linea.testo),
                                       .testo_treno = std::move(treno.testo)};
    const Compilazione esito = compila(sorgenti, {.chiave_linea = "L",
                                                  .chiave_treno = "T",
                                                  .crea_tracciato = crea_tracciato,
                                                  .lettura = {.tutti_gli_errori = true, .massimo_errori = 0}});

    verifica_diagnostiche(esito.diagnostiche);
    const OpzioniScrittura forzata{.directory = "", .scrivi = true, .forza = true, .sincronizza = false};
    if (da_scrivere(esito, forzata)) codifica(esito.modello, esito.diagnostiche.errori() == 0);
    return 0;
}
