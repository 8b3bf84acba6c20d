#include "compiler/valori_scritti.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "model/numeri.h"

namespace compattatore {

namespace {

std::string n(int64_t v) { return std::to_string(v); }

// Left and right of 10 * left + right, as the cell's reader splits it.
struct Coppia {
    int64_t sinistra;
    int64_t destra;
};
Coppia dividi_10(int64_t impaccato) {
    const auto v = static_cast<int16_t>(static_cast<uint16_t>(impaccato));
    return {v / 10, v % 10};
}

std::string orario(int64_t ore, int64_t minuti, int64_t secondi) {
    char testo[48];
    std::snprintf(testo, sizeof testo, "%02lld:%02lld:%02lld", static_cast<long long>(ore),
                  static_cast<long long>(minuti), static_cast<long long>(secondi));
    return testo;
}

// Seconds of the day as HH:MM:SS.
std::string orario_di(int64_t secondi) { return orario(secondi / 3600, secondi / 60 % 60, secondi % 60); }

}  // namespace

void controlla_pendenza(Lettura& l, const Valore<int32_t>& g) {
    if (g.v >= -100 && g.v <= 155) return;
    const int byte = static_cast<uint8_t>(static_cast<uint32_t>(g.v) + 100U);
    l.avvisa(AVVISO_VALORE_TRONCATO, g.luogo,
             "pendenza: gradient " + n(g.v) + " per mille does not fit its byte (gradient + 100, -100 to 155); " +
                 n(byte - 100) + " per mille (byte " + n(byte) + ") is stored instead");
}

void controlla_segnale(Lettura& l, const CampiSegnale& s) {
    for (size_t k = 0; k < 3; ++k) {
        const Valore<int32_t>& a = s.sinistra[k];
        const Valore<int32_t>& b = s.destra[k];
        const Coppia c = dividi_10(int64_t{a.v} * 10 + b.v);
        if (c.sinistra == a.v && c.destra == b.v) continue;
        const std::string i = n(static_cast<int64_t>(k) + 1);
        std::string motivo = "segnale: aspects s";
        for (const std::string& parte :
             {i, " " + n(a.v), " and d" + i, " " + n(b.v), " share one field as 10 * s" + i, " + d" + i,
              ", each 0 to 9; they are stored as " + n(c.sinistra), " and " + n(c.destra)})
            motivo += parte;
        l.avvisa(AVVISO_VALORE_TRONCATO, (b.v < 0 || b.v > 9) ? b.luogo : a.luogo, std::move(motivo));
    }
    const int64_t impaccato = int64_t{s.rapp.v} * 10 + int64_t{s.sx.v} * 3 + s.dx.v;
    const Coppia c = dividi_10(impaccato);
    const int64_t sx = c.destra / 3, dx = c.destra % 3;
    if (c.sinistra == s.rapp.v && sx == s.sx.v && dx == s.dx.v) return;
    l.avvisa(AVVISO_VALORE_TRONCATO, s.sx.luogo,
             "segnale: heads sx " + n(s.sx.v) + " and dx " + n(s.dx.v) + " with rapp " + n(s.rapp.v) +
                 " share one field as 10 * rapp + 3 * sx + dx (sx 0 to 3, dx 0 to 2); they are stored as sx " + n(sx) +
                 ", dx " + n(dx) + ", rapp " + n(c.sinistra));
}

void controlla_indicatore(Lettura& l, char rango, const Valore<int32_t>& sinistra, const Valore<int32_t>& destra) {
    // As the recorder packs them: left * 20 + right / 5, rounded half to even.
    const int64_t impaccato = arrotonda(sinistra.v * 20.0 + destra.v / 5.0);
    if (impaccato < INT16_MIN || impaccato > INT16_MAX) return;  // the recorder refuses it
    const auto [s, d] = velocita_rango(impaccato);
    if (s == sinistra.v && d == destra.v) return;
    const bool destra_fuori = destra.v < 0 || destra.v > 495 || destra.v % 5 != 0;
    const Valore<int32_t>& colpa = destra_fuori ? destra : sinistra;
    const std::string r(1, static_cast<char>(rango - 'A' + 'a'));
    l.avvisa(AVVISO_VALORE_TRONCATO, colpa.luogo,
             "indicatori_vmax: rank " + std::string(1, rango) + " speeds v" + r + "s " + n(sinistra.v) + " and v" + r +
                 "d " + n(destra.v) + " km/h are stored as " + n(s) + " and " + n(d) +
                 " km/h: board speeds go in steps of 5 km/h, the right one up to 495");
}

void controlla_strisce(Lettura& l, const Valore<int32_t>& sinistra, const Valore<int32_t>& destra) {
    const Coppia c = dividi_10(int64_t{sinistra.v} * 10 + destra.v);
    if (c.sinistra == sinistra.v && c.destra == destra.v) return;
    l.avvisa(AVVISO_VALORE_TRONCATO, (destra.v < 0 || destra.v > 9) ? destra.luogo : sinistra.luogo,
             "indicatori_vmax: stripes strisces " + n(sinistra.v) + " and strisced " + n(destra.v) +
                 " share one field as 10 * strisces + strisced, each 0 to 9; they are stored as " + n(c.sinistra) +
                 " and " + n(c.destra));
}

void controlla_orario(Lettura& l, const char* record, const Valore<int32_t>& ore, const Valore<int32_t>& minuti,
                      const Valore<int32_t>& secondi, bool somma) {
    const auto fuori = [](int32_t v) { return v < 0 || v > 59; };
    if (ore.v >= 0 && !fuori(minuti.v) && !fuori(secondi.v)) return;
    const Valore<int32_t>& colpa = ore.v < 0 ? ore : fuori(minuti.v) ? minuti : secondi;
    std::string motivo = std::string(record) + ": the time " + orario(ore.v, minuti.v, secondi.v) +
                         " is not a time of day (minutes and seconds run 0 to 59)";
    if (somma) {
        const int64_t tutti = (int64_t{ore.v} * 60 + minuti.v) * 60 + secondi.v;
        if (tutti >= 0) motivo += "; " + orario_di(tutti) + " is stored instead";
    }
    l.avvisa(AVVISO_VALORE_TRONCATO, colpa.luogo, motivo);
}

void controlla_orari_avanti(Lettura& l, const Valore<int32_t>& posizione, int32_t orario, int32_t precedente) {
    if (orario >= precedente || orario < 0 || precedente < 0) return;
    l.avvisa(AVVISO_ORARIO_INDIETRO, posizione.luogo,
             "stazione: the time " + orario_di(orario) + " comes before " + orario_di(precedente) +
                 " of a station before it: a timetable's times go forward");
}

void controlla_indicatori_sotto_limite(Lettura& l, int32_t da, int32_t a, int32_t limite, Luogo luogo) {
    const auto fine = std::min<size_t>(static_cast<size_t>(std::max(a, 0)), l.m.celle.size());
    for (auto i = static_cast<size_t>(std::max(da, 0)); i < fine; ++i) {
        const Cella& c = l.m.celle[i];
        if (c.tipo != CELLA_INDICATORE_VMAX) continue;
        int64_t massima = 0;
        char rango_massimo = 'A';
        for (auto [rango, impaccato] : {std::pair{'A', c.dato1}, std::pair{'B', c.dato2}, std::pair{'C', c.dato3}}) {
            const VelocitaRango r = velocita_rango(impaccato);
            const int64_t v = std::max(r.sinistra_kmh, r.destra_kmh);
            if (v > massima) massima = v, rango_massimo = rango;
        }
        if (massima <= limite) continue;
        l.avvisa(AVVISO_SOPRA_LIMITE, luogo,
                 "velocita: the train's limit of " + n(limite) + " km/h lies under the board of cell " +
                     n(static_cast<int64_t>(i)) + ", written at about " + n(static_cast<int64_t>(i) * 50 - 50) +
                     " m, which shows " + n(massima) + " km/h to rank " + rango_massimo);
    }
}

void controlla_ordine(Lettura& l, Precedente& prima, const Valore<int32_t>& p, const char* record) {
    if (p.v < prima.posizione) {
        Diagnostica* d =
            l.avvisa(AVVISO_FUORI_ORDINE, p.luogo,
                     std::string(record) + " at " + n(p.v) + " m comes after one at " + n(prima.posizione) +
                         " m: records of a profile go in ascending order, and this one takes effect only from there");
        if (d != nullptr) d->note.push_back({l.file, prima.luogo, "the record before it is here"});
        return;  // the profile goes on from the later position
    }
    prima = {p.v, p.luogo};
}

void controlla_sovrapposti(Lettura& l, Precedente& prima, const Valore<int32_t>& inizio, int32_t fine,
                           const char* record) {
    if (inizio.v < prima.posizione) {
        Diagnostica* d = l.avvisa(AVVISO_SOVRAPPOSTI, inizio.luogo,
                                  std::string(record) + " starting at " + n(inizio.v) +
                                      " m overlaps the one before it, which ends at " + n(prima.posizione) + " m");
        if (d != nullptr) d->note.push_back({l.file, prima.luogo, "the one before it is here"});
    }
    if (fine > prima.posizione) prima = {fine, inizio.luogo};
}

// Mountain spans are laid in the order written, each over the cells of those
// before: a span over part of an earlier one is how a stretch of another
// kind, or a tunnel's marks out of step, is laid inside a longer span, and
// some layouts have no other spelling. What the author cannot mean is the
// kind: a span starting before the end of the one before reads as one
// continuous kind with it, so any kind but 3 written there is not the kind
// stored.
void controlla_montagna_sovrapposta(Lettura& l, const Precedente& prima, const Valore<int32_t>& inizio, int32_t tipo) {
    const int32_t scritto = tipo > 10 ? tipo - 10 : tipo;
    if (inizio.v >= prima.posizione || basso8(scritto) == 3) return;
    Diagnostica* d =
        l.avvisa(AVVISO_SOVRAPPOSTI, inizio.luogo,
                 "montagna starting at " + n(inizio.v) + " m starts before the span written before it ends, at " +
                     n(prima.posizione) + " m: the two read as one continuous kind, so its kind " + n(scritto) +
                     " is stored as 3");
    if (d != nullptr) d->note.push_back({l.file, prima.luogo, "the one before it is here"});
}

}  // namespace compattatore
