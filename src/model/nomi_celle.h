// The object a cell holds, in words, for notes that name it.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/modello.h"

namespace compattatore {

constexpr std::string_view nome_oggetto(uint8_t tipo) {
    switch (tipo) {
        case CELLA_SEGNALE: return "signal";
        case CELLA_FINE_RALLENTAMENTO: return "slowdown end";
        case CELLA_INIZIO_RALLENTAMENTO: return "slowdown start";
        case CELLA_AVVISO_RALLENTAMENTO: return "slowdown warning point";
        case CELLA_PREAVVISO_RALLENTAMENTO: return "slowdown approach cell";
        case CELLA_INDICATORE_VMAX: return "speed board";
        case CELLA_FERMATA: return "station stop mark";
        case CELLA_GALLERIA: return "tunnel marker";
        case CELLA_ABBATTIMENTO:
        case CELLA_ABBATTIMENTO_NULLO: return "abbattimento";
        case CELLA_CARTELLO: return "text sign";
        default: return "object";
    }
}

}  // namespace compattatore
