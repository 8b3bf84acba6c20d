// The normal run's step on disk: read the two description files, compile
// them (compila.h), and write the binary scenario files.
//
// Compiling and writing are separate steps so that every caller decides what
// an outcome means for it: the normal run writes unless an error was
// recorded, the author's compile command may only check, or force the
// writing. Nothing here prints or ends the program; the compilation's
// diagnostics say what happened, and the run layer reports them.
#pragma once

#include <string>
#include <vector>

#include "compiler/compila.h"
#include "compiler/descrizioni_file.h"
#include "model/modello.h"

namespace compattatore {

struct OpzioniScrittura {
    std::string directory;     // where the binary files go
    bool scrivi = true;        // false: compile and report only, write nothing
    bool forza = false;        // write even after a recorded reading error
    bool sincronizza = false;  // sync each file to the disk before its rename, and the directory after
};

// Whether the compiled model may go to disk: there are cells, no reserved
// field was set, no reading error was recorded unless forced, and writing was
// asked for. Warnings of the finishing pass never stop the writing.
bool da_scrivere(const Compilazione& c, const OpzioniScrittura& opzioni);

// The plan file (only when m.stato.crea_tracciato is non-zero), the object
// file and the cell file, each written whole under a temporary name; only
// when all are complete are they put in place, as one set
// (piattaforma::rinomina_insieme), so a failure while writing or renaming
// leaves every old file as it was and no temporary behind.
// Returns their paths. Throws piattaforma::ErroreFile when a file cannot be
// written.
std::vector<std::string> scrivi_file_binari(const Modello& m, const std::string& directory, bool sincronizza = false);

// The train's own files of a line's many trains, the object file and the
// cell file, put in place as one set as scrivi_file_binari puts its three;
// the plan is the line's, written apart (byte_tracciato).
std::vector<std::string> scrivi_file_treno(const Modello& m, const std::string& directory, bool sincronizza = false);

// The plan file as scrivi_file_binari writes it, put in place only when the
// file there does not already hold these very bytes: compared as they are
// written, so that neither is ever held whole. Returns its path and whether
// it was written. Throws piattaforma::ErroreFile when it cannot be written.
struct TracciatoScritto {
    std::string percorso;
    bool scritto = false;
};
TracciatoScritto scrivi_tracciato_se_cambiato(const Modello& m, const std::string& directory,
                                              bool sincronizza = false);

struct PercorsoMemorizzato {
    Compilazione compilazione;
    std::vector<std::string> file_scritti;  // full paths, in the order written
};

// The normal run's whole step: compila on the description files (read and
// deleted by memorizza_dati_da_file), then scrivi_file_binari when
// da_scrivere allows it.
PercorsoMemorizzato memorizza_percorso(const OpzioniCompilazione& compilazione, const FileDescrizione& file,
                                       const OpzioniScrittura& opzioni);

}  // namespace compattatore
