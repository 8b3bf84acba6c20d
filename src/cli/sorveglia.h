// `compile --watch`: the compile run again each time a source file changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace compattatore {

// Runs `compila` once, then again after each change of one of `sorgenti`,
// each new result after a separator line with the time; a source that is
// missing is reported once and compiled again when it is back, also when
// its whole folder was gone (the folder watched anew is reported). Ends at
// SIGINT or SIGTERM with status 0; 3 when the files cannot be watched.
int compila_sorvegliando(const std::vector<std::string>& sorgenti, const std::function<int()>& compila);

}  // namespace compattatore
