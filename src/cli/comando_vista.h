// `compattatore view`: the compiled route as one self-contained HTML page
// that shows it at any scale in a web browser.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "view"; returns the exit status.
int esegui_vista(std::span<const std::string_view> argomenti);

}  // namespace compattatore
