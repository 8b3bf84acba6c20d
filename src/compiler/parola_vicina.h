// The known word nearest to a misspelt one, for "did you mean": keywords,
// section names, command options.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace compattatore {

// The word of `note` fewest edits (a letter added, dropped or changed,
// letters of either case alike) away from `scritta`, when it is near enough
// to be what was meant: at most one edit in four letters, and at least one.
// The first of equals wins.
std::optional<std::string_view> parola_vicina(std::string_view scritta, std::span<const std::string_view> note);

}  // namespace compattatore
