// Description files of a generated scenario on a line of the largest length
// the reader accepts, with objects spread evenly along it, for timing step 6.
#pragma once

#include <string>

namespace compattatore::banco {

inline constexpr int LUNGHEZZA_MASSIMA = 1000000;
// The keys the generated files are named with when written on their own.
inline constexpr const char* CHIAVE_LINEA = "Generata";
inline constexpr const char* CHIAVE_TRENO = "1M";

// CR LF text of the line description file.
std::string linea_generata(int lunghezza);
// CR LF text of the train description file for that line.
std::string treno_generato(int lunghezza);

}  // namespace compattatore::banco
