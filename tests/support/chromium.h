// Headless Chromium for the tests of pages: the system's own browser, with a
// fresh profile each time and nothing fetched from the network.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/processo.h"

namespace compattatore::prova {

// Why Chromium cannot run here, or nothing when it can.
std::optional<std::string> chromium_mancante();

// The DOM of `pagina` (a local file) after its scripts ran, as Chromium dumps
// it, in a window `larghezza` by `altezza`.
EsitoProcesso dom_dopo_script(const std::string& pagina, int larghezza = 1400, int altezza = 900);

// A screenshot of `pagina`, `larghezza` by `altezza`, into `png`.
EsitoProcesso fotografia(const std::string& pagina, const std::string& png, int larghezza, int altezza);

// The "name=value" lines a test script wrote into <pre id="esito">; a name
// written more than once keeps every value in order.
std::multimap<std::string, std::string> esito_della_pagina(const std::string& dom);

}  // namespace compattatore::prova
