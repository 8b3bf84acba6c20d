// A description file's lines split into fields as the editor shows them:
// each field's place on its line, for ranges, hovers and hints. Only the
// line is looked at: a quoted text that runs over a line end ends with it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace compattatore {

struct CampoRiga {
    size_t inizio = 0;  // the first byte of the field, blanks before it skipped
    size_t fine = 0;    // past its last byte, blanks after it dropped
    std::string_view testo;
};

// The lines of `testo`, without their line ends (CR LF, CR or LF each end one).
std::vector<std::string_view> righe_di(std::string_view testo);

std::vector<CampoRiga> campi_di(std::string_view riga);

// The field that holds byte `colonna` (0-based) of `riga`, or the nearest
// one before it; null on a line without fields.
const CampoRiga* campo_a(const std::vector<CampoRiga>& campi, size_t colonna);

}  // namespace compattatore
