#include "compiler/tracciato.h"

#include <cstdint>

#include "platform/memoria.h"

namespace compattatore {

Tracciato::Tracciato(size_t righe) : righe_(righe) {
    punti_.reserve(righe);
    piattaforma::prepara_pagine(punti_.data(), righe * sizeof(Punto));
}

double valore(const ValoreEtichettato& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const int16_t* i = std::get_if<int16_t>(&v)) return *i;
    return 0.0;
}

void avvia_tracciato(Tracciato& t) {
    t.aggiungi(0, 0);
    t.aggiungi(0, 1);
}

void passo_rettilineo(Tracciato& t) {
    const size_t m = t.assegnate();
    double x1 = t.x(m - 1), y1 = t.y(m - 1);
    double dx = x1 - t.x(m - 2), dy = y1 - t.y(m - 2);
    t.aggiungi(x1 + dx, y1 + dy);
}

void passo_curvo(Tracciato& t, double curvatura) {
    const size_t m = t.assegnate();
    double x1 = t.x(m - 1), y1 = t.y(m - 1);
    double dx = x1 - t.x(m - 2), dy = y1 - t.y(m - 2);
    long double c = curvatura;
    auto passo_x = static_cast<double>(static_cast<long double>(dx) + c * static_cast<long double>(dy));
    auto passo_y = static_cast<double>(static_cast<long double>(dy) - c * static_cast<long double>(dx));
    t.aggiungi(x1 + passo_x, y1 + passo_y);
}

}  // namespace compattatore
