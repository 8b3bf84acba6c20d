// Random valid scenarios for the decompiler's property test: a line with
// curves of every class and direction (back to back, at both ends of the
// plan), gradients, mountains, speed boards and signs, and a run with
// stations, slowdowns, signals and abbattimento cells, values reaching the
// edges of their fields.
#pragma once

#include <cstdint>
#include <string>

namespace compattatore::prova {

struct ScenarioGenerato {
    std::string linea;
    std::string treno;
};

// The same seed gives the same scenario. Point objects never share a cell,
// so the reader takes every record; the caller still checks that the
// scenario compiles cleanly.
ScenarioGenerato genera_scenario(uint32_t seme);

}  // namespace compattatore::prova
