// The folder a command writes into (-o), made when it is not there yet, as
// init makes its own.
#pragma once

#include <string>

namespace compattatore {

// Makes `cartella` when it is missing and its parent exists. One that cannot
// be made is left to the writing, which names the file it could not write.
void prepara_cartella_uscita(const std::string& cartella);

}  // namespace compattatore
