#include "compiler/tracciato.h"

#include <cstdint>

namespace compattatore {

double curvatura_classe(int classe) {
    static constexpr double CLASSI[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
    return classe >= 1 && classe <= 6 ? CLASSI[classe - 1] : 0.0;
}

double valore(const ValoreEtichettato& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const int16_t* i = std::get_if<int16_t>(&v)) return *i;
    return 0.0;
}

void avvia_tracciato(std::vector<RigaTracciato>& tracciato) {
    tracciato[0] = {int16_t{0}, int16_t{0}};
    tracciato[1] = {int16_t{0}, int16_t{1}};
}

void passo_rettilineo(std::vector<RigaTracciato>& t, size_t m) {
    double x1 = valore(t[m - 1].x), y1 = valore(t[m - 1].y);
    double dx = x1 - valore(t[m - 2].x), dy = y1 - valore(t[m - 2].y);
    t[m] = {x1 + dx, y1 + dy};
}

void passo_curvo(std::vector<RigaTracciato>& t, size_t m, double curvatura) {
    double x1 = valore(t[m - 1].x), y1 = valore(t[m - 1].y);
    double dx = x1 - valore(t[m - 2].x), dy = y1 - valore(t[m - 2].y);
    long double c = curvatura;
    auto passo_x = static_cast<double>(static_cast<long double>(dx) + c * static_cast<long double>(dy));
    auto passo_y = static_cast<double>(static_cast<long double>(dy) - c * static_cast<long double>(dx));
    t[m] = {x1 + passo_x, y1 + passo_y};
}

}  // namespace compattatore
