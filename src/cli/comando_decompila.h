// The `decompile` command: the description files back from a compiled scenario.
#pragma once

#include <span>
#include <string_view>

namespace compattatore {

int esegui_decompila(std::span<const std::string_view> argomenti);

}  // namespace compattatore
