// Text the user asked for (a command's help, the version) on standard output.
#pragma once

#include <string_view>

namespace compattatore {

// Status 0 once `testo` is written; 3, with the reason on standard error,
// when standard output refuses it.
int mostra_testo(std::string_view testo);

}  // namespace compattatore
