#include "output/file_binari.h"

#include <bit>

namespace compattatore {

namespace {

// One column of the plan: the tags follow from the row (Tracciato::etichetta).
template <class Valore>
void scrivi_colonna(ScrittoreLE& w, const Tracciato& t, Valore valore) {
    const size_t intere = std::min(t.assegnate(), Tracciato::RIGHE_INTERE);
    for (size_t r = 0; r < intere; ++r) {
        w.u16(static_cast<uint16_t>(EtichettaValore::intero16));
        w.i16(static_cast<int16_t>(valore(r)));
    }
    w.campi(t.assegnate() - intere, 10, [&](char* dove, size_t i) {
        ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::doppio), 2);
        ScrittoreLE::metti(dove + 2, std::bit_cast<uint64_t>(valore(intere + i)), 8);
    });
    w.campi(t.size() - t.assegnate(), 2,
            [](char* dove, size_t) { ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::vuota), 2); });
}

template <class Scrivi, class Dati>
std::string in_testo(Scrivi scrivi, const Dati& dati) {
    DestinazioneTesto d;
    scrivi(d, dati);
    return std::move(d.testo);
}

}  // namespace

void scrivi_tracciato(Destinazione& destinazione, const Tracciato& t) {
    ScrittoreLE w(destinazione);
    scrivi_colonna(w, t, [&t](size_t r) { return t.x(r); });
    scrivi_colonna(w, t, [&t](size_t r) { return t.y(r); });
    w.svuota();
}

void scrivi_oggetti(Destinazione& destinazione, const TabellaOggetti& oggetti) {
    ScrittoreLE w(destinazione);
    for (const Oggetto& o : oggetti) {
        w.u8(o.tipo);
        w.i32(o.inizio);
        w.i32(o.fine);
        w.i32(o.posizione);
        w.u8(o.attributo);
        w.testo(o.nome);
        for (int16_t v : o.valori) w.i16(v);
        for (uint8_t f : o.flag) w.u8(f);
        w.i32(o.orario);
    }
    w.svuota();
}

void scrivi_celle(Destinazione& destinazione, const std::vector<Cella>& celle) {
    ScrittoreLE w(destinazione);
    for (const Cella& c : celle) {
        w.u8(c.tipo);
        w.i16(c.dato1);
        w.i16(c.dato2);
        w.i16(c.dato3);
        w.i16(c.dato4);
        w.u8(c.tempo);
        w.u8(c.codice);
        w.u8(c.montagna);
        w.u8(c.vel_limite);
        w.u8(c.pendenza);
        w.u8(c.aderenza);
    }
    w.svuota();
}

std::string codifica_tracciato(const Tracciato& t) { return in_testo(scrivi_tracciato, t); }
std::string codifica_oggetti(const TabellaOggetti& o) { return in_testo(scrivi_oggetti, o); }
std::string codifica_celle(const std::vector<Cella>& c) { return in_testo(scrivi_celle, c); }

}  // namespace compattatore
