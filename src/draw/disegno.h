// The route drawing: the plan of the line to scale and its profile, as one
// SVG document.
#pragma once

#include <string>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

// The stretch of `intervallo` (the whole line by default) at a scale that fits
// it. Without a plan table the drawing holds the profile alone and says so.
std::string disegna_scenario(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi,
                             const Intervallo& intervallo = {});

}  // namespace compattatore
