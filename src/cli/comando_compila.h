// `compattatore compile`: an author's own line and train description files
// compiled into the binary scenario files, with diagnostics on standard error.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "compile"; returns the exit status.
int esegui_compila(std::span<const std::string_view> argomenti);

}  // namespace compattatore
