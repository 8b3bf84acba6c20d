// The train graph of a line: each train's run as points of time and
// distance, from its stations' scheduled times and its start clock, and the
// places where two runs cross between stations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/decodifica.h"
#include "scenario/rapporto.h"

namespace compattatore {

struct FermataCorsa {
    std::string nome;  // UTF-8
    int32_t metri = 0;
    // Seconds after the midnight before the run starts; none for a station
    // whose time is 00:00:00, which is how a train file leaves a time out.
    std::optional<int64_t> secondi;
};

struct PuntoCorsa {
    int64_t secondi = 0;
    int32_t metri = 0;
};

struct Corsa {
    std::string treno;  // the train key, UTF-8
    std::vector<FermataCorsa> fermate;
    // The line drawn: the train standing at its first station from the start
    // clock (a flat step), then every station that has a time, in the
    // train's order, so that a time running backwards shows as such.
    std::vector<PuntoCorsa> punti;
};

struct StazioneGrafico {
    std::string nome;  // UTF-8
    int32_t metri = 0;
};

// Two runs whose lines cross strictly between two adjacent stations.
struct Incrocio {
    size_t prima = 0;  // indices of the runs
    size_t seconda = 0;
    double secondi = 0;
    double metri = 0;
    size_t da = 0;  // indices of the stations bounding the stretch
    size_t a = 0;
    bool sorpasso = false;  // both run the same way; otherwise a meeting
};

Corsa corsa_di(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi);

// Every station of the runs by distance, once for each name and place.
std::vector<StazioneGrafico> stazioni_delle_corse(const std::vector<Corsa>& corse);

std::vector<Incrocio> incroci_tra(const std::vector<Corsa>& corse, const std::vector<StazioneGrafico>& stazioni);

}  // namespace compattatore
