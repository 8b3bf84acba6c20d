// What the viewer page is given: the scenario as one JSON document, with the
// objects named as `inspect --json` names them and the plan simplified.
#pragma once

#include <string>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

// The finest drawing the viewer allows, in plan metres per pixel: the plan's
// points are kept down to this error and no further.
inline constexpr double METRI_PER_PIXEL_MINIMI = 0.25;

std::string dati_vista_json(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi);

}  // namespace compattatore
