#include "decompile/generatore.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "decompile/caso.h"

namespace compattatore::prova {

using std::to_string;

std::string riga(const std::string& parola, const std::vector<int64_t>& valori) {
    std::string r = parola;
    for (int64_t v : valori) r += ", " + to_string(v);
    return r + "\r\n";
}

std::string riga_stazione(Generatore& g, int64_t p, int64_t tipo, int64_t L) {
    const bool attestata = tipo >= 5 && tipo <= 8;
    std::string r = "stazione, " + to_string(p) + ", " + to_string(tipo) + ", " + to_string(L) + ", " +
                    to_string(g.bordo(0, 255)) + ", " + to_string(g.bordo(0, 255)) + ", " +
                    to_string(attestata ? 0 : 1);
    r += ", " + to_string(g.bordo(INT16_MIN, INT16_MAX)) + ", " + to_string(g.bordo(INT16_MIN, INT16_MAX)) + ", " +
         to_string(g.bordo(0, 255));
    for (int k = 0; k < 3; ++k) r += ", " + to_string(g.bordo(INT16_MIN, INT16_MAX));
    r += ", " + to_string(g.bordo(0, 255)) + ", " + to_string(g.tra(0, 23)) + ", " + to_string(g.tra(0, 59)) + ", " +
         to_string(g.tra(0, 59)) + ", " + Generatore::campo(g.testo()) + "\r\n";
    return r;
}

ScenarioGenerato genera_scenario(uint32_t seme) {
    Generatore g(seme);
    const int64_t lunghezza = g.moneta(8) ? g.tra(0, 200) : g.tra(2000, 12000);
    const auto ultima_cella = static_cast<int64_t>(std::nearbyint((lunghezza + 7000) / 50.0));
    const int64_t ultimo_punto = 50 * (ultima_cella - 3);  // passes the range check
    ScenarioGenerato s;
    std::string& l = s.linea;

    l += "[generale]\r\n" + riga("lunghezza percorso", {lunghezza});
    const char* nomi[] = {"uno", "due", "tre"};
    for (const char* n : nomi) {
        if (g.moneta(3))
            l += riga(std::string("progressiva chilometrica ") + n,
                      {50 * g.tra(-20, 200), 50 * g.tra(-5, 40), g.tra(-1, 2)});
    }
    l += riga("sfondo uno", {g.bordo(INT32_MIN, INT32_MAX)});
    l += riga("sfondo due", {g.tra(0, 3)});
    l += riga("sfondo tre", {g.bordo(-5, 5)});
    if (!g.moneta(5)) {
        int64_t inizio = 50 * g.tra(0, lunghezza / 100);
        l += riga(g.moneta() ? "ripetizione segnali 4 codici" : "ripetizione segnali 9 codici",
                  {inizio, g.moneta(4) ? 0 : inizio + 50 * g.tra(1, 100)});
    }

    // Curves: back to back or apart, from the first rows to past the last.
    l += "[curve]\r\n";
    for (int64_t m = g.moneta(4) ? g.tra(0, 3) : g.tra(0, 800); m < lunghezza + 7000;) {
        const int64_t lungo = g.moneta(6) ? 7000 + lunghezza : g.tra(1, 900);
        l += riga(std::string(g.moneta() ? "curvas" : "curvad") + to_string(g.tra(1, 6)), {m, lungo});
        m += lungo + (g.moneta(3) ? 0 : g.tra(1, 1500));
        if (m > 50 * (ultima_cella - 2)) break;
    }

    l += "[pendenze]\r\n";
    for (int64_t p = 0; p <= ultimo_punto; p += 50 * g.tra(1, 60)) l += riga("pendenza", {p, g.bordo(-100, 155)});
    if (g.moneta(3)) l += riga("pendenza", {ultimo_punto + 50, g.tra(-5, 5)});

    // Mountains at least one cell apart; a close one turns kind 3.
    l += "[montagne]\r\n";
    for (int64_t p = 50 * g.tra(0, 40); p <= ultimo_punto; p += 50 * g.tra(2, 40)) {
        const int64_t fine = p + 50 * g.tra(1, 40);
        l += riga("montagna", {p, fine, g.tra(1, 10) + (g.moneta() ? 10 : 0)});
        p = fine;
    }

    l += "[cartelli]\r\n";
    for (int n = static_cast<int>(g.tra(0, 6)); n > 0; --n) {
        int64_t p = 50 * g.tra(1, ultimo_punto / 50);
        if (!g.prendi(p / 50 + 1, p / 50 + 1)) continue;
        std::string r = "indicatori_vmax, " + to_string(p);
        for (int k = 0; k < 3; ++k) r += ", " + to_string(5 * g.bordo(0, 60));
        r += ", " + to_string(g.tra(0, 12));
        const bool destra = g.moneta();
        for (int k = 0; k < 3; ++k) r += destra ? ", " + to_string(5 * g.bordo(0, 19)) : ", ";
        r += ", " + to_string(g.tra(0, 9)) + "\r\n";
        l += r;
    }
    l += "[indicazioni]\r\n";
    for (int n = static_cast<int>(g.tra(0, 5)); n > 0; --n) {
        int64_t p = 50 * g.tra(1, ultimo_punto / 50);
        if (!g.prendi(p / 50 + 1, p / 50 + 1)) continue;
        l += "cartello_indicatore, " + to_string(p) + ", " + Generatore::campo(g.testo()) + "\r\n";
    }
    l += "[fine]\r\n";

    std::string& t = s.treno;
    t += "[generale]\r\n" + riga("numero vetture", {g.bordo(INT32_MIN, INT32_MAX)}) +
         riga("percentuale massa frenata", {g.bordo(0, 200)}) + riga("sabbia", {g.bordo(INT16_MIN, INT16_MAX)});
    t += "orologio, " + to_string(g.tra(0, 23)) + " " + to_string(g.tra(0, 59)) + " " + to_string(g.bordo(-1, 59)) +
         "\r\n";
    t += "[aderenze]\r\n";
    for (int64_t p = 0; p <= ultimo_punto; p += 50 * g.tra(1, 80)) t += riga("aderenza", {p, g.bordo(0, 255)});
    t += "[vel_limite]\r\n";
    for (int64_t p = g.moneta(4) ? 50 : 0; p <= ultimo_punto; p += 50 * g.tra(1, 80))
        t += riga("velocita", {p, g.bordo(0, 1277)});

    // Stations along the line, their stop zones 350 m apart or more.
    t += "[stazioni]\r\n";
    int64_t fine_precedente = -100000;
    for (int n = static_cast<int>(g.tra(0, 5)); n > 0; --n) {
        const int64_t L = 100 * g.tra(0, 8);
        const int64_t tipo = g.uno(std::vector<int64_t>{0, 2, 4, 5, 6, 7, 8, 12, 24, 25, 26, 255});
        const int64_t p = std::max<int64_t>(fine_precedente + 350 + L + 50 * g.tra(0, 40), 1000 + L);
        if (p + 800 > 50 * ultima_cella - 100) break;
        const int64_t fine = tipo == 5 || tipo == 6 ? p + 150 : tipo == 7 || tipo == 8 ? p + L : p + L / 2 + 50;
        const int64_t fermata = (fine + 25) / 50 - 1;
        if (tipo < 25 && !g.prendi(fermata, fermata)) break;
        fine_precedente = fine;
        t += riga_stazione(g, p, tipo, L);
    }

    // Slowdowns with their warning and approach cells and room after the end.
    t += "[rallentamenti]\r\n";
    for (int n = static_cast<int>(g.tra(0, 3)); n > 0; --n) {
        const int64_t x = 50 * g.tra(2, ultimo_punto / 50 - 30);
        const int64_t lungo = 50 * g.tra(0, 30);
        if (x + lungo > ultimo_punto) continue;
        const int64_t inizio = x / 50 + 1;
        if (!g.prendi(x > 1500 ? inizio - 29 : inizio, (x + lungo) / 50 + 14)) continue;
        t += riga("rallentamento",
                  {x, 5 * g.bordo(0, 40), lungo, g.tra(0, 3), g.tra(0, 1), g.moneta() ? 0 : g.tra(1, 200)});
    }

    t += "[segnali]\r\n";
    std::vector<int64_t> segnali;
    for (int n = static_cast<int>(g.tra(0, 12)); n > 0; --n) {
        const int64_t p = 50 * g.tra(2, ultimo_punto / 50);
        if (g.prendi(p / 50 + 1, p / 50 + 1)) segnali.push_back(p);
    }
    std::sort(segnali.begin(), segnali.end());
    for (int64_t p : segnali) {
        const int64_t sx = g.tra(1, 2);
        t += riga("segnale", {p, sx, g.tra(0, 9), g.tra(0, 9), g.tra(0, 9), g.tra(0, 9), g.tra(0, 2), g.tra(0, 9),
                              g.tra(0, 9), g.tra(0, 9), g.bordo(0, 255)});
    }

    t += "[codici]\r\n";
    for (int n = static_cast<int>(g.tra(0, 4)); n > 0; --n) {
        const int64_t p = 50 * g.tra(2, ultimo_punto / 50);
        if (g.prendi(p / 50, p / 50)) t += riga("abbattimento", {p, g.moneta(4) ? 0 : g.bordo(1, 70000)});
    }
    t += "[fine]\r\n";
    return s;
}

}  // namespace compattatore::prova
