// Files the tests share: the compiled files of the normal run kept in the
// test data, read whole.
#pragma once

#include <cstdint>
#include <string>

namespace compattatore::test {

// Directory of the normal run's object and cell files.
inline const std::string DIRECTORY_CORSA_NORMALE = std::string(DATI_TEST) + "/corsa_normale";
inline const std::string FILE_OGGETTI_NORMALE = "Corvale_Mendra_4821-3.sim";
inline const std::string FILE_CELLE_NORMALE = "Corvale_Mendra_4821-3.dat";

std::string leggi_dato(const std::string& directory, const std::string& nome);

// A plan file image for a line of `lunghezza` metres laid as the writer lays
// it (rows 0 and 1 integers, then reals, the last two rows empty), along a
// track that bends gently to the right.
std::string tracciato_di_prova(int32_t lunghezza);

}  // namespace compattatore::test
