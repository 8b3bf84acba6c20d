// What a run says when another run holds its output directory.
#pragma once

#include <string>

namespace compattatore {

// One line on standard error: the run waits for the other to finish.
void attesa_directory(const std::string& directory);

}  // namespace compattatore
