#include "cli/resoconto_compila.h"

#include <algorithm>

#include "compiler/codici_errore.h"
#include "platform/file.h"

namespace compattatore {

Diagnostica diagnostica_troppo_grande(const SorgenteAutore& sorgente) {
    return crea_diagnostica(ERRORE_LETTURA, sorgente.percorso, {},
                            "the file holds more than " + std::to_string(MASSIMO_BYTE_DESCRIZIONE) +
                                " bytes (64 MiB), the most a description file may hold");
}

// As -Werror=KIND in other compilers, it also shows a kind off by default.
void ResocontoCompila::promuovi(std::string_view gruppo) {
    silenziati.erase(std::string(gruppo));
    promossi.emplace(gruppo);
    declassati.erase(std::string(gruppo));
}

void ResocontoCompila::declassa(std::string_view gruppo) {
    declassati.emplace(gruppo);
    promossi.erase(std::string(gruppo));
}

namespace {

bool silenziato(const Diagnostica& d, const ResocontoCompila& r) {
    return !d.gruppo.empty() && r.silenziati.contains(d.gruppo);
}

bool promosso(const Diagnostica& d, const ResocontoCompila& r) {
    if (d.livello != Livello::avviso || silenziato(d, r) || r.declassati.contains(d.gruppo)) return false;
    return r.avvisi_errori || (!d.gruppo.empty() && r.promossi.contains(d.gruppo));
}

}  // namespace

std::vector<Diagnostica> da_mostrare(const std::vector<Diagnostica>& voci, const ResocontoCompila& r) {
    std::vector<Diagnostica> scelte;
    for (const Diagnostica& d : voci) {
        if (silenziato(d, r)) continue;
        scelte.push_back(d);
        if (promosso(d, r)) scelte.back().livello = Livello::errore;
    }
    return scelte;
}

bool avvisi_promossi(const std::vector<Diagnostica>& voci, const ResocontoCompila& r) {
    return std::ranges::any_of(voci, [&](const Diagnostica& d) { return promosso(d, r); });
}

std::optional<Diagnostica> leggi_byte_sorgente(SorgenteAutore& s) {
    std::string byte = piattaforma::leggi(s.percorso, MASSIMO_BYTE_DESCRIZIONE + 1);
    if (byte.size() > MASSIMO_BYTE_DESCRIZIONE) return diagnostica_troppo_grande(s);
    s.testo = std::move(byte);
    return std::nullopt;
}

std::optional<Diagnostica> converti_sorgente(SorgenteAutore& s) {
    TestoConvertito convertito = converti_in_1252(s.testo);
    s.testo = std::move(convertito.testo);
    if (convertito.errore) return diagnostica_carattere(s.percorso, *convertito.errore);
    return std::nullopt;
}

std::optional<Diagnostica> leggi_sorgente(SorgenteAutore& s) {
    if (std::optional<Diagnostica> d = leggi_byte_sorgente(s)) return d;
    return converti_sorgente(s);
}

std::string conteggi_compilazione(const Modello& m, const Provenienze& p) {
    return "compiled " + std::to_string(m.celle.size()) + " cells, " + std::to_string(p.stazioni) + " stations, " +
           std::to_string(p.segnali) + " signals, " + std::to_string(p.rallentamenti) + " slowdowns, " +
           std::to_string(std::ranges::count(m.celle, CELLA_CARTELLO, &Cella::tipo)) + " text signs";
}

std::string resoconto_diagnostiche(const std::vector<Diagnostica>& voci, bool troppi,
                                   std::span<const SorgenteAutore> sorgenti, const ResocontoCompila& r) {
    const std::vector<Diagnostica> mostrate = da_mostrare(voci, r);
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
