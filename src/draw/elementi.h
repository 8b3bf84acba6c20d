// What the drawing marks along the line, gathered once from the decoded
// files: positions in metres from the start of the line.
#pragma once

#include <optional>
#include <vector>

#include "scenario/rapporto.h"

namespace compattatore {

struct Rallentamento {
    int32_t inizio = 0;
    std::optional<int32_t> fine;
    int velocita = 0;  // km/h
};

struct PuntoSegnato {
    int32_t metro = 0;
    int valore = 0;  // km/h of a warning, value of an abbattimento
};

struct ElementiDisegno {
    int32_t lunghezza = 0;
    int32_t da = 0;  // the stretch drawn, metres
    int32_t a = 0;
    std::vector<Stazione> stazioni;
    std::vector<Tratto> montagne;  // spans of kind 1 and above
    std::vector<Tratto> pendenze;  // per mille, up to the end of the line
    std::vector<Tratto> velocita;  // km/h, up to the end of the line
    std::vector<int32_t> segnali;
    std::vector<Rallentamento> rallentamenti;
    std::vector<PuntoSegnato> avvisi;
    std::vector<PuntoSegnato> abbattimenti;
};

// What lies on the stretch of `intervallo` (the whole line by default).
ElementiDisegno elementi_di(const ScenarioCompilato& scenario, const Intervallo& intervallo);

}  // namespace compattatore
