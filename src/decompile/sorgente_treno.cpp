#include "decompile/sorgente_treno.h"

#include "decompile/cifre.h"
#include "decompile/colonne.h"
#include "decompile/profili.h"
#include "model/numeri.h"

namespace compattatore {

namespace {

using std::to_string;

// The metres of a point object placed at round(p / 50 + 1).
std::string posizione_punto(size_t cella) { return to_string(inizio_cella(static_cast<int64_t>(cella) - 1)); }

void generale(const TabellaOggetti& o, std::vector<std::string>& righe) {
    righe.emplace_back("[generale]");
    const Oggetto& dimensioni = o[OGGETTO_DIMENSIONI];
    const Oggetto& treno = o[OGGETTO_TRENO];
    righe.emplace_back("numero vetture,    " + to_string(dimensioni.posizione));
    righe.emplace_back("percentuale massa frenata,    " + to_string(dimensioni.inizio));
    righe.emplace_back("sabbia,    " + to_string(treno.valori[0]));
    righe.emplace_back("orologio,    " + to_string(treno.valori[2]) + ",    " + to_string(treno.valori[3]) + ",    " +
                       to_string(treno.valori[4]));
}

void profilo(const ScenarioCompilato& s, const char* sezione, const char* parola, uint8_t Cella::*campo, int fattore,
             std::vector<std::string>& righe) {
    righe.emplace_back(sezione);
    Colonne c;
    for (const PuntoProfilo& p : punti_profilo(s.celle, campo))
        c.riga({parola, to_string(p.posizione), to_string(int{p.valore} * fattore)});
    c.aggiungi_a(righe);
}

// The last record of the table below the first text sign that holds
// anything: stations fill the records from 1 upward with no gap.
int ultima_stazione(const ScenarioCompilato& s) {
    int primo_cartello = PRIMO_CARTELLO + 1;
    for (const Cella& c : s.celle)
        if (c.tipo == CELLA_CARTELLO && c.dato1 >= 1 && c.dato1 < primo_cartello) primo_cartello = c.dato1;
    int ultima = 0;
    for (int j = 1; j < primo_cartello; ++j) {
        const Oggetto& o = s.oggetti[static_cast<size_t>(j)];
        const bool vuoto = o.tipo == 0 && o.inizio == 0 && o.fine == 0 && o.posizione == 0 && o.attributo == 0 &&
                           o.nome.empty() && o.valori == decltype(o.valori){} && o.flag == decltype(o.flag){} &&
                           o.orario == 0;
        if (!vuoto) ultima = j;
    }
    return ultima;
}

void stazioni(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    righe.emplace_back("[stazioni]");
    Colonne c(true);
    for (int j = 1; j <= ultima_stazione(s); ++j) {
        const Oggetto& o = s.oggetti[static_cast<size_t>(j)];
        // The platform length back from the stop zone's start; the lengthening
        // flag from its end (the first station's flag is cleared after use).
        const bool attestata = o.tipo >= 5 && o.tipo <= 8;
        const int64_t L = attestata ? int64_t{o.posizione} - o.inizio : 2 * (int64_t{o.posizione} - o.inizio);
        int64_t allungata = o.flag[2];
        if (!attestata && j == 1) allungata = int64_t{o.fine} - (o.posizione + L / 2) == 50 ? 1 : 0;
        const auto [ore_minuti, secondi] = std::pair{o.orario / 60, o.orario % 60};
        c.riga({"stazione", to_string(o.posizione), to_string(o.tipo), to_string(L), to_string(o.attributo),
                to_string(o.flag[3]), to_string(allungata), to_string(o.valori[0]), to_string(o.valori[1]),
                to_string(o.flag[0]), to_string(o.valori[2]), to_string(o.valori[3]), to_string(o.valori[4]),
                to_string(o.flag[1]), to_string(ore_minuti / 60), to_string(ore_minuti % 60), to_string(secondi),
                campo_testo(o.nome)});
    }
    c.aggiungi_a(righe);
}

// Each start cell, its end (the next end cell, or the start itself when
// another start comes first: a slowdown of length 0), the approach cells.
void rallentamenti(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    righe.emplace_back("[rallentamenti]");
    Colonne c;
    const auto& celle = s.celle;
    for (size_t i = 0; i < celle.size(); ++i) {
        const Cella& inizio = celle[i];
        if (inizio.tipo != CELLA_INIZIO_RALLENTAMENTO) continue;
        size_t fine = i;
        for (size_t k = i + 1; k < celle.size() && celle[k].tipo != CELLA_INIZIO_RALLENTAMENTO; ++k) {
            if (celle[k].tipo == CELLA_FINE_RALLENTAMENTO) {
                fine = k;
                break;
            }
        }
        const int64_t x = inizio_cella(static_cast<int64_t>(i) - 1);
        // Approach cells lie just before the warning cell, 24 cells before the start.
        const int64_t avvicinamento = static_cast<int64_t>(i) - 25;
        const bool f_ta = x > 1500 && avvicinamento >= 0 &&
                          celle[static_cast<size_t>(avvicinamento)].tipo == CELLA_PREAVVISO_RALLENTAMENTO;
        c.riga({"rallentamento", to_string(x), to_string(inizio.dato1),
                to_string(inizio_cella(static_cast<int64_t>(fine - i))), to_string(inizio.dato3), f_ta ? "1" : "0",
                to_string(inizio.dato2)});
    }
    c.aggiungi_a(righe);
}

// dato4 = 10 * rapp + 3 * sx + dx. The code mark 100 m before the signal
// carries 10 * (3 * sx + dx) + 1, which tells the heads from rapp; a time
// is kept only for sx = 2.
void segnali(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    righe.emplace_back("[segnali]");
    Colonne c;
    const auto& celle = s.celle;
    for (size_t i = 0; i < celle.size(); ++i) {
        const Cella& k = celle[i];
        if (k.tipo != CELLA_SEGNALE) continue;
        auto [rapp, teste] = dividi(k.dato4, 10);
        if (i >= 2 && celle[i - 2].codice % 10 == 1) {
            const int32_t dal_segno = (celle[i - 2].codice - 1) / 10;
            if ((k.dato4 - dal_segno) % 10 == 0) {
                teste = dal_segno;
                rapp = (k.dato4 - dal_segno) / 10;
            }
        }
        int32_t sx = teste / 3, dx = teste % 3;
        if (k.tempo != 0) {
            sx = 2;
            dx = teste - 6;
        }
        const auto [s1, d1] = dividi(k.dato1, 10);
        const auto [s2, d2] = dividi(k.dato2, 10);
        const auto [s3, d3] = dividi(k.dato3, 10);
        c.riga({"segnale", posizione_punto(i), to_string(sx), to_string(s1), to_string(s2), to_string(s3),
                to_string(rapp), to_string(dx), to_string(d1), to_string(d2), to_string(d3), to_string(k.tempo)});
    }
    c.aggiungi_a(righe);
}

// Placed at round(p / 50), without the + 1; a value stored in 16 bits, a
// kind 13 cell from a value of 0.
void abbattimenti(const ScenarioCompilato& s, const std::vector<size_t>& celle, std::vector<std::string>& righe) {
    righe.emplace_back("[codici]");
    Colonne c;
    for (size_t i : celle) {
        const Cella& k = s.celle[i];
        const int32_t valore = k.tipo != CELLA_ABBATTIMENTO ? 0 : k.dato1 > 0 ? k.dato1 : k.dato1 + 65536;
        c.riga({"abbattimento", to_string(inizio_cella(static_cast<int64_t>(i))), to_string(valore)});
    }
    c.aggiungi_a(righe);
}

}  // namespace

std::vector<std::string> sorgente_treno(const ScenarioCompilato& s, const std::vector<size_t>& abbattimenti_autore) {
    std::vector<std::string> righe;
    generale(s.oggetti, righe);
    profilo(s, "[aderenze]", "aderenza", &Cella::aderenza, 1, righe);
    profilo(s, "[vel_limite]", "velocita", &Cella::vel_limite, 5, righe);
    stazioni(s, righe);
    rallentamenti(s, righe);
    segnali(s, righe);
    abbattimenti(s, abbattimenti_autore, righe);
    righe.emplace_back("[fine]");
    return righe;
}

}  // namespace compattatore
