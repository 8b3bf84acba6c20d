#include "output/file_binari.h"

#include <bit>
#include <cassert>
#include <span>

namespace compattatore {

namespace {

// One column of the plan, from the assigned rows that `righe` hands on in
// order (a block at a time); the tags follow from the row (Tracciato::etichetta).
template <class Righe>
void scrivi_colonna(ScrittoreLE& w, size_t totale, size_t assegnate, Righe righe, double PuntoPiano::*colonna) {
    size_t r = 0;
    righe([&](std::span<const PuntoPiano> blocco) {
        size_t i = 0;
        for (; r < RIGHE_INTERE && i < blocco.size(); ++r, ++i) {
            w.u16(static_cast<uint16_t>(EtichettaValore::intero16));
            w.i16(static_cast<int16_t>(blocco[i].*colonna));
        }
        w.campi(blocco.size() - i, 10, [&](char* dove, size_t k) {
            ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::doppio), 2);
            ScrittoreLE::metti(dove + 2, std::bit_cast<uint64_t>(blocco[i + k].*colonna), 8);
        });
        r += blocco.size() - i;
    });
    assert(r == assegnate);
    w.campi(totale - assegnate, 2,
            [](char* dove, size_t) { ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::vuota), 2); });
}

// Column 0 (x) of every row, then column 1 (y).
template <class Piano, class Righe>
void scrivi_colonne(Destinazione& destinazione, const Piano& piano, Righe righe) {
    ScrittoreLE w(destinazione);
    scrivi_colonna(w, piano.size(), piano.assegnate(), righe, &PuntoPiano::x);
    scrivi_colonna(w, piano.size(), piano.assegnate(), righe, &PuntoPiano::y);
    w.svuota();
}

template <class Scrivi, class Dati>
std::string in_testo(Scrivi scrivi, const Dati& dati) {
    DestinazioneTesto d;
    scrivi(d, dati);
    return std::move(d.testo);
}

}  // namespace

void scrivi_tracciato(Destinazione& destinazione, const Tracciato& t) {
    scrivi_colonne(destinazione, t, [&t](const auto& blocco) { blocco(t.punti()); });
}

// The rows are computed once for each column rather than held.
void scrivi_tracciato(Destinazione& destinazione, const TrattiTracciato& t) {
    scrivi_colonne(destinazione, t, [&t](const auto& blocco) { t.per_blocchi(blocco); });
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

std::string codifica_tracciato(const Tracciato& t) {
    return in_testo([](Destinazione& d, const Tracciato& righe) { scrivi_tracciato(d, righe); }, t);
}
std::string codifica_tracciato(const TrattiTracciato& t) {
    return in_testo([](Destinazione& d, const TrattiTracciato& tratti) { scrivi_tracciato(d, tratti); }, t);
}
std::string codifica_oggetti(const TabellaOggetti& o) { return in_testo(scrivi_oggetti, o); }
std::string codifica_celle(const std::vector<Cella>& c) { return in_testo(scrivi_celle, c); }

}  // namespace compattatore
