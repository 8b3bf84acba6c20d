// The one place that turns diagnostics into what a person or a program
// reads: "FILE:LINE:COLUMN: error: message" with the line and a caret, the
// notes under it, the closing count, and the same list as JSON.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/diagnostiche.h"

namespace compattatore {

// A description file as the reader saw it, to show the lines diagnostics name.
struct SorgenteAutore {
    std::string percorso;  // as given on the command line
    std::string testo;     // Windows-1252
};

// The starts of a text's lines, found once, so that each diagnostic finds
// its line without reading the text from the start again. CR LF, CR and LF
// each end a line, as for the reader.
class IndiceRighe {
public:
    explicit IndiceRighe(std::string_view testo);
    // Line `riga` (1-based) without its line end; empty past the last.
    std::string_view riga(int riga) const;

private:
    std::string_view testo_;
    std::vector<size_t> inizi_;
};

// The description files with their lines indexed, for a list of diagnostics.
class SorgentiIndicizzate {
public:
    explicit SorgentiIndicizzate(std::span<const SorgenteAutore> sorgenti);
    // Line `riga` of `file`; empty for a file not among them.
    std::string_view riga(const std::string& file, int riga) const;

private:
    std::vector<std::pair<std::string, IndiceRighe>> indici_;
};

// Echoed lines longer than this many columns are cut around the caret's
// column, with "..." where text is left out.
inline constexpr size_t LARGHEZZA_RIGA_MOSTRATA = 200;

// "FILE:LINE:COLUMN", without the line or the column when it is 0.
std::string posto_nel_file(const std::string& file, int riga, int colonna);

// One located line: "FILE:LINE:COLUMN: <tipo>: <messaggio>", then `riga`
// (Windows-1252, the line it names; may be empty) and a caret under the
// column, the line cut around the column when it is longer than
// LARGHEZZA_RIGA_MOSTRATA. The message may quote the file's text too: both
// are shown as UTF-8 with control characters other than tabs as '?'. Ends
// with a line end.
std::string formatta_riga(std::string_view tipo, const std::string& file, Luogo luogo, const std::string& messaggio,
                          std::string_view riga);

// A diagnostic and its notes, each located in whichever of `sorgenti` it names.
std::string formatta_diagnostica(const Diagnostica& d, std::span<const SorgenteAutore> sorgenti);
std::string formatta_diagnostica(const Diagnostica& d, const SorgentiIndicizzate& sorgenti);

// "N errors, M warnings", in the singular where a count is 1.
std::string conteggio_diagnostiche(size_t errori, size_t avvisi);

// The list as one JSON document: {"diagnostics": [...], "errors": N,
// "warnings": M, "too_many_errors": bool}, texts as UTF-8; a diagnostic
// with a "did you mean" gives it as "replacement": {line, column, length,
// text}, else null.
std::string diagnostiche_json(std::span<const Diagnostica> voci, bool troppi);

}  // namespace compattatore
