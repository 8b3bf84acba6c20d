#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/registratori.h"
#include "model/numeri.h"

namespace compattatore {

int32_t memo_rallentamento(Modello& m, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta, int32_t d_v) {
    const char* record = "rallentamento";
    // Near the start of the line there is no room for a warning point.
    bool avviso = x > 1500;
    if (!avviso) f_ta = 0;
    Cella* c_avviso = nullptr;
    if (avviso) {
        c_avviso = &cella(m, cella_di(x - 1200), record, x);
        if (!cella_libera(*c_avviso)) return ERRORE_AVVISO_OCCUPATO;
    }
    const int64_t inizio = cella_di(x);
    Cella& c_inizio = cella(m, inizio, record, x);
    if (!cella_libera(c_inizio)) return ERRORE_INIZIO_OCCUPATO;
    // An end in the start cell or before it (a length under about 25 m, or a
    // negative one) would leave a start that nothing ends.
    const int64_t fine = cella_di(intero32(int64_t{x} + l, "rallentamento: position + length"));
    if (fine <= inizio) return ERRORE_FINE_OCCUPATA;
    Cella& c_fine = cella(m, fine, record, x);
    if (!cella_libera(c_fine)) return ERRORE_FINE_OCCUPATA;

    int16_t v16 = basso16(v);
    int16_t dv16 = basso16(d_v);
    c_fine.tipo = CELLA_FINE_RALLENTAMENTO;
    if (d_v != 0) c_fine.dato2 = dv16;
    c_inizio.tipo = CELLA_INIZIO_RALLENTAMENTO;
    if (d_v != 0) c_inizio.dato2 = dv16;
    if (avviso) {
        c_avviso->tipo = CELLA_AVVISO_RALLENTAMENTO;
        if (d_v != 0) c_avviso->dato2 = dv16;
        c_avviso->dato1 = v16;
    }
    for (Cella* c : {&c_inizio, &c_fine}) {
        c->dato1 = v16;
        c->dato3 = basso16(f_tt);
    }
    if (f_ta == 0) return 0;

    // The four approach cells just before the warning cell, 1 the nearest.
    int64_t h = arrotonda((x - 1200) / 50.0);
    for (int q = 0; q < 4; ++q)
        if (!cella_libera(cella(m, h - q, record, x))) return ERRORE_PREAVVISO_OCCUPATO;
    for (int q = 0; q < 4; ++q) {
        Cella& c = cella(m, h - q, record, x);
        c.tipo = CELLA_PREAVVISO_RALLENTAMENTO;
        c.dato1 = static_cast<int16_t>(q + 1);
        if (d_v != 0) c.dato2 = static_cast<int16_t>(q + 1);
    }
    return 0;
}

}  // namespace compattatore
