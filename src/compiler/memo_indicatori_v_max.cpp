#include <limits>
#include <string>

#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/registratori.h"
#include "model/numeri.h"

namespace compattatore {

namespace {

// Left speed / 5 in the hundreds, right speed / 5 in the units.
int16_t velocita_impaccate(int32_t sinistra, int32_t destra, const char* rango) {
    int64_t v = arrotonda(sinistra * 20.0 + destra / 5.0);
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        throw ErroreLettura(std::string("indicatori_vmax: packed speeds of rank ") + rango + " (" + std::to_string(v) +
                            ") do not fit a 16-bit field");
    return static_cast<int16_t>(v);
}

}  // namespace

int32_t memo_indicatori_v_max(Modello& m, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs, int32_t strisces,
                              int32_t vad, int32_t vbd, int32_t vcd, int32_t strisced) {
    Cella& c = cella(m, cella_di(posizione), "indicatori_vmax", posizione);
    if (!cella_libera(c)) return ERRORE_INDICATORE_OCCUPATO;
    c.tipo = CELLA_INDICATORE_VMAX;
    c.dato1 = velocita_impaccate(vas, vad, "A");
    c.dato2 = velocita_impaccate(vbs, vbd, "B");
    c.dato3 = velocita_impaccate(vcs, vcd, "C");
    const char* formula4 = "indicatori_vmax: 10 * strisces + strisced";
    c.dato4 = basso16(somma32(prodotto32(10, strisces, formula4), strisced, formula4));
    return 0;
}

}  // namespace compattatore
