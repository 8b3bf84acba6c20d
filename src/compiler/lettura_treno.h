// The train description reader: general values, speed and adhesion
// profiles, stations, slowdowns, signals and abbattimento cells, then the
// fills at its end.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/lettura.h"
#include "compiler/parole_chiave.h"
#include "compiler/valori_scritti.h"
#include "model/modello.h"

namespace compattatore {

// Reader state of the train file.
struct StatoTreno {
    int32_t indice_velocita = 0;
    int32_t velocita_corrente = 0;  // in force before the first speed record
    Luogo luogo_velocita;           // where the speed in force was read
    int32_t indice_aderenza = 0;
    int32_t aderenza_corrente = 0;  // in force before the first adhesion record
    int32_t numero_stazione = 1;
    int32_t prossimo_cartello = PRIMO_CARTELLO;  // stations stay below it
    Precedente velocita_prima;                   // the speed record before
    Precedente aderenza_prima;                   // the adhesion record before
};

// The whole train file. Without an interrupting code the speed and adhesion
// in force are carried to the last cells but two.
Esito leggi_descrizione_treno(Lettura& l, int32_t prossimo_cartello);

// One "stazione" record (codes 8, 9, 10, 15, 22, 24).
Esito leggi_stazione(Lettura& l, StatoTreno& s);

}  // namespace compattatore
