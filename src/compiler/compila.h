// The whole compile in memory: the two description texts in, the route model
// and every condition found out, as one list of located diagnostics. What a
// caller needs of the outcome (whether an error stops the writing, the code a
// run records) is asked of that list; nothing else keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/diagnostiche.h"
#include "compiler/memorizza_dati.h"
#include "compiler/provenienze.h"
#include "model/modello.h"

namespace compattatore {

struct OpzioniCompilazione {
    std::string chiave_linea;
    std::string chiave_treno;
    int32_t crea_tracciato = 1;  // non-zero: the plan is built, and written as its own file
    OpzioniLettura lettura;
    // The model goes to disk even after a reading error (--force), so the
    // finishing pass's warnings on it are reported then too.
    bool forza = false;
};

struct Compilazione {
    Modello modello;
    // Everything found, in order: the reader's errors and warnings, the
    // finishing pass's warnings (after a reading error only when forced, each
    // with a note that it may follow from the errors), a reserved header
    // field set.
    ElencoDiagnostiche diagnostiche;
    // Where the model's objects came from, and how many were compiled.
    Provenienze provenienze;
};

// Reads the two texts into a fresh model with the given keys, then
// completa_compilazione.
Compilazione compila(const SorgentiDescrizione& sorgenti, const OpzioniCompilazione& opzioni);

// compila for one of the many trains of a line read once: the same
// outcome, the line's reading taken from `linea` (memorizza_treno).
Compilazione compila_treno(const LineaMemorizzata& linea, const SorgentiDescrizione& sorgenti,
                           const OpzioniCompilazione& opzioni);

// An empty model with the keys and plan flag of `opzioni`, to be read into.
Compilazione inizia_compilazione(const OpzioniCompilazione& opzioni);

// On c.modello already read, with what its reading found (which becomes the
// start of c's diagnostics): the finishing pass, then the reserved-field
// checks and stamps. Without a cell array neither runs, and an error says so
// if the reading named none. `forza`: as OpzioniCompilazione::forza.
void completa_compilazione(Compilazione& c, EsitoLettura letto, bool forza = false);

// The code a run records, and the position in metres that goes with it:
// the last coded error or warning (a reserved field aside) of a reading that
// stops, or of the finishing pass after it, each overwriting the last; the
// position is the cell's start for a finishing warning, else the record's
// position, kept from an earlier code when the last names none. {0, 0}: none.
// A finishing warning reported after a reading error (under --force) records
// nothing: the code stays the reading's.
struct CodiceRegistrato {
    int32_t codice = 0;
    int32_t posizione = 0;
    bool operator==(const CodiceRegistrato&) const = default;
};
CodiceRegistrato codice_registrato(const ElencoDiagnostiche& diagnostiche);

// 1250 or 1251 when a description file set a reserved header field.
std::optional<int32_t> codice_riservato(const ElencoDiagnostiche& diagnostiche);

}  // namespace compattatore
