// Small hand-built route models for tests of the finishing pass, the checks
// and the writers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "model/modello.h"

namespace compattatore::prova {

// Cells 0..ultima, all free; keys in records 85 and 86 as the reader leaves them.
inline Modello modello_vuoto(int32_t ultima, std::string linea = "Corvale_Mendra", std::string treno = "4821-3") {
    Modello m;
    m.stato.chiave_linea = linea;
    m.stato.chiave_treno = treno;
    m.celle.resize(static_cast<size_t>(ultima) + 1);
    m.oggetti[OGGETTO_LINEA].nome = std::move(linea);
    m.oggetti[OGGETTO_TRENO].nome = std::move(treno);
    return m;
}

struct Posa {
    int32_t cella;
    uint8_t tipo;
    int16_t dato1 = 0;
};

inline void posa(Modello& m, std::initializer_list<Posa> pose) {
    for (const Posa& p : pose) {
        m.celle.at(static_cast<size_t>(p.cella)).tipo = p.tipo;
        m.celle.at(static_cast<size_t>(p.cella)).dato1 = p.dato1;
    }
}

}  // namespace compattatore::prova
