#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/registratori.h"
#include "model/numeri.h"

namespace compattatore {

namespace {

// 10 * a + b in 32-bit arithmetic, kept in a 16-bit cell field.
int16_t coppia(int32_t a, int32_t b, const char* cosa) { return basso16(somma32(prodotto32(10, a, cosa), b, cosa)); }

}  // namespace

int32_t memo_segnale(Modello& m, int32_t posizione, int32_t sx, int32_t s1, int32_t s2, int32_t s3, int32_t rapp,
                     int32_t dx, int32_t d1, int32_t d2, int32_t d3, int32_t tempo) {
    int64_t i = cella_di(posizione);
    Cella& c = cella(m, i, "segnale", posizione);
    if (!cella_libera(c)) return ERRORE_SEGNALE_OCCUPATO;
    c.tipo = CELLA_SEGNALE;
    const char* formula4 = "segnale: 10 * rapp + 3 * sx + dx";
    c.dato4 =
        basso16(somma32(somma32(prodotto32(10, rapp, formula4), prodotto32(3, sx, formula4), formula4), dx, formula4));
    c.dato1 = coppia(s1, d1, "segnale: 10 * s1 + d1");
    c.dato2 = coppia(s2, d2, "segnale: 10 * s2 + d2");
    c.dato3 = coppia(s3, d3, "segnale: 10 * s3 + d3");
    if (tempo >= 1 && tempo <= 100) tempo = 101;
    c.tempo = sx == 2 ? basso8(tempo) : 0;
    // Repetition code marks 100, 200, 300 and 400 m before the signal; those
    // that would fall before the line's start are left out, their value
    // never formed.
    const char* formula_marca = "segnale: 10 * (3 * sx + dx) + k";
    for (int k = 1; k <= 4; ++k) {
        int64_t j = i - 2 * int64_t{k};
        if (j < 0) break;
        int32_t teste = somma32(prodotto32(3, sx, formula_marca), dx, formula_marca);
        cella(m, j, "segnale", posizione).codice =
            basso8(somma32(prodotto32(10, teste, formula_marca), k, formula_marca));
    }
    return 0;
}

}  // namespace compattatore
