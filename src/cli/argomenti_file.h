// The arguments of the commands that read a compiled scenario: the directory
// and the keys; and the values they check.
#pragma once

#include <cstdint>
#include <string>

#include "cli/file_compilati.h"
#include "cli/opzioni.h"

namespace compattatore {

// The options of the commands that read a compiled scenario: --line-key,
// --train-key and the directory (one word).
void opzioni_file(Opzioni& opzioni, RichiestaFile& richiesta);

// A key becomes part of file names: empty, holding a '/' or '\\', "." and
// ".." are refused with ErroreUso naming `opzione`.
std::string chiave_valida(std::string chiave, const char* opzione);

// A key as given on the command line (or read from a file name): refused
// as chiave_valida refuses it, then converted to Windows-1252 as the
// description text is, since the files hold it in that code page.
std::string chiave_del_comando(const std::string& chiave, const char* opzione);

// A kilometre value as given on the command line, in whole metres.
int32_t metri_da_km(const std::string& testo);

// --from KM and --to KM, the stretch of line shown.
void opzioni_intervallo(Opzioni& opzioni, Intervallo& intervallo);
// A stretch that ends where it starts, or before, is refused (ErroreUso).
void controlla_intervallo(const Intervallo& intervallo);

}  // namespace compattatore
