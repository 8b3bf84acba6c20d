#include "compiler/tracciato.h"

#include <cstdint>

#include "platform/memoria.h"

namespace compattatore {

double curvatura_classe(int classe) {
    static constexpr double CLASSI[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
    return classe >= 1 && classe <= 6 ? CLASSI[classe - 1] : 0.0;
}

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

PuntoPiano passo_dritto(PuntoPiano prima, PuntoPiano ultima) {
    const double dx = ultima.x - prima.x, dy = ultima.y - prima.y;
    return {ultima.x + dx, ultima.y + dy};
}

PuntoPiano passo_girato(PuntoPiano prima, PuntoPiano ultima, double curvatura) {
    const double dx = ultima.x - prima.x, dy = ultima.y - prima.y;
    const long double c = curvatura;
    const auto passo_x = static_cast<double>(static_cast<long double>(dx) + c * static_cast<long double>(dy));
    const auto passo_y = static_cast<double>(static_cast<long double>(dy) - c * static_cast<long double>(dx));
    return {ultima.x + passo_x, ultima.y + passo_y};
}

namespace {

// Row r as a point.
PuntoPiano riga(const Tracciato& t, size_t r) { return {t.x(r), t.y(r)}; }

// The last two rows ride in registers from one step to the next, not
// through the table.
template <class Passo>
void passi(Tracciato& t, size_t quanti, Passo passo) {
    const size_t m = t.assegnate();
    PuntoPiano prima = riga(t, m - 2), ultima = riga(t, m - 1);
    for (size_t i = 0; i < quanti; ++i) {
        const PuntoPiano p = passo(prima, ultima);
        t.aggiungi(p.x, p.y);
        prima = ultima;
        ultima = p;
    }
}

}  // namespace

void passi_rettilinei(Tracciato& t, size_t quanti) { passi(t, quanti, passo_dritto); }

void passi_curvi(Tracciato& t, double curvatura, size_t quanti) {
    passi(t, quanti, [curvatura](PuntoPiano a, PuntoPiano b) { return passo_girato(a, b, curvatura); });
}

}  // namespace compattatore
