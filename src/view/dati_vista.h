// What the viewer page is given: the scenario as one JSON document, with the
// objects named as `inspect --json` names them and the plan simplified.
#pragma once

#include <string>
#include <vector>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

// The finest drawing the viewer allows, in plan metres per pixel: the plan's
// points are kept down to this error and no further.
inline constexpr double METRI_PER_PIXEL_MINIMI = 0.25;

std::string dati_vista_json(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi);

// One train of a line, as the page of the whole line shows it.
struct TrenoVista {
    const ScenarioCompilato& scenario;
    const ChiaviScenario& chiavi;
};

// The page's data for several trains of one line: the objects and profile
// runs every train holds alike once, under "shared", each train's own under
// "trains" (the viewer puts them together again), the line's plan once (that of the first train's
// scenario, the others' plan being the same line's) and the train graph
// `grafico`, an SVG document, under "graph".
std::string dati_vista_linea_json(const std::vector<TrenoVista>& treni, const std::string& grafico);

}  // namespace compattatore
