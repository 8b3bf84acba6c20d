// The viewer: one self-contained HTML page (its script, style sheet and data
// inline; nothing fetched) that draws the plan and the profile of a compiled
// scenario at any scale.
#pragma once

#include <string>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

std::string pagina_vista(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi);

}  // namespace compattatore
