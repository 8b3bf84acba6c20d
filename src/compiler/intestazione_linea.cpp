#include <algorithm>
#include <optional>
#include <string>

#include "compiler/codici_errore.h"
#include "compiler/lettura_linea.h"
#include "compiler/parole_chiave.h"
#include "model/numeri.h"
#include "platform/memoria.h"

namespace compattatore {

namespace {

// Reads up to the '[generale]' field; without one, the file's first field
// (where the section belongs), or its end when it has none.
std::optional<Luogo> trova_generale(Lettura& l) {
    std::optional<Luogo> primo;
    for (;;) {
        l.leggi_voce();
        if (!primo && !l.voce_letta.empty() && !contiene(l.voce_letta, SEZIONE_GENERALE)) primo = l.voce;
        if (l.campi.fine_file()) return primo.value_or(l.campi.luogo());
        if (contiene(l.voce_letta, SEZIONE_GENERALE)) return std::nullopt;
    }
}

Esito lunghezza(Lettura& l) {
    l.r.celle_attese = true;
    auto lunghezza = l.numero<int32_t>("lunghezza percorso", "lunghezza");
    Modello& m = l.m;
    l.oggetto(OGGETTO_DIMENSIONI).fine = lunghezza.v;
    l.r.luogo_lunghezza = lunghezza.luogo;
    l.r.file_lunghezza = l.file;
    if (lunghezza.v > LUNGHEZZA_MASSIMA) {
        l.registra(ERRORE_LUNGHEZZA, lunghezza.luogo,
                   "lunghezza percorso: line length " + std::to_string(lunghezza.v) + " m is above " +
                       std::to_string(LUNGHEZZA_MASSIMA) + " m");
        return Esito::interrotta;
    }
    if (lunghezza.v < 0)
        throw ErroreLettura("lunghezza percorso: line length " + std::to_string(lunghezza.v) + " m is negative",
                            lunghezza.luogo);
    const auto celle = static_cast<size_t>(ultima_cella_per_lunghezza(lunghezza.v)) + 1;
    m.celle.reserve(celle);
    piattaforma::prepara_pagine(m.celle.data(), celle * sizeof(Cella));
    m.celle.assign(celle, Cella{});
    if (m.stato.crea_tracciato != 0) m.tracciato = TrattiTracciato(static_cast<size_t>(lunghezza.v + OLTRE_LINEA) + 1);
    return Esito::prosegui;
}

void progressiva(Lettura& l, int indice, const char* record) {
    Oggetto& o = l.oggetto(indice);
    o.inizio = l.numero<int32_t>(record, "inizio").v;
    o.fine = l.numero<int32_t>(record, "fine").v;
    o.posizione = l.numero<int32_t>(record, "posizione").v;
}

Esito ripetizione(Lettura& l) {
    const char* record = "ripetizione segnali";
    auto inizio = l.numero<int32_t>(record, "inizio");
    auto fine = l.numero<int32_t>(record, "fine");
    Oggetto& o = l.oggetto(OGGETTO_TRENO);
    o.inizio = inizio.v;
    o.fine = fine.v;
    if (!multiplo(inizio.v, 50)) {
        l.registra(ERRORE_INIZIO_RIPETIZIONE, inizio.luogo,
                   "ripetizione segnali: start " + std::to_string(inizio.v) + " m is not a multiple of 50");
        return Esito::interrotta;
    }
    if (!multiplo(fine.v, 50)) {
        l.registra(ERRORE_FINE_RIPETIZIONE, fine.luogo,
                   "ripetizione segnali: end " + std::to_string(fine.v) + " m is not a multiple of 50");
        return Esito::interrotta;
    }
    const std::string& voce = l.voce_letta;
    if (contiene_esatto(voce, "4")) {
        o.posizione = 4;
    } else if (contiene_esatto(voce, "9")) {
        o.posizione = 9;
    } else {
        l.registra(ERRORE_CODICI_RIPETIZIONE, l.voce, "ripetizione segnali: the keyword names neither 4 nor 9 codes");
        return Esito::interrotta;
    }
    if (fine.v == 0) o.posizione = 0;
    return Esito::prosegui;
}

// Every test is made on every field, so one field may trigger more than one record.
Esito record_intestazione(Lettura& l) {
    const std::string& v = l.voce_letta;
    if (riconosce(v, LUNGHEZZA_PERCORSO) && lunghezza(l) == Esito::interrotta) return Esito::interrotta;
    if (riconosce(v, PROGRESSIVA_TRE)) progressiva(l, OGGETTO_PROGRESSIVA_TRE, "progressiva tre");
    if (riconosce(v, PROGRESSIVA_DUE)) progressiva(l, OGGETTO_PROGRESSIVA_TRE + 1, "progressiva due");
    if (riconosce(v, PROGRESSIVA_UNO)) progressiva(l, OGGETTO_PROGRESSIVA_TRE + 2, "progressiva uno");
    if (riconosce(v, SFONDO_UNO)) l.oggetto(OGGETTO_LINEA).inizio = l.numero<int32_t>("sfondo uno", "sfondo").v;
    if (riconosce(v, SFONDO_DUE)) l.oggetto(OGGETTO_LINEA).posizione = l.numero<int32_t>("sfondo due", "sfondo").v;
    if (riconosce(v, SFONDO_TRE)) l.oggetto(OGGETTO_LINEA).fine = l.numero<int32_t>("sfondo tre", "sfondo").v;
    if (riconosce(v, RIPETIZIONE_SEGNALI)) return ripetizione(l);
    // A field no header record takes is skipped, and its numbers with it.
    const bool nota = std::ranges::any_of(PAROLE_INTESTAZIONE, [&](const ParolaChiave* p) { return riconosce(v, *p); });
    if (!nota) l.voce_ignorata(SEZIONI_LINEA, SCRITTE_LINEA);
    return Esito::prosegui;
}

// The next section header: not a dash field, and bracketed.
bool nuova_sezione(const std::string& voce) {
    size_t inizio = voce.find_first_not_of(' ');
    if (inizio != std::string::npos && voce[inizio] == '-') return false;
    return contiene_esatto(voce, "[") && contiene_esatto(voce, "]");
}

}  // namespace

Esito leggi_intestazione_linea(Lettura& l) {
    if (const std::optional<Luogo> senza = trova_generale(l)) {
        l.registra(ERRORE_SENZA_GENERALE, *senza, "the file ends before a '[generale]' field, which comes first");
        return Esito::interrotta;
    }
    for (;;) {
        if (l.campi.fine_file()) break;
        l.leggi_voce();
        if (l.campi.fine_file()) break;
        for (int n = 0; n < 10; ++n)
            if (contiene_esatto(l.voce_letta, "-")) l.leggi_voce();
        if (l.un_record([&] { return record_intestazione(l); }) == Esito::interrotta) return Esito::interrotta;
        if (nuova_sezione(l.voce_letta)) break;
    }
    return Esito::prosegui;
}

}  // namespace compattatore
