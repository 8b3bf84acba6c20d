// Names and sign texts are single-byte Windows-1252 in the compiled files;
// JSON and SVG want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace compattatore {

// Every byte becomes its Windows-1252 character in UTF-8; the five bytes the
// code page leaves undefined become U+FFFD.
std::string utf8_da_windows_1252(std::string_view testo);

}  // namespace compattatore
