#include "compiler/progressive_ordina.h"

#include <array>
#include <cstdint>

#include "model/numeri.h"

namespace compattatore {

namespace {

struct Progressiva {
    int32_t primo = 0;
    int32_t secondo = 0;
    int32_t terzo = 0;
};

using Terna = std::array<Progressiva, 3>;

// Greatest first value leads; the two others follow greater first, a tie
// putting the lower-numbered line ("uno" before "due" before "tre") first.
// A shared greatest value leaves all three cleared.
Terna per_primo_valore(const Progressiva& t, const Progressiva& d, const Progressiva& u) {
    if (t.primo > d.primo && t.primo > u.primo) return d.primo > u.primo ? Terna{t, d, u} : Terna{t, u, d};
    if (d.primo > t.primo && d.primo > u.primo) return t.primo > u.primo ? Terna{d, t, u} : Terna{d, u, t};
    if (u.primo > t.primo && u.primo > d.primo) return t.primo > d.primo ? Terna{u, t, d} : Terna{u, d, t};
    return Terna{};
}

// With first values summing to 0 the leader is the last of tre, due, uno
// whose second value is positive.
Terna per_secondo_valore(const Progressiva& t, const Progressiva& d, const Progressiva& u) {
    Terna risultato{};
    if (t.secondo > 0) risultato = {t, d, u};
    if (d.secondo > 0) risultato = {d, t, u};
    if (u.secondo > 0) risultato = {u, d, t};
    return risultato;
}

}  // namespace

void progressive_ordina(TabellaOggetti& oggetti) {
    auto leggi = [&](int indice) {
        const Oggetto& o = oggetti[indice];
        return Progressiva{o.inizio, o.fine, o.posizione};
    };
    Progressiva t = leggi(OGGETTO_PROGRESSIVA_TRE);
    Progressiva d = leggi(OGGETTO_PROGRESSIVA_TRE + 1);
    Progressiva u = leggi(OGGETTO_PROGRESSIVA_TRE + 2);

    const char* formula = "progressiva: sum of the first values";
    int32_t somma = somma32(somma32(t.primo, d.primo, formula), u.primo, formula);
    Terna risultato = somma != 0 ? per_primo_valore(t, d, u) : per_secondo_valore(t, d, u);

    for (int k = 0; k < 3; ++k) {
        Oggetto& o = oggetti[OGGETTO_PROGRESSIVA_TRE + k];
        o.inizio = risultato[k].primo;
        o.fine = risultato[k].secondo;
        o.posizione = risultato[k].terzo;
        if (o.posizione == 1) o.fine = intero32(int64_t{o.fine} + 100, "progressiva: second value + 100");
    }
}

}  // namespace compattatore
