// The viewer: one self-contained HTML page (its script, style sheet and data
// inline; nothing fetched) that draws the plan and the profile of a compiled
// scenario at any scale.
#pragma once

#include <string>
#include <vector>

#include "format/decodifica.h"
#include "scenario/rapporto.h"
#include "view/dati_vista.h"

namespace compattatore {

std::string pagina_vista(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi);

// The page of several trains of one line: each train's objects, one at a
// time by a selector, over the line drawn once, and the trains' graph.
// The first train's scenario holds the line's plan.
std::string pagina_vista_linea(const std::vector<TrenoVista>& treni);

}  // namespace compattatore
