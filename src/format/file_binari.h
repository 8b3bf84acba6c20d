// The three binary scenario files, field by field in declared order,
// little-endian, with no gaps, streamed to a destination through a fixed
// buffer.
#pragma once

#include <string>
#include <vector>

#include "format/scrittore_le.h"
#include "model/modello.h"

namespace compattatore {

// The plan file is column 0 (x) of every row, then column 1 (y); each value a
// 16-bit tag (0 empty, 2 int16, 5 binary64) and its bytes. Both columns take
// this many bytes.
uint64_t byte_colonna_tracciato(const TrattiTracciato& tratti);
// Column 0 to `colonna0` and column 1 to `colonna1`, each row computed once
// for both.
void scrivi_tracciato(Destinazione& colonna0, Destinazione& colonna1, const TrattiTracciato& tratti);
// The 87 records, each 34 bytes plus its name.
void scrivi_oggetti(Destinazione& destinazione, const TabellaOggetti& oggetti);
// 15 bytes per cell.
inline constexpr size_t BYTE_CELLA = 15;
void scrivi_celle(Destinazione& destinazione, const std::vector<Cella>& celle);

// The same bytes as one string each.
std::string codifica_tracciato(const Tracciato& tracciato);
std::string codifica_tracciato(const TrattiTracciato& tratti);
std::string codifica_oggetti(const TabellaOggetti& oggetti);
std::string codifica_celle(const std::vector<Cella>& celle);

}  // namespace compattatore
