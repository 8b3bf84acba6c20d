// `compattatore lsp`: the language server, on standard input and output.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "lsp"; returns the exit status.
int esegui_lsp(std::span<const std::string_view> argomenti);

}  // namespace compattatore
