// The normal run's step on disk: read the two description files, compile
// them (compila.h), and write the binary scenario files.
//
// Compiling and writing are separate steps so that every caller decides what
// an outcome means for it: the normal run writes unless an error was
// recorded, the author's compile command may only check, or force the
// writing. Nothing here prints or ends the program; the compilation's
// diagnostics say what happened, and the run layer reports them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "compiler/compila.h"
#include "compiler/descrizioni_file.h"
#include "model/modello.h"
#include "platform/file.h"

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
// cell file, encoded apart from their writing, so that many trains are
// encoded side by side; the plan is the line's, written apart.
struct FileTreno {
    std::string nome_oggetti;
    std::string oggetti;
    std::string nome_celle;
    std::string celle;
};
FileTreno codifica_file_treno(const Modello& m);

// A train's two files written whole into `directory` under temporary names,
// which take their places only when asked, as one set, as
// scrivi_file_binari puts its three: the plan, the line's, goes in place
// before any train's set. Dropped unplaced, they leave no trace.
class FileTrenoPreparati {
public:
    FileTrenoPreparati(const FileTreno& file, const std::string& directory, bool sincronizza = false);
    // Returns their paths.
    std::vector<std::string> metti_al_posto();

private:
    piattaforma::FileNuovo oggetti_;
    piattaforma::FileNuovo celle_;
    bool sincronizza_ = false;
};

// The plan file written whole under a temporary name and compared, as it is
// written, with the file already at its place, so that neither is ever held
// whole in memory; it takes the place only when asked, and only when its
// bytes differ. Dropped unplaced, it leaves no trace.
class TracciatoPreparato {
public:
    TracciatoPreparato(const Modello& m, const std::string& directory, bool sincronizza = false);
    ~TracciatoPreparato();
    TracciatoPreparato(const TracciatoPreparato&) = delete;
    TracciatoPreparato& operator=(const TracciatoPreparato&) = delete;

    const std::string& percorso() const { return percorso_; }
    // Puts it in place unless the file there holds the same bytes; returns
    // whether it did.
    bool metti_al_posto();

private:
    std::string percorso_;
    std::unique_ptr<piattaforma::FileNuovo> file_;
    bool cambiato_ = true;
    bool sincronizza_ = false;
};

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
