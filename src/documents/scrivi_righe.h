// The one routine through which every text document reaches the disk.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace compattatore {

// The table's lines, each followed by CR LF.
std::string testo_righe(std::span<const std::string_view> tabella);

// Replaces the file at `percorso` with the table's lines, each followed by
// CR LF; with `sincronizza`, synced to the disk. Throws
// piattaforma::ErroreFile on failure.
void scrivi_righe(const std::string& percorso, std::span<const std::string_view> tabella, bool sincronizza = false);

}  // namespace compattatore
