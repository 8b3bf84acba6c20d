// The reader: fills the route model from a line description file and a train
// description file, and says what it found as located diagnostics.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "compiler/diagnostiche.h"
#include "compiler/modello.h"
#include "compiler/provenienze.h"

namespace compattatore {

struct SorgentiDescrizione {
    std::string file_linea;
    std::string file_treno;
    // The normal run's description files are intermediates and go once read;
    // an author's own files are sources and are never touched.
    bool elimina_dopo_lettura = true;
    // The files' text when the caller has it already (an author's files
    // converted to Windows-1252): the reader then does not open them, and
    // the paths only name them in diagnostics.
    std::optional<std::string> testo_linea = std::nullopt;
    std::optional<std::string> testo_treno = std::nullopt;
};

struct OpzioniLettura {
    // Read on past a rejected record to find every error; the model stays
    // the one read up to the first error.
    bool tutti_gli_errori = false;
    size_t massimo_errori = 0;  // with tutti_gli_errori; 0: no limit
};

struct EsitoLettura {
    ElencoDiagnostiche diagnostiche;  // errors and warnings in file order, line file first
    Provenienze provenienze;          // of the objects in the model
};

// Reads both files into `m` (whose keys and `crea_tracciato` are already
// set). The model is the one read up to the error that stopped the reading,
// as the files to be written need; codice_errore and posizione_errore hold
// that error (after a code 15, which ends only its file, a later one).
EsitoLettura memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti, const OpzioniLettura& opzioni = {});

}  // namespace compattatore
