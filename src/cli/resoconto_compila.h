// What the author's compile command says about a compilation: every
// diagnostic against the description file and the line that caused it, in
// the form editors and terminals understand, or as JSON.
#pragma once

#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "cli/stampa_diagnostiche.h"
#include "compiler/diagnostiche.h"
#include "compiler/provenienze.h"
#include "model/modello.h"
#include "model/testo_1252.h"

namespace compattatore {

enum class FormaDiagnostiche { testo, json };

struct ResocontoCompila {
    FormaDiagnostiche forma = FormaDiagnostiche::testo;
    // Kinds of the reader's warnings not shown: -Wno-KIND, and those off
    // unless -WKIND.
    std::set<std::string, std::less<>> silenziati{std::begin(GRUPPI_SPENTI), std::end(GRUPPI_SPENTI)};
    // Kinds of warning reported as errors (-Werror=KIND, and the kinds that
    // are errors from the start), and kinds kept as warnings even under
    // -Werror (-Wno-error=KIND); the later option of the two wins.
    std::set<std::string, std::less<>> promossi{std::begin(GRUPPI_ERRORE), std::end(GRUPPI_ERRORE)};
    std::set<std::string, std::less<>> declassati;
    bool avvisi_errori = false;  // -Werror: every warning is an error
    size_t massimo_errori = 20;  // 0: no limit

    void promuovi(std::string_view gruppo);
    void declassa(std::string_view gruppo);
};

// The diagnostics a report shows: all but the warnings of the kinds
// silenced, each warning an error where the options make it one.
std::vector<Diagnostica> da_mostrare(const std::vector<Diagnostica>& voci, const ResocontoCompila& r);
// Whether the options made one of the warnings of `voci` an error: the
// compile then fails, and writes only when forced.
bool avvisi_promossi(const std::vector<Diagnostica>& voci, const ResocontoCompila& r);

// The most bytes an author's description file may hold: a line of the
// greatest length takes a few MB, and a larger file would only cost time and
// memory. A file beyond it is refused after reading a byte more (code 25).
inline constexpr uint64_t MASSIMO_BYTE_DESCRIZIONE = uint64_t{64} << 20;
Diagnostica diagnostica_troppo_grande(const SorgenteAutore& sorgente);

// Reads the file at s.percorso into s.testo, converted to Windows-1252 as a
// UTF-8 file must be; the diagnostic when the file is too large or holds a
// character that code page lacks. Throws piattaforma::ErroreFile when the
// file cannot be read.
std::optional<Diagnostica> leggi_sorgente(SorgenteAutore& s);
// Its two steps apart, so that many files are read at once and converted
// side by side: the bytes as they are into s.testo (the diagnostic when the
// file is too large), then s.testo converted.
std::optional<Diagnostica> leggi_byte_sorgente(SorgenteAutore& s);
std::optional<Diagnostica> converti_sorgente(SorgenteAutore& s);

// "compiled N cells, N stations, N signals, N slowdowns, N text signs": what
// a compilation made, as every summary of `compile` says it.
std::string conteggi_compilazione(const Modello& m, const Provenienze& p);

// The report of `voci`: as text, each diagnostic with its line and caret,
// then the count as the last line, which also says "too many errors" when
// the limit cut the list (nothing at all when there is nothing to say); as
// JSON, one document.
std::string resoconto_diagnostiche(const std::vector<Diagnostica>& voci, bool troppi,
                                   std::span<const SorgenteAutore> sorgenti, const ResocontoCompila& r);

}  // namespace compattatore
