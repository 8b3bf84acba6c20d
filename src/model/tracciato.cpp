#include "model/tracciato.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/memoria.h"

namespace compattatore {

double curvatura_classe(int classe) {
    static constexpr double CLASSI[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
    return classe >= 1 && classe <= 6 ? CLASSI[classe - 1] : 0.0;
}

Tracciato::Tracciato(size_t righe) : righe_(righe) {
    punti_.reserve(righe);
    piattaforma::prepara_pagine_grandi(punti_.data(), righe * sizeof(PuntoPiano));
}

double valore(const ValoreEtichettato& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const int16_t* i = std::get_if<int16_t>(&v)) return *i;
    return 0.0;
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

void TrattiTracciato::avvia() {
    assert(assegnate_ == 0 && righe_ >= RIGHE_INTERE);
    assegnate_ = RIGHE_INTERE;
}

void TrattiTracciato::aggiungi_tratto(double curvatura, size_t quanti) {
    assert(assegnate_ >= RIGHE_INTERE && quanti <= righe_ - assegnate_);
    if (quanti == 0) return;
    if (!tratti_.empty() && tratti_.back().curvatura == curvatura)
        tratti_.back().righe += quanti;
    else
        tratti_.push_back({curvatura, quanti});
    assegnate_ += quanti;
}

void TrattiTracciato::torna_a(const Tacca& t) {
    assert(t.tratti <= tratti_.size() && t.assegnate <= assegnate_);
    tratti_.resize(t.tratti);
    if (!tratti_.empty()) tratti_.back().righe = t.righe_ultimo;
    assegnate_ = t.assegnate;
}

namespace {

// `quanti` steps from the two rows `prima` and `ultima`, stored from `dove`;
// the last two rows ride in registers from one step to the next.
template <class Passo>
void passi(PuntoPiano& prima, PuntoPiano& ultima, PuntoPiano* dove, size_t quanti, Passo passo) {
    for (size_t i = 0; i < quanti; ++i) {
        const PuntoPiano p = passo(prima, ultima);
        dove[i] = p;
        prima = ultima;
        ultima = p;
    }
}

}  // namespace

void TrattiTracciato::per_blocchi(const std::function<void(std::span<const PuntoPiano>)>& blocco) const {
    if (assegnate_ == 0) return;
    // Small enough to stay in the cache while it is handed on.
    static constexpr size_t RIGHE_BLOCCO = 2048;
    std::array<PuntoPiano, RIGHE_BLOCCO> righe;
    righe[0] = {0.0, 0.0};
    righe[1] = {0.0, 1.0};
    size_t pieno = RIGHE_INTERE;
    PuntoPiano prima = righe[0], ultima = righe[1];
    for (const Tratto& t : tratti_) {
        for (size_t resto = t.righe; resto > 0;) {
            if (pieno == RIGHE_BLOCCO) {
                blocco(righe);
                pieno = 0;
            }
            const size_t n = std::min(resto, RIGHE_BLOCCO - pieno);
            if (t.curvatura == 0.0)
                passi(prima, ultima, &righe[pieno], n, passo_dritto);
            else
                passi(prima, ultima, &righe[pieno], n,
                      [c = t.curvatura](PuntoPiano a, PuntoPiano b) { return passo_girato(a, b, c); });
            pieno += n;
            resto -= n;
        }
    }
    blocco({righe.data(), pieno});
}

Tracciato righe_tracciato(const TrattiTracciato& tratti) {
    Tracciato t(tratti.size());
    tratti.per_blocchi([&t](std::span<const PuntoPiano> righe) {
        for (const PuntoPiano& p : righe) t.aggiungi(p.x, p.y);
    });
    return t;
}

}  // namespace compattatore
