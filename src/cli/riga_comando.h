// The command line of the program.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Parses the arguments (without the program name), runs what they ask for and
// returns the exit status.
int esegui_riga_comando(std::span<const std::string_view> argomenti);

}  // namespace compattatore
