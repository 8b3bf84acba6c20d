#include <algorithm>
#include <string>
#include <string_view>

#include "compiler/accesso_celle.h"
#include "compiler/codici_errore.h"
#include "compiler/lettura_linea.h"
#include "compiler/parole_chiave.h"
#include "compiler/registratori.h"
#include "compiler/valori_scritti.h"
#include "model/numeri.h"
#include "model/tracciato.h"

namespace compattatore {

namespace {

constexpr int32_t METRO_MASSIMO = 1000000;

// Reader state of the body.
struct CorpoLinea {
    int32_t indice_pendenza = 0;
    int32_t pendenza_corrente = 0;
    int32_t metro_corrente = 2;
    int32_t prossimo_cartello = PRIMO_CARTELLO;
    Montagne montagne;
    Precedente pendenza_prima;  // the gradient record before
    Precedente curva_prima;     // the furthest end of a curve so far
    Precedente montagna_prima;  // the end of the mountain written before
};

// The byte a gradient is stored as: per mille + 100, low 8 bits.
uint8_t pendenza_cella(int32_t pendenza) {
    return basso8(intero32(int64_t{pendenza} + 100, "pendenza: gradient + 100"));
}

Esito pendenza(Lettura& l, CorpoLinea& s) {
    auto p = l.numero<int32_t>("pendenza", "posizione");
    auto g = l.numero<int32_t>("pendenza", "pendenza");
    if (!l.nel_percorso(p.v, 100, "pendenza", p.luogo)) return Esito::fuori_percorso;
    controlla_ordine(l, s.pendenza_prima, p, "pendenza");
    controlla_pendenza(l, g);
    int64_t k = arrotonda(p.v / 50.0);
    if (k > 0)
        riempi_celle(l.m, s.indice_pendenza, k, &Cella::pendenza, pendenza_cella(s.pendenza_corrente), "pendenza", p.v,
                     p.luogo);
    s.pendenza_corrente = g.v;
    return Esito::prosegui;
}

// 1/m for the first of the digits 1 to 6 in the keyword; 0 when none.
double curvatura(const std::string& voce) {
    for (int cifra = 1; cifra <= 6; ++cifra)
        if (voce.find(static_cast<char>('0' + cifra)) != std::string::npos) return curvatura_classe(cifra);
    return 0.0;
}

// Steps the plan by passi(n) from the current metre to `ultimo`, advancing the
// metre counter; past the limit the plan is refused (code 103) after the
// step of the metre at the limit, as a step a metre would do.
template <class Passi>
bool avanza_piano(Lettura& l, CorpoLinea& s, int64_t ultimo, Luogo luogo, Passi passi) {
    if (s.metro_corrente > ultimo) return true;
    const int64_t fin_qui = std::min(ultimo, std::max<int64_t>(METRO_MASSIMO, s.metro_corrente));
    const auto quanti = static_cast<size_t>(fin_qui - s.metro_corrente + 1);
    passi(quanti);
    s.metro_corrente = static_cast<int32_t>(fin_qui + 1);
    if (fin_qui < METRO_MASSIMO) return true;
    l.registra(ERRORE_CURVA, luogo, "curva: the plan passes metre " + std::to_string(METRO_MASSIMO));
    return false;
}

Esito curva(Lettura& l, CorpoLinea& s) {
    auto inizio = l.numero<int32_t>("curva", "inizio");
    auto lunghezza = l.numero<int32_t>("curva", "lunghezza");
    if (!l.nel_percorso(inizio.v, 100, "curva", inizio.luogo)) return Esito::fuori_percorso;
    const std::string& voce = l.voce_letta;
    double c = curvatura(voce);
    if (c == 0.0) {
        l.registra(ERRORE_CURVA, l.voce, "curva: the keyword '" + voce + "' names no curve class 1 to 6");
        return Esito::interrotta;
    }
    if (contiene(voce, "s")) c = -c;  // left-hand
    int32_t fine =
        nel_campo(inizio.luogo, [&] { return intero32(int64_t{inizio.v} + lunghezza.v, "curva: start + length"); });
    if (lunghezza.v < 0)
        l.avvisa(AVVISO_TRATTO_ROVESCIATO, lunghezza.luogo,
                 "curva: the length " + std::to_string(lunghezza.v) + " m is negative; the curve bends nothing");
    controlla_sovrapposti(l, s.curva_prima, inizio, fine, "curva");

    // A curve running past the plan's last row stops there.
    auto& t = l.m.tracciato;
    const int64_t ultima_riga = static_cast<int64_t>(t.size()) - 1;
    if (!avanza_piano(l, s, std::min<int64_t>(inizio.v, ultima_riga), inizio.luogo,
                      [&t](size_t n) { t.rettilinei(n); }))
        return Esito::interrotta;
    if (!avanza_piano(l, s, std::min<int64_t>(fine, ultima_riga), inizio.luogo, [&t, c](size_t n) { t.curvi(c, n); }))
        return Esito::interrotta;
    return Esito::prosegui;
}

Esito montagna(Lettura& l, CorpoLinea& s) {
    const char* record = "montagna";
    auto inizio = l.numero<int32_t>(record, "inizio");
    auto fine = l.numero<int32_t>(record, "fine");
    auto tipo = l.numero<int32_t>(record, "tipo");
    if (!l.nel_percorso(inizio.v, 100, record, inizio.luogo)) return Esito::fuori_percorso;
    const bool vuoto = arrotonda(fine.v / 50.0 - 1) < arrotonda(inizio.v / 50.0);
    // A span of no length is no slip: it marks nothing and is written only
    // to part the spans around it, the next one's distance being measured
    // from its end.
    if (vuoto && fine.v != inizio.v)
        l.avvisa(AVVISO_TRATTO_ROVESCIATO, fine.luogo,
                 "montagna: the span ends at " + std::to_string(fine.v) + " m, before the cell where it starts at " +
                     std::to_string(inizio.v) + " m; it marks no cell");
    if (!vuoto && s.montagne.numero_montagne > 0) controlla_montagna_sovrapposta(l, s.montagna_prima, inizio, tipo.v);
    s.montagna_prima = {fine.v, inizio.luogo};
    nel_campo(inizio.luogo, [&] { memo_montagna(l.m, s.montagne, inizio.v, fine.v, tipo.v); });
    return Esito::prosegui;
}

Esito indicatori(Lettura& l) {
    const char* r = "indicatori_vmax";
    auto p = l.numero<int32_t>(r, "posizione");
    auto vas = l.numero<int32_t>(r, "vas"), vbs = l.numero<int32_t>(r, "vbs"), vcs = l.numero<int32_t>(r, "vcs");
    auto strisces = l.numero<int32_t>(r, "strisces");
    auto vad = l.numero<int32_t>(r, "vad"), vbd = l.numero<int32_t>(r, "vbd"), vcd = l.numero<int32_t>(r, "vcd");
    auto strisced = l.numero<int32_t>(r, "strisced");
    if (!l.nel_percorso(p.v, 100, r, p.luogo)) return Esito::fuori_percorso;
    int32_t codice = nel_campo(p.luogo, [&] {
        return memo_indicatori_v_max(l.m, p.v, vas.v, vbs.v, vcs.v, strisces.v, vad.v, vbd.v, vcd.v, strisced.v);
    });
    if (codice == 0) {
        l.colloca(cella_di(p.v), p);
        l.controlla_oltre_linea(p, r);
        controlla_indicatore(l, 'A', vas, vad);
        controlla_indicatore(l, 'B', vbs, vbd);
        controlla_indicatore(l, 'C', vcs, vcd);
        controlla_strisce(l, strisces, strisced);
        return Esito::prosegui;
    }
    l.conflitto(codice, cella_di(p.v), p.v, p.luogo,
                "indicatori_vmax: cell " + std::to_string(cella_di(p.v)) + " of position " + std::to_string(p.v) +
                    " m already holds an object");
    return Esito::interrotta;
}

Esito cartello(Lettura& l, CorpoLinea& s) {
    const char* record = "cartello_indicatore";
    auto p = l.numero<int32_t>(record, "posizione");
    std::string_view testo = l.testo_oggetto(record, "testo");
    if (!l.nel_percorso(p.v, 100, record, p.luogo)) return Esito::fuori_percorso;
    Cella& c = cella(l.m, cella_di(p.v), record, p.v, p.luogo);
    if (!cella_libera(c)) {
        l.conflitto(ERRORE_CARTELLO_OCCUPATO, cella_di(p.v), p.v, p.luogo,
                    "cartello_indicatore: cell " + std::to_string(cella_di(p.v)) + " of position " +
                        std::to_string(p.v) + " m already holds an object");
        return Esito::interrotta;
    }
    if (s.prossimo_cartello < 1)
        throw ErroreLettura("cartello_indicatore: more than " + std::to_string(PRIMO_CARTELLO) + " text signs",
                            p.luogo);
    c.tipo = CELLA_CARTELLO;
    c.dato1 = static_cast<int16_t>(s.prossimo_cartello);
    l.oggetto(s.prossimo_cartello).nome.assign(testo);
    --s.prossimo_cartello;
    l.colloca(cella_di(p.v), p);
    l.controlla_oltre_linea(p, record);
    return Esito::prosegui;
}

// Without the plan a curve's start and length go unread: they are passed
// over, so that they do not read as numbers left over from a record.
void salta_curva(Lettura& l) {
    for (int n = 0; n < 2 && !l.campi.fine_file(); ++n) l.campi.leggi_testo();
}

// Every test is made even when an earlier one matched.
Esito record_corpo(Lettura& l, CorpoLinea& s) {
    const std::string& v = l.voce_letta;
    const bool curva_o_no = contiene(v, "curva");  // known even when the plan is not built
    if (!contiene(v, "pendenza") && !curva_o_no && !contiene(v, "montagna") && !contiene(v, "indicatori_v") &&
        !(contiene(v, "cartello") && contiene(v, "indicat"))) {
        l.voce_ignorata(SEZIONI_LINEA, SCRITTE_LINEA);
        return Esito::prosegui;
    }
    Esito e = Esito::prosegui;
    if (riconosce(v, PENDENZA) && (e = pendenza(l, s)) != Esito::prosegui) return e;
    if (riconosce(v, CURVA)) {
        if (l.m.stato.crea_tracciato != 0) {
            if ((e = curva(l, s)) != Esito::prosegui) return e;
        } else {
            salta_curva(l);
        }
    }
    if (riconosce(v, MONTAGNA) && (e = montagna(l, s)) != Esito::prosegui) return e;
    if (riconosce(v, INDICATORI_VMAX) && (e = indicatori(l)) != Esito::prosegui) return e;
    if (riconosce(v, CARTELLO_INDICATORE) && (e = cartello(l, s)) != Esito::prosegui) return e;
    return e;
}

// The gradient in force reaches the last cells but two; the plan runs
// straight on to its last row but two.
void completa_linea(Lettura& l, CorpoLinea& s) {
    Modello& m = l.m;
    richiedi_celle(m, "end of the line description");
    riempi_celle(m, s.indice_pendenza, m.ultima_cella() - 2, &Cella::pendenza, pendenza_cella(s.pendenza_corrente),
                 "pendenza", s.indice_pendenza * 50);
    if (m.stato.crea_tracciato == 0) return;
    const int64_t ultima_calcolata = static_cast<int64_t>(m.tracciato.size()) - 3;
    if (s.metro_corrente > ultima_calcolata) return;
    m.tracciato.rettilinei(static_cast<size_t>(ultima_calcolata - s.metro_corrente + 1));
    s.metro_corrente = static_cast<int32_t>(ultima_calcolata + 1);
}

}  // namespace

Esito leggi_corpo_linea(Lettura& l, int32_t& prossimo_cartello) {
    Modello& m = l.m;
    CorpoLinea s;
    l.r.celle_attese = true;
    if (!m.tracciato.empty()) m.tracciato.avvia();
    Esito e = per_ogni_record(l, s, [&] { return record_corpo(l, s); });
    if (e == Esito::interrotta) return e;
    completa_linea(l, s);
    prossimo_cartello = s.prossimo_cartello;
    return e;
}

}  // namespace compattatore
