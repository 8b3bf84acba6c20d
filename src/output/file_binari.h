// Byte images of the three binary scenario files, field by field in declared
// order, little-endian, with no gaps.
#pragma once

#include <string>
#include <vector>

#include "compiler/modello.h"

namespace compattatore {

// Column 0 (x) of every row, then column 1 (y); each value a 16-bit tag
// (0 empty, 2 int16, 5 binary64) and its bytes.
std::string codifica_tracciato(const std::vector<RigaTracciato>& tracciato);
// The 87 records, each 34 bytes plus its name.
std::string codifica_oggetti(const TabellaOggetti& oggetti);
// 15 bytes per cell.
std::string codifica_celle(const std::vector<Cella>& celle);

}  // namespace compattatore
