// Finding and reading the compiled files of one scenario in a directory,
// for the commands that look at them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

struct RichiestaFile {
    std::string directory = ".";
    std::optional<std::string> linea;  // keys given on the command line
    std::optional<std::string> treno;
};

struct FileCompilati {
    ChiaviScenario chiavi;
    ScenarioCompilato scenario;
    std::vector<std::string> letti;  // paths of the files read
};

// The keys: those given; otherwise the build's when its object file is in
// the directory; otherwise those held by the directory's only *.sim file
// (none there: a missing file).
// Then reads and decodes the object and cell files and, when present, the
// plan file. Throws piattaforma::ErroreFile for a missing or unreadable file,
// ErroreDecodifica for a bad one, ErroreUso when the keys cannot be told.
FileCompilati leggi_file_compilati(const RichiestaFile& richiesta);

// Where a command writes what it makes of the files: `uscita` (-o) or
// `predefinito`. Throws ErroreUso when that is one of the files `letti`,
// which writing would destroy.
std::string percorso_prodotto(const std::optional<std::string>& uscita, const std::string& predefinito,
                              const std::vector<std::string>& letti);

// What draw and view do with what they make: write it to
// percorso_prodotto's file and say so on standard output, or, for `-o -`,
// write it on standard output itself; `nota` (a line, or nothing) goes
// beside the report, on standard error for `-o -`.
int consegna(const std::optional<std::string>& uscita, const std::string& predefinito,
             const std::vector<std::string>& letti, const std::function<std::string()>& prodotto,
             const std::string& nota);
// consegna of what is made of one train's files, by default to
// DIR/LINE_TRAIN.EXT.
int consegna_prodotto(const std::optional<std::string>& uscita, const RichiestaFile& richiesta,
                      const FileCompilati& file, const std::string& estensione,
                      const std::function<std::string()>& prodotto, const std::string& nota);

// --train-key alone names a train compiled in the directory: its line is
// taken from there, and no --line-key is needed. Trains of that key on
// several lines are the build's line's when its train's object file is
// there; otherwise this throws ErroreUso.
void linea_del_treno(RichiestaFile& richiesta);

// The line a command over a whole line looks at, without --train-key, is
// the one --line-key names, else the build's when its train's object file is
// in the directory (the keys leggi_file_compilati reads), else the one line
// compiled there. Both functions below throw ErroreUso when trains of
// several lines are there and none of these tells which.

// The keys of the trains a command over a whole line reads: every train of
// that line there (the one --train-key names, when given), else the one
// train leggi_file_compilati would read.
std::vector<ChiaviScenario> treni_richiesti(const RichiestaFile& richiesta);

// The trains of the line a command without --train-key looks at as a whole,
// when there are more than one; none otherwise.
std::vector<ChiaviScenario> treni_della_linea(const RichiestaFile& richiesta);

// For a command that shows one train, `letto`, when the directory holds
// others of its line and no --train-key chose it: a line for standard error
// saying how many trains there are and naming the others. Empty otherwise.
std::string nota_altri_treni(const std::string& comando, const RichiestaFile& richiesta, const ChiaviScenario& letto);

// The object and cell files of each of `treni`, trains of one line in
// `directory`, and the line's plan file once, when present, into the first.
std::vector<FileCompilati> leggi_treni_compilati(const std::string& directory,
                                                 const std::vector<ChiaviScenario>& treni);

// The object file of one train alone, as the scenario's object table.
struct OggettiTreno {
    ScenarioCompilato scenario;  // no cells, no plan
    std::string letto;           // the path read
};
OggettiTreno leggi_oggetti_treno(const std::string& directory, const ChiaviScenario& chiavi);

// Runs `azione` and turns the failures of reading into the exit status and a
// message on standard error: 1 bad file, 3 missing or unreadable.
int con_lettura(const std::string& comando, const std::function<int()>& azione);
// con_lettura of `azione` over the files leggi_file_compilati reads.
int con_file_compilati(const RichiestaFile& richiesta, const std::string& comando,
                       const std::function<int(const FileCompilati&)>& azione);

}  // namespace compattatore
