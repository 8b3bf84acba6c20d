#include "format/file_binari.h"

#include <bit>
#include <cassert>
#include <span>

#include "platform/memoria.h"

namespace compattatore {

namespace {

// Both columns of the plan, from the assigned rows that `righe` hands on in
// order (a block at a time): each block's x values go on in column 0, its y
// values in column 1, so every row is wanted once. The tags follow from the
// row (Tracciato::etichetta).
template <class Righe>
void scrivi_colonne(Destinazione& colonna0, Destinazione& colonna1, size_t totale, size_t assegnate, Righe righe) {
    ScrittoreLE x(colonna0), y(colonna1);
    size_t r = 0;
    righe([&](std::span<const PuntoPiano> blocco) {
        size_t i = 0;
        for (; r < RIGHE_INTERE && i < blocco.size(); ++r, ++i) {
            for (ScrittoreLE* w : {&x, &y}) w->u16(static_cast<uint16_t>(EtichettaValore::intero16));
            x.i16(static_cast<int16_t>(blocco[i].x));
            y.i16(static_cast<int16_t>(blocco[i].y));
        }
        const auto doppi = [&](ScrittoreLE& w, double PuntoPiano::*colonna) {
            w.campi(blocco.size() - i, 10, [&](char* dove, size_t k) {
                ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::doppio), 2);
                ScrittoreLE::metti(dove + 2, std::bit_cast<uint64_t>(blocco[i + k].*colonna), 8);
            });
        };
        doppi(x, &PuntoPiano::x);
        doppi(y, &PuntoPiano::y);
        r += blocco.size() - i;
    });
    assert(r == assegnate);
    for (ScrittoreLE* w : {&x, &y}) {
        w->campi(totale - assegnate, 2, [](char* dove, size_t) {
            ScrittoreLE::metti(dove, static_cast<uint16_t>(EtichettaValore::vuota), 2);
        });
        w->svuota();
    }
}

// The whole plan file as one string: column 0, then column 1.
template <class Piano, class Righe>
std::string in_testo_colonne(const Piano& piano, Righe righe) {
    DestinazioneTesto colonna0, colonna1;
    scrivi_colonne(colonna0, colonna1, piano.size(), piano.assegnate(), righe);
    return std::move(colonna0.testo) + colonna1.testo;
}

template <class Scrivi, class Dati>
std::string in_testo(Scrivi scrivi, const Dati& dati) {
    DestinazioneTesto d;
    scrivi(d, dati);
    return std::move(d.testo);
}

}  // namespace

uint64_t byte_colonna_tracciato(const TrattiTracciato& t) {
    const size_t intere = std::min(t.assegnate(), RIGHE_INTERE);
    return 4 * uint64_t{intere} + 10 * uint64_t{t.assegnate() - intere} + 2 * uint64_t{t.size() - t.assegnate()};
}

void scrivi_tracciato(Destinazione& colonna0, Destinazione& colonna1, const TrattiTracciato& t) {
    scrivi_colonne(colonna0, colonna1, t.size(), t.assegnate(), [&t](const auto& blocco) { t.per_blocchi(blocco); });
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
    // A cell at a time, its fields at their offsets: the room is checked
    // once a run of cells, as a cell file is most of a train's bytes.
    w.campi(celle.size(), BYTE_CELLA, [&celle](char* dove, size_t i) {
        const Cella& c = celle[i];
        ScrittoreLE::metti(dove, c.tipo, 1);
        ScrittoreLE::metti(dove + 1, static_cast<uint16_t>(c.dato1), 2);
        ScrittoreLE::metti(dove + 3, static_cast<uint16_t>(c.dato2), 2);
        ScrittoreLE::metti(dove + 5, static_cast<uint16_t>(c.dato3), 2);
        ScrittoreLE::metti(dove + 7, static_cast<uint16_t>(c.dato4), 2);
        ScrittoreLE::metti(dove + 9, c.tempo, 1);
        ScrittoreLE::metti(dove + 10, c.codice, 1);
        ScrittoreLE::metti(dove + 11, c.montagna, 1);
        ScrittoreLE::metti(dove + 12, c.vel_limite, 1);
        ScrittoreLE::metti(dove + 13, c.pendenza, 1);
        ScrittoreLE::metti(dove + 14, c.aderenza, 1);
    });
    w.svuota();
}

std::string codifica_tracciato(const Tracciato& t) {
    return in_testo_colonne(t, [&t](const auto& blocco) { blocco(t.punti()); });
}
std::string codifica_tracciato(const TrattiTracciato& t) {
    return in_testo_colonne(t, [&t](const auto& blocco) { t.per_blocchi(blocco); });
}
std::string codifica_oggetti(const TabellaOggetti& o) { return in_testo(scrivi_oggetti, o); }
std::string codifica_celle(const std::vector<Cella>& c) {
    // Sized and mapped at once: grown a buffer at a time, the string would
    // be copied over and over, and each new page would trap when first filled.
    DestinazioneTesto d;
    d.testo.reserve(BYTE_CELLA * c.size());
    piattaforma::prepara_pagine(d.testo.data(), d.testo.capacity());
    scrivi_celle(d, c);
    return std::move(d.testo);
}

}  // namespace compattatore
