// The arguments that `inspect` and `draw` share: the directory and the keys.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "run/file_compilati.h"

namespace compattatore {

// Takes argomenti[i] (and its value, advancing i) when it is --line-key,
// --train-key or the directory. Returns false when the argument is not one of
// these; throws std::invalid_argument when it is but is wrong.
bool argomento_file(std::span<const std::string_view> argomenti, size_t& i, RichiestaFile& richiesta,
                    bool& directory_data);

// A key becomes part of file names: empty, holding a '/' or '\\', "." and
// ".." are refused with std::invalid_argument naming `opzione`.
std::string chiave_valida(std::string chiave, const char* opzione);

// A key as given on the command line (or read from a file name): refused
// as chiave_valida refuses it, then converted to Windows-1252 as the
// description text is, since the files hold it in that code page.
std::string chiave_del_comando(const std::string& chiave, const char* opzione);

// A kilometre value as given on the command line, in whole metres.
int32_t metri_da_km(const std::string& testo);

// The value after an option, or std::invalid_argument naming the option.
std::string valore_opzione(std::span<const std::string_view> argomenti, size_t& i);

}  // namespace compattatore
