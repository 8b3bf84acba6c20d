// SHA-256 of a byte string, as lower-case hex: pins large expected files
// without keeping them in the repository.
#pragma once

#include <string>
#include <string_view>

namespace compattatore::prova {

std::string sha256_hex(std::string_view dati);

}  // namespace compattatore::prova
