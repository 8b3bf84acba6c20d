// Which files make scenarios together: a line file KEY_linea.txt and the
// train files KEY_TRAIN-.txt beside it, open in the editor or on the disk.
// A line with several train files is one line with several scenarios.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lsp/documenti.h"

namespace compattatore {

struct GruppoScenari {
    std::string linea;               // the line file's path
    std::string chiave_linea;        // as its name spells it
    bool linea_presente = false;     // open or on the disk
    std::vector<std::string> treni;  // the train files' paths, in name order
};

// The group `percorso` belongs to, as a line file or as a train file; none
// for a file named neither way. A train file's line key is the longest
// prefix before a '_' whose line file is there, else the shortest.
std::optional<GruppoScenari> gruppo_di(const std::string& percorso, const DocumentiAperti& aperti);

}  // namespace compattatore
