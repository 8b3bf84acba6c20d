// The reader: fills the route model from a line description file and a train
// description file, and says what it found as located diagnostics.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "compiler/diagnostiche.h"
#include "compiler/provenienze.h"
#include "model/modello.h"

namespace compattatore {

// The two description files' text (Windows-1252), as the caller read or
// converted them; the paths only name the files in diagnostics.
struct SorgentiDescrizione {
    std::string file_linea;
    std::string file_treno;
    std::string testo_linea;
    std::optional<std::string> testo_treno;  // none: there is no train file (code 25 once it is needed)
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
    bool treno_raggiunto = false;     // the reading that stops went on to the train file
};

// Reads both files into `m` (whose keys and `crea_tracciato` are already
// set). The model is the one read up to the error that stopped the reading,
// as the files to be written need (a code 15 ends only its own file, so a
// later error may follow it).
EsitoLettura memorizza_dati(Modello& m, const SorgentiDescrizione& sorgenti, const OpzioniLettura& opzioni = {});

// The line file read once for the many trains of a line: the model as the
// line leaves it and what its reading found, for each train's reading to go
// on from a copy of it.
struct LineaMemorizzata {
    Modello modello;
    EsitoLettura esito;
    int32_t prossimo_cartello = PRIMO_CARTELLO;
    bool celle_attese = false;
    // The line was read to its end with no error. Otherwise each train reads
    // the line again, as memorizza_dati does, so that what it reports and
    // writes is what compiling it alone would.
    bool senza_errori = false;
};

// Reads the line file alone into `m` (whose line key and `crea_tracciato`
// are set).
LineaMemorizzata memorizza_linea(Modello m, const std::string& file_linea, const std::string& testo_linea);

// What memorizza_dati(m, sorgenti, opzioni) gives, on a model `m` holding
// only the keys and `crea_tracciato` of the line's: when the line was read
// without error, only the train file is read, into a copy of the line's model.
EsitoLettura memorizza_treno(Modello& m, const LineaMemorizzata& linea, const SorgentiDescrizione& sorgenti,
                             const OpzioniLettura& opzioni = {});

}  // namespace compattatore
