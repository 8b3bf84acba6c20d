// `compattatore draw`: the compiled route as an SVG picture.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "draw"; returns the exit status.
int esegui_disegna(std::span<const std::string_view> argomenti);

}  // namespace compattatore
