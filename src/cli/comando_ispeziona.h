// `compattatore inspect`: the compiled files of a scenario shown as text or JSON.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

// Arguments after "inspect"; returns the exit status.
int esegui_ispeziona(std::span<const std::string_view> argomenti);

}  // namespace compattatore
