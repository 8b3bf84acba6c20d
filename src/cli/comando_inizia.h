// `compattatore init`: the built-in scenario's two description files, as the
// normal run writes them, for an author to start from.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "init"; returns the exit status.
int esegui_inizia(std::span<const std::string_view> argomenti);

}  // namespace compattatore
