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

// A scenario as crowded as an author's can be: records in any order with
// the sections they belong to, several text signs, slowdowns of every length
// from one cell up with their start anywhere in a cell, runs of signals a
// cell or more apart, stations whose stop marks fall on other objects,
// mountains touching, overlapping and crossing the objects, curves starting
// on and between cells. Many do not compile cleanly: the caller keeps those
// that do.
ScenarioGenerato genera_scenario_fitto(uint32_t seme);

}  // namespace compattatore::prova
