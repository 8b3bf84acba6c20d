// `inspect`'s two renderings of a compiled scenario: text for a person,
// JSON for a program.
#pragma once

#include <string>

#include "scenario/rapporto.h"

namespace compattatore {

class ScrittoreJson;
// Members of an open object under the names `inspect --json` gives them (the
// viewer names them alike): one station, one text sign, one cell.
void membri_stazione_json(ScrittoreJson& j, const Stazione& s);
void membri_cartello_json(ScrittoreJson& j, const Cartello& c);
void membri_cella_json(ScrittoreJson& j, const CellaDescritta& c);

std::string rapporto_testo(const Rapporto& rapporto);
std::string rapporto_json(const Rapporto& rapporto);

}  // namespace compattatore
