// Runs the reader on small description files written into a fresh directory.
#pragma once

#include <optional>
#include <string>

#include "compiler/compila.h"
#include "compiler/descrizioni_file.h"
#include "compiler/memorizza_dati.h"
#include "support/cartella_temporanea.h"
#include "support/diagnostiche_prova.h"
#include "support/giro_completo.h"

namespace compattatore::prova {

inline constexpr const char* LINEA_PROVA = "L_linea.txt";
inline constexpr const char* TRENO_PROVA = "L_T-.txt";

struct Letti {
    Modello m;
    EsitoLettura letto;
    Diagnostica primo() const { return primo_errore(letto.diagnostiche); }
    // The code the reading records, and its position in metres.
    int32_t codice() const { return codice_registrato(letto.diagnostiche).codice; }
    int32_t posizione() const { return codice_registrato(letto.diagnostiche).posizione; }
    bool linea_rimasta = false;
    bool treno_rimasto = false;
};

// nullopt leaves that file out. Line length 10000 m gives cells 0 to 340.
// Two files that compile cleanly must also come back exactly through the
// decompiler: every such scenario of the reader tests is a round trip.
inline Letti leggi_descrizioni(const std::optional<std::string>& linea, const std::optional<std::string>& treno,
                               int32_t crea_tracciato = 1) {
    CartellaTemporanea cartella;
    if (linea) cartella.scrivi(LINEA_PROVA, *linea);
    if (treno) cartella.scrivi(TRENO_PROVA, *treno);
    Letti r;
    // Built rather than assigned from a literal, which GCC 12 reports as a
    // false -Wrestrict in optimised builds.
    r.m.stato.chiave_linea = std::string(1, 'L');
    r.m.stato.chiave_treno = std::string(1, 'T');
    r.m.stato.crea_tracciato = crea_tracciato;
    r.letto = memorizza_dati_da_file(r.m, {cartella.file(LINEA_PROVA), cartella.file(TRENO_PROVA)});
    r.linea_rimasta = cartella.esiste(LINEA_PROVA);
    r.treno_rimasto = cartella.esiste(TRENO_PROVA);
    if (linea && treno && r.codice() == 0) {
        EXPECT_TRUE(giro_esatto_se_pulito(*linea, *treno, crea_tracciato != 0));
    }
    return r;
}

inline std::string linea_con(const std::string& corpo, const std::string& lunghezza = "lunghezza percorso, 10000\r\n") {
    return "[generale]\r\n" + lunghezza + "[corpo]\r\n" + corpo + "[fine]\r\n";
}

inline std::string treno_con(const std::string& corpo) { return "[generale]\r\n" + corpo + "[fine]\r\n"; }

}  // namespace compattatore::prova
