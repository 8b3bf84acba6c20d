#include "cli/resoconto_compila.h"

#include <algorithm>

#include "compiler/codici_errore.h"

namespace compattatore {

Diagnostica diagnostica_troppo_grande(const SorgenteAutore& sorgente) {
    return crea_diagnostica(ERRORE_LETTURA, sorgente.percorso, {},
                            "the file holds more than " + std::to_string(MASSIMO_BYTE_DESCRIZIONE) +
                                " bytes (64 MiB), the most a description file may hold");
}

std::string resoconto_diagnostiche(const std::vector<Diagnostica>& voci, bool troppi,
                                   std::span<const SorgenteAutore> sorgenti, const ResocontoCompila& r) {
    const std::vector<Diagnostica> mostrate = da_mostrare(voci, r.silenziati);
    if (r.forma == FormaDiagnostiche::json) return diagnostiche_json(mostrate, troppi);
    std::string testo;
    if (mostrate.empty()) return testo;
    // Each file's lines indexed once: a scan per diagnostic made a long list quadratic.
    const SorgentiIndicizzate indicizzate(sorgenti);
    for (const Diagnostica& d : mostrate) testo += formatta_diagnostica(d, indicizzate);
    const auto errori = static_cast<size_t>(std::ranges::count(mostrate, Livello::errore, &Diagnostica::livello));
    testo += conteggio_diagnostiche(errori, mostrate.size() - errori);
    if (troppi)
        testo += "; too many errors, the rest was not checked (--max-errors " + std::to_string(r.massimo_errori) + ")";
    return testo + "\n";
}

}  // namespace compattatore
