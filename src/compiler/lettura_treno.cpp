#include "compiler/lettura_treno.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/parole_chiave.h"
#include "compiler/registratori.h"
#include "compiler/valori_scritti.h"
#include "model/numeri.h"

namespace compattatore {

namespace {

// A speed in units of 5 km/h, which must fit the cell's byte.
uint8_t velocita_cella(const StatoTreno& s) {
    int64_t v = arrotonda(s.velocita_corrente / 5.0);
    if (v < 0 || v > 255)
        throw ErroreLettura(
            "velocita: speed " + std::to_string(s.velocita_corrente) + " km/h does not fit a cell (0 to 1277 km/h)",
            s.luogo_velocita);
    return static_cast<uint8_t>(v);
}

// The boards over the cells the speed in force has just filled, from `da`,
// against it; before the first speed record no limit was written.
void controlla_limite_sugli_indicatori(Lettura& l, const StatoTreno& s, int32_t da) {
    if (s.luogo_velocita.riga > 0)
        controlla_indicatori_sotto_limite(l, da, s.indice_velocita, s.velocita_corrente, s.luogo_velocita);
}

Esito velocita(Lettura& l, StatoTreno& s) {
    auto p = l.numero<int32_t>("velocita", "posizione");
    auto v = l.numero<int32_t>("velocita", "velocita");
    if (!l.nel_percorso(p.v, 100, "velocita", p.luogo)) return Esito::fuori_percorso;
    controlla_ordine(l, s.velocita_prima, p, "velocita");
    // Unlike the other profiles, the speed stops short of the last cell.
    const int64_t k = arrotonda(p.v / 50.0);
    const int32_t ultima = l.m.ultima_cella();
    if (k > 0 && s.indice_velocita < ultima) {
        const int32_t da = s.indice_velocita;
        riempi_celle(l.m, s.indice_velocita, std::min<int64_t>(k, ultima), &Cella::vel_limite, velocita_cella(s),
                     "velocita", p.v, p.luogo);
        controlla_limite_sugli_indicatori(l, s, da);
    }
    s.velocita_corrente = v.v;
    s.luogo_velocita = v.luogo;
    // Stopping at the first error, the speed is refused where it is carried
    // into the cells; reading on, at its own record, which is then skipped
    // whole instead of failing every later speed record.
    if (l.r.recupera) velocita_cella(s);
    return Esito::prosegui;
}

Esito aderenza(Lettura& l, StatoTreno& s) {
    auto p = l.numero<int32_t>("aderenza", "posizione");
    auto a = l.numero<int32_t>("aderenza", "aderenza");
    if (!l.nel_percorso(p.v, 100, "aderenza", p.luogo)) return Esito::fuori_percorso;
    controlla_ordine(l, s.aderenza_prima, p, "aderenza");
    int64_t k = arrotonda(p.v / 50.0);
    if (k > 0)
        riempi_celle(l.m, s.indice_aderenza, k, &Cella::aderenza, basso8(s.aderenza_corrente), "aderenza", p.v,
                     p.luogo);
    l.controlla_8(a, "aderenza: adhesion");
    s.aderenza_corrente = a.v;
    return Esito::prosegui;
}

Esito segnale(Lettura& l) {
    const char* r = "segnale";
    auto p = l.numero<int32_t>(r, "posizione");
    auto sx = l.numero<int32_t>(r, "sx"), s1 = l.numero<int32_t>(r, "s1"), s2 = l.numero<int32_t>(r, "s2"),
         s3 = l.numero<int32_t>(r, "s3"), rapp = l.numero<int32_t>(r, "rapp"), dx = l.numero<int32_t>(r, "dx"),
         d1 = l.numero<int32_t>(r, "d1"), d2 = l.numero<int32_t>(r, "d2"), d3 = l.numero<int32_t>(r, "d3"),
         tempo = l.numero<int32_t>(r, "tempo");
    if (!l.nel_percorso(p.v, 100, r, p.luogo)) return Esito::fuori_percorso;
    int32_t codice = nel_campo(p.luogo, [&] {
        return memo_segnale(l.m, p.v, sx.v, s1.v, s2.v, s3.v, rapp.v, dx.v, d1.v, d2.v, d3.v, tempo.v);
    });
    if (codice == 0) {
        l.colloca(cella_di(p.v), p);
        ++l.r.provenienze.segnali;
        l.controlla_oltre_linea(p, r);
        if (sx.v == 2 && (tempo.v < 1 || tempo.v > 100)) l.controlla_8(tempo, "segnale: tempo");
        controlla_segnale(l, {sx, dx, rapp, {s1, s2, s3}, {d1, d2, d3}});
        return Esito::prosegui;
    }
    l.conflitto(codice, cella_di(p.v), p.v, p.luogo,
                "segnale: cell " + std::to_string(cella_di(p.v)) + " of position " + std::to_string(p.v) +
                    " m already holds an object");
    return Esito::interrotta;
}

// The cells a placed slowdown holds: its warning point and approach cells
// when it has them, its start and its end.
std::vector<int64_t> celle_rallentamento(int32_t x, int32_t lunghezza, int32_t f_ta) {
    std::vector<int64_t> celle{cella_di(x), cella_di(x + lunghezza)};
    if (x <= 1500) return celle;
    celle.push_back(cella_di(x - 1200));
    const int64_t h = arrotonda((x - 1200) / 50.0);
    if (f_ta != 0)
        for (int q = 0; q < 4; ++q) celle.push_back(h - q);
    return celle;
}

// The cell that made the slowdown recorder give `codice`.
int64_t cella_contesa(const Modello& m, int32_t codice, int32_t x, int32_t lunghezza) {
    switch (codice) {
        case ERRORE_AVVISO_OCCUPATO: return cella_di(x - 1200);
        case ERRORE_INIZIO_OCCUPATO: return cella_di(x);
        case ERRORE_FINE_OCCUPATA: return cella_di(x + lunghezza);
        default: {
            const int64_t h = arrotonda((x - 1200) / 50.0);
            for (int q = 0; q < 4; ++q)
                if (!cella_libera(m.celle[static_cast<size_t>(h - q)])) return h - q;
            return h;
        }
    }
}

std::string conflitto_rallentamento(int32_t codice, int32_t x, int32_t l) {
    switch (codice) {
        case ERRORE_AVVISO_OCCUPATO:
            return "rallentamento: the warning cell 1200 m before the start already holds an object";
        case ERRORE_INIZIO_OCCUPATO: return "rallentamento: the start cell already holds an object";
        case ERRORE_FINE_OCCUPATA:
            // The recorder has checked that position + length fits 32 bits.
            if (cella_di(x + l) <= cella_di(x))
                return "rallentamento: the end cell " + std::to_string(cella_di(x + l)) + " (length " +
                       std::to_string(l) + " m) is not after the start cell " + std::to_string(cella_di(x));
            return "rallentamento: the end cell already holds an object";
        default: return "rallentamento: one of the four approach cells already holds an object";
    }
}

Esito rallentamento(Lettura& l) {
    const char* r = "rallentamento";
    auto x = l.numero<int32_t>(r, "posizione"), v = l.numero<int32_t>(r, "v"), lung = l.numero<int32_t>(r, "l"),
         f_tt = l.numero<int32_t>(r, "f_tt"), f_ta = l.numero<int32_t>(r, "f_ta"), d_v = l.numero<int32_t>(r, "d_v");
    if (!l.nel_percorso(x.v, 100, r, x.luogo)) return Esito::fuori_percorso;
    int32_t codice =
        nel_campo(x.luogo, [&] { return memo_rallentamento(l.m, x.v, v.v, lung.v, f_tt.v, f_ta.v, d_v.v); });
    if (codice == 0) {
        for (int64_t c : celle_rallentamento(x.v, lung.v, f_ta.v)) l.colloca(c, x);
        ++l.r.provenienze.rallentamenti;
        l.controlla_oltre_linea(x, r);
        l.controlla_16(v, "rallentamento: v");
        l.controlla_16(f_tt, "rallentamento: f_tt");
        l.controlla_16(d_v, "rallentamento: d_v");
        return Esito::prosegui;
    }
    // An end not after the start is the length's fault, not the position's.
    const bool corto = codice == ERRORE_FINE_OCCUPATA && cella_di(x.v + lung.v) <= cella_di(x.v);
    l.conflitto(codice, cella_contesa(l.m, codice, x.v, lung.v), x.v, corto ? lung.luogo : x.luogo,
                conflitto_rallentamento(codice, x.v, lung.v));
    return Esito::interrotta;
}

// Placed at round(p / 50), without the + 1 of other point objects.
Esito abbattimento(Lettura& l) {
    const char* r = "abbattimento";
    auto p = l.numero<int32_t>(r, "posizione");
    auto w = l.numero<int32_t>(r, "valore");
    if (!l.nel_percorso(p.v, 100, r, p.luogo)) return Esito::fuori_percorso;
    int64_t i = arrotonda(p.v / 50.0);
    Cella& c = cella(l.m, i, r, p.v, p.luogo);
    if (!cella_libera(c)) {
        l.conflitto(ERRORE_ABBATTIMENTO_OCCUPATO, i, p.v, p.luogo,
                    "abbattimento: cell " + std::to_string(i) + " of position " + std::to_string(p.v) +
                        " m already holds an object");
        return Esito::interrotta;
    }
    l.colloca(i, p);
    if (w.v > 0) {
        l.controlla_16(w, "abbattimento: valore");
        c.tipo = CELLA_ABBATTIMENTO;
        c.dato1 = basso16(w.v);
    } else {
        c.tipo = CELLA_ABBATTIMENTO_NULLO;
    }
    return Esito::prosegui;
}

// Where a keyword stands in PAROLE_TRENO, found as the program is compiled:
// by its text, which is its own, since a sanitized build cannot compare
// two objects' addresses then.
consteval size_t posto(const ParolaChiave& parola) {
    return static_cast<size_t>(std::ranges::find(PAROLE_TRENO, parola.scritta, &ParolaChiave::scritta) -
                               PAROLE_TRENO.begin());
}

// Every test is made even when an earlier one matched; the station comes last.
Esito record_treno(Lettura& l, StatoTreno& s) {
    // Each keyword tested once: reading a record leaves its keyword field as it is.
    std::array<bool, PAROLE_TRENO.size()> riconosciute{};
    std::ranges::transform(PAROLE_TRENO, riconosciute.begin(),
                           [&](const ParolaChiave* p) { return riconosce(l.voce_letta, *p); });
    if (std::ranges::none_of(riconosciute, std::identity{})) {
        l.voce_ignorata(SEZIONI_TRENO, SCRITTE_TRENO);
        return Esito::prosegui;
    }
    Esito e = Esito::prosegui;
    if (riconosciute[posto(MASSA_FRENATA)])
        l.oggetto(OGGETTO_DIMENSIONI).inizio = l.numero<int32_t>("percentuale massa frenata", "percentuale").v;
    if (riconosciute[posto(NUMERO_VETTURE)])
        l.oggetto(OGGETTO_DIMENSIONI).posizione = l.numero<int32_t>("numero vetture", "vetture").v;
    if (riconosciute[posto(VELOCITA)] && (e = velocita(l, s)) != Esito::prosegui) return e;
    if (riconosciute[posto(ADERENZA)] && (e = aderenza(l, s)) != Esito::prosegui) return e;
    if (riconosciute[posto(OROLOGIO)]) {
        auto ore = l.numero<int16_t>("orologio", "ore");
        auto minuti = l.numero<int16_t>("orologio", "minuti");
        auto secondi = l.numero<int16_t>("orologio", "secondi");
        Oggetto& treno = l.oggetto(OGGETTO_TRENO);
        treno.valori[2] = ore.v;
        treno.valori[3] = minuti.v;
        treno.valori[4] = secondi.v;
        controlla_orario(l, "orologio", {ore.v, ore.luogo}, {minuti.v, minuti.luogo}, {secondi.v, secondi.luogo},
                         false);
    }
    if (riconosciute[posto(SABBIA)]) l.oggetto(OGGETTO_TRENO).valori[0] = l.numero<int16_t>("sabbia", "sabbia").v;
    if (riconosciute[posto(SEGNALE)] && (e = segnale(l)) != Esito::prosegui) return e;
    if (riconosciute[posto(RALLENTAMENTO)] && (e = rallentamento(l)) != Esito::prosegui) return e;
    if (riconosciute[posto(ABBATTIMENTO)] && (e = abbattimento(l)) != Esito::prosegui) return e;
    if (riconosciute[posto(STAZIONE)] && (e = leggi_stazione(l, s)) != Esito::prosegui) return e;
    return e;
}

// Records start after the "[generale]" field. Reading comes before the
// end-of-file test, so a file of zero bytes fails at its first read; one
// without the field fails at its end, reported at its first field, where
// the section belongs.
Esito leggi_record(Lettura& l, StatoTreno& s) {
    std::optional<Luogo> primo;
    do {
        l.leggi_voce();
        if (!primo && !l.voce_letta.empty()) primo = l.voce;
    } while (!contiene(l.voce_letta, SEZIONE_GENERALE) && !l.campi.fine_file());
    // Like the line file's code 102: without it nothing of the file is a train.
    if (!contiene(l.voce_letta, SEZIONE_GENERALE))
        throw ErroreLettura("the train description file has no '[generale]' field, which comes first",
                            primo.value_or(l.campi.luogo()));
    return per_ogni_record(l, s, [&] { return record_treno(l, s); });
}

// The speed and adhesion in force reach the last cells but two.
void completa_treno(Lettura& l, StatoTreno& s) {
    Modello& m = l.m;
    richiedi_celle(m, "end of the train description");
    const int32_t da = s.indice_velocita;
    riempi_celle(m, s.indice_velocita, m.ultima_cella() - 2, &Cella::vel_limite, velocita_cella(s), "velocita",
                 s.indice_velocita * 50);
    controlla_limite_sugli_indicatori(l, s, da);
    riempi_celle(m, s.indice_aderenza, m.ultima_cella() - 2, &Cella::aderenza, basso8(s.aderenza_corrente), "aderenza",
                 s.indice_aderenza * 50);
}

}  // namespace

Esito leggi_descrizione_treno(Lettura& l, int32_t prossimo_cartello) {
    StatoTreno s;
    s.prossimo_cartello = prossimo_cartello;
    Esito e = leggi_record(l, s);
    if (e != Esito::interrotta) completa_treno(l, s);
    return e;
}

}  // namespace compattatore
