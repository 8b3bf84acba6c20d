// The route compiler's entry point: read the two description files, finish
// the cells, check and stamp the header, and write the binary scenario files.
//
// Compiling and writing are separate steps so that every caller decides what
// an outcome means for it: the normal run writes unless an error was
// recorded, the author's compile command may only check, or force the
// writing. Nothing here prints or ends the program; the outcome says what
// happened, as located diagnostics, and the run layer reports it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/descrizioni_file.h"
#include "compiler/diagnostiche.h"
#include "compiler/finitura.h"
#include "compiler/memorizza_dati.h"
#include "model/modello.h"

namespace compattatore {

struct EsitoPercorso {
    // Everything found, in order: the reader's errors and warnings, the
    // finishing pass's warnings (only when reading found no error), a
    // reserved header field set.
    ElencoDiagnostiche diagnostiche;
    // Where the model's objects came from, and how many were compiled.
    Provenienze provenienze;
    // The reader's first error (0: both files read whole) and its position
    // in metres.
    int32_t codice_lettura = 0;
    int32_t posizione_lettura = 0;
    // Every warning of the finishing pass (11, 12 or 13), in the order met.
    std::vector<AvvisoFinitura> avvisi;
    // 1250 or 1251 when a description file set a reserved header field.
    int32_t codice_riservato = 0;
    // The reader created the cell array (with a cell 1); without it nothing
    // after the reading ran.
    bool celle_create = false;
    // Full paths of the binary files written, in the order written.
    std::vector<std::string> file_scritti;
};

struct OpzioniScrittura {
    std::string directory;     // where the binary files go
    bool scrivi = true;        // false: compile and report only, write nothing
    bool forza = false;        // write even after a recorded reading error
    bool sincronizza = false;  // sync each file to the disk before its rename, and the directory after
};

// Everything but the writing, on a model whose keys are set: stores
// `crea_tracciato`, clears codice_errore and the object table, reads the two
// texts, then runs completa_percorso.
EsitoPercorso compila_percorso(Modello& m, int32_t crea_tracciato, const SorgentiDescrizione& sorgenti,
                               const OpzioniLettura& lettura = {});

// On a model already read (codice_errore as the reader left it, `letto` what
// the reader found): the finishing pass, then the reserved-field checks and
// stamps.
EsitoPercorso completa_percorso(Modello& m, EsitoLettura letto = {});

// Whether the compiled model may go to disk: there are cells, no reserved
// field was set, no reading error was recorded unless forced, and writing was
// asked for. Warnings of the finishing pass never stop the writing.
bool da_scrivere(const EsitoPercorso& esito, const OpzioniScrittura& opzioni);

// The plan file (only when m.stato.crea_tracciato is non-zero), the object
// file and the cell file, each written whole under a temporary name; only
// when all are complete are they renamed over the old files, so a failure
// while writing leaves every old file as it was and no temporary behind.
// Returns their paths. Throws piattaforma::ErroreFile when a file cannot be
// written.
std::vector<std::string> scrivi_file_binari(const Modello& m, const std::string& directory, bool sincronizza = false);

// The normal run's whole step: the same on the description files (read and
// deleted by memorizza_dati_da_file), then scrivi_file_binari when
// da_scrivere allows it.
EsitoPercorso memorizza_percorso(Modello& m, int32_t crea_tracciato, const FileDescrizione& file,
                                 const OpzioniScrittura& opzioni);

}  // namespace compattatore
