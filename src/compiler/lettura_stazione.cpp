#include <optional>
#include <string>

#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/lettura_treno.h"
#include "compiler/valori_scritti.h"
#include "model/numeri.h"

namespace compattatore {

namespace {

constexpr int32_t MARGINE_STAZIONE = 800;
constexpr int32_t DISTANZA_MINIMA = 350;  // between one stop zone's end and the next one's start

// The stop zone from the position and the platform length L.
void zona_fermata(Oggetto& o, int32_t posizione, int32_t L) {
    const char* cosa = "stazione: stop zone";
    if (o.tipo == 5 || o.tipo == 6) {
        o.fine = intero32(int64_t{posizione} + 150, cosa);
        o.inizio = intero32(int64_t{posizione} - L, cosa);
        o.flag[2] = 0;
    } else if (o.tipo == 7 || o.tipo == 8) {
        o.inizio = intero32(int64_t{posizione} - L, cosa);
        o.fine = intero32(int64_t{posizione} + L, cosa);
        o.flag[2] = 0;
    } else {
        o.inizio = intero32(arrotonda(posizione - L / 2.0), cosa);
        o.fine = intero32(arrotonda(posizione + L / 2.0), cosa);
        if (o.flag[2] != 0) o.fine = intero32(int64_t{o.fine} + 50, cosa);
    }
}

// Reads fields 4 to 17 in file order; the time once the name is read.
void campi_stazione(Lettura& l, Oggetto& o) {
    const char* r = "stazione";
    o.attributo = l.numero<uint8_t>(r, "attributo").v;
    o.flag[3] = l.numero<uint8_t>(r, "flag 3").v;
    o.flag[2] = l.numero<uint8_t>(r, "flag 2").v;
    o.valori[0] = l.numero<int16_t>(r, "valore 0").v;
    o.valori[1] = l.numero<int16_t>(r, "valore 1").v;
    o.flag[0] = l.numero<uint8_t>(r, "flag 0").v;
    o.valori[2] = l.numero<int16_t>(r, "valore 2").v;
    o.valori[3] = l.numero<int16_t>(r, "valore 3").v;
    o.valori[4] = l.numero<int16_t>(r, "valore 4").v;
    o.flag[1] = l.numero<uint8_t>(r, "flag 1").v;
    auto ore = l.numero<int32_t>(r, "ore");
    auto minuti = l.numero<int32_t>(r, "minuti");
    auto secondi = l.numero<int32_t>(r, "secondi");
    o.nome.assign(l.testo_oggetto(r, "nome"));
    const char* cosa = "stazione: orario";
    o.orario = nel_campo(ore.luogo, [&] {
        return somma32(prodotto32(somma32(prodotto32(ore.v, 60, cosa), minuti.v, cosa), 60, cosa), secondi.v, cosa);
    });
    controlla_orario(l, "stazione", ore, minuti, secondi, true);
}

// Stations fill the object table upward, text signs downward (code 10).
Esito tabella_piena(Lettura& l, int32_t j) {
    l.registra(ERRORE_TABELLA_PIENA, l.voce,
               "stazione: the object table is full: station " + std::to_string(j) + " reaches the text signs");
    return Esito::interrotta;
}

}  // namespace

Esito leggi_stazione(Lettura& l, StatoTreno& s) {
    const char* r = "stazione";
    Modello& m = l.m;
    const int32_t j = s.numero_stazione;
    // A station never takes a record already held by a text sign.
    if (j >= s.prossimo_cartello) return tabella_piena(l, j);
    Oggetto& o = l.oggetto(j);
    auto p = l.numero<int32_t>(r, "posizione");
    o.posizione = p.v;
    if (!l.nel_percorso(p.v, MARGINE_STAZIONE, r, p.luogo)) return Esito::fuori_percorso;
    if (!multiplo(p.v, 50)) {
        l.registra(ERRORE_POSIZIONE_STAZIONE, p.v, p.luogo,
                   "stazione: position " + std::to_string(p.v) + " m is not a multiple of 50");
        return Esito::interrotta;
    }
    o.tipo = l.numero<uint8_t>(r, "tipo").v;
    auto L = l.numero<int32_t>(r, "lunghezza");
    if (!multiplo(L.v, 100)) {
        l.registra(ERRORE_MARCIAPIEDE, p.v, L.luogo,
                   "stazione: platform length " + std::to_string(L.v) + " m is not a multiple of 100");
        return Esito::interrotta;
    }
    campi_stazione(l, o);
    // A time of 0 is a station the train passes without a time: the check
    // is against the last station that has one.
    for (int32_t k = j - 1; k >= 1 && o.orario != 0; --k) {
        if (m.oggetti[k].orario == 0) continue;
        controlla_orari_avanti(l, p, o.orario, m.oggetti[k].orario);
        break;
    }
    nel_campo(p.luogo, [&] { zona_fermata(o, p.v, L.v); });
    if (L.v < 600) o.flag[3] = 0;
    if (j == 1) {
        o.flag[2] = 0;
        o.flag[3] = 0;
    }

    const double fine_celle = o.fine / 50.0;
    std::optional<int64_t> cella_fermata;  // where the stop mark went
    if (o.tipo < 25 && o.tipo != 5 && o.tipo != 6) {
        for (int k = 1; k <= 4; ++k)
            if (fine_celle - k - 1 > 1)
                cella(m, arrotonda(fine_celle - k - 1), r, p.v, p.luogo).codice = basso8(80 + k);
    }
    if (o.tipo < 25) {
        if (!(fine_celle - 1 > 1)) {
            l.registra(ERRORE_FERMATA_ALL_INIZIO, p.luogo,
                       "stazione: the stop zone ends at " + std::to_string(o.fine) +
                           " m, too near the start of the line for a stop mark");
            return Esito::interrotta;
        }
        cella_fermata = arrotonda(fine_celle - 1);
        Cella& fermata = cella(m, *cella_fermata, r, p.v, p.luogo);
        fermata.tipo = CELLA_FERMATA;
        fermata.dato1 = static_cast<int16_t>(j);
    }
    if (j > 1 && nel_campo(p.luogo, [&] {
                     return differenza32(o.inizio, DISTANZA_MINIMA, "stazione: stop zone start - 350");
                 }) < m.oggetti[j - 1].fine) {
        l.registra(ERRORE_STAZIONI_VICINE, p.v, p.luogo,
                   "stazione: the stop zone starts at " + std::to_string(o.inizio) + " m, less than 350 m after " +
                       std::to_string(m.oggetti[j - 1].fine) + " m where the previous one ends");
        return Esito::interrotta;
    }
    if (cella_fermata) l.colloca(*cella_fermata, p);
    ++l.r.provenienze.stazioni;
    l.controlla_oltre_linea(p, r);
    if (++s.numero_stazione >= s.prossimo_cartello) return tabella_piena(l, j);
    return Esito::prosegui;
}

}  // namespace compattatore
