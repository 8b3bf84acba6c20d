// The three binary scenario files, field by field in declared order,
// little-endian, with no gaps, streamed to a destination through a fixed
// buffer.
#pragma once

#include <string>
#include <vector>

#include "compiler/modello.h"
#include "output/scrittore_le.h"

namespace compattatore {

// Column 0 (x) of every row, then column 1 (y); each value a 16-bit tag
// (0 empty, 2 int16, 5 binary64) and its bytes.
void scrivi_tracciato(Destinazione& destinazione, const Tracciato& tracciato);
void scrivi_tracciato(Destinazione& destinazione, const TrattiTracciato& tratti);
// The 87 records, each 34 bytes plus its name.
void scrivi_oggetti(Destinazione& destinazione, const TabellaOggetti& oggetti);
// 15 bytes per cell.
void scrivi_celle(Destinazione& destinazione, const std::vector<Cella>& celle);

// The same bytes as one string each.
std::string codifica_tracciato(const Tracciato& tracciato);
std::string codifica_tracciato(const TrattiTracciato& tratti);
std::string codifica_oggetti(const TabellaOggetti& oggetti);
std::string codifica_celle(const std::vector<Cella>& celle);

}  // namespace compattatore
