#include <string>

#include "compiler/accesso_celle.h"
#include "compiler/registratori.h"
#include "model/numeri.h"

namespace compattatore {

void memo_montagna(Modello& m, Montagne& s, int32_t inizio, int32_t fine, int32_t tipo) {
    bool segnalini = false;
    if (tipo > 10) {
        tipo -= 10;
        segnalini = true;
    }
    if (s.numero_montagne >= MASSIMO_MONTAGNE)
        throw ErroreLettura("montagna: more than " + std::to_string(MASSIMO_MONTAGNE) + " mountain spans");
    int32_t n = ++s.numero_montagne;
    s.inizi_montagne[n] = inizio;
    s.fini_montagne[n] = fine;
    // Spans 150 m apart or closer read as one continuous kind.
    if (n > 1 && differenza32(inizio, s.fini_montagne[n - 1], "montagna: start - previous end") <= 150) tipo = 3;

    int64_t primo = arrotonda(inizio / 50.0);
    int64_t ultimo = arrotonda(fine / 50.0 - 1);
    if (primo > ultimo) return;
    if (ultimo > m.ultima_cella()) ultimo = m.ultima_cella();  // a span past the cells is cut there
    cella(m, primo, "montagna", inizio);  // a span starting past the cells or before the line is refused
    for (int64_t i = primo, conteggio = 1; i <= ultimo; ++i, ++conteggio) {
        Cella& c = cella(m, i, "montagna", inizio);
        c.montagna = basso8(tipo);
        if (segnalini && conteggio % 4 == 0 && c.tipo == CELLA_LIBERA) c.tipo = CELLA_GALLERIA;
    }
}

}  // namespace compattatore
