#include "linea_generata.h"

#include <string>

namespace compattatore::banco {

namespace {

// Every 15 km block holds a station, a speed board, a tunnel, two gradients
// and eleven signals, and keeps a stretch free for a slowdown. The signals
// keep about 2 km before to 2.5 km after the station and the slowdown, whose
// stop mark and code cells need the cells there.
constexpr int BLOCCO = 15000;
// Where the objects lie in their block, in metres from its start.
constexpr int STAZIONE = 2000;
constexpr int CARTELLO = 4000;
constexpr int PRIMO_SEGNALE = 5000;
constexpr int SEGNALI = 11;
constexpr int PASSO_SEGNALI = 500;
constexpr int GALLERIA = 7000;
constexpr int DISCESA = 7500;
constexpr int RALLENTAMENTO = 12500;
// A slowdown every 40 km, in the block where each 40 km mark falls.
constexpr int OGNI_RALLENTAMENTO = 40000;
constexpr int OGNI_CURVA = 2000;

class Testo {
public:
    Testo& operator<<(const std::string& s) {
        t_ += s;
        return *this;
    }
    Testo& operator<<(int v) { return *this << std::to_string(v); }
    void riga() { t_ += "\r\n"; }
    std::string str() const { return t_; }

private:
    std::string t_;
};

// Whether a 40 km mark falls in the block that starts at `blocco`.
bool con_rallentamento(int blocco) { return (blocco + BLOCCO - 1) / OGNI_RALLENTAMENTO * OGNI_RALLENTAMENTO >= blocco; }

}  // namespace

std::string linea_generata(int lunghezza) {
    Testo t;
    t << "[generale]";
    t.riga();
    t << "lunghezza percorso,    " << lunghezza;
    t.riga();
    for (const char* n : {"uno", "due", "tre"}) {
        t << "progressiva chilometrica " << n << ",    0,    0,    0";
        t.riga();
    }
    t << "sfondo uno,    0";
    t.riga();
    t << "sfondo due,    1";
    t.riga();
    t << "sfondo tre,    0";
    t.riga();
    t << "ripetizione segnali 4 codici,    1050,    " << lunghezza - 4500;
    t.riga();
    t << "[curve]";
    t.riga();
    // Each pair turns one way and back by as much, so the line keeps its
    // heading; the pairs go through the classes and the lengths.
    for (int i = 0; (i + 1) * OGNI_CURVA <= lunghezza; ++i) {
        const int coppia = i / 2;
        t << (i % 2 == 0 ? "curvas" : "curvad") << 1 + coppia % 6 << ",  " << i * OGNI_CURVA + 500 << ",  "
          << 200 + 100 * (coppia % 5);
        t.riga();
    }
    t << "[pendenze]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "pendenza,  " << b << ",   3";
        t.riga();
        t << "pendenza,  " << b + DISCESA << ",   -2";
        t.riga();
    }
    t << "[montagne]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "montagna,   " << b + GALLERIA << ",  " << b + GALLERIA + 1000 << ",  12";
        t.riga();
    }
    t << "[cartelli]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "indicatori_vmax,  " << b + CARTELLO << ",  110,  115,  120,  0,  ,  ,  ,  0";
        t.riga();
    }
    t << "[indicazioni]";
    t.riga();
    t << "[fine]";
    t.riga();
    return t.str();
}

std::string treno_generato(int lunghezza) {
    Testo t;
    for (const char* r :
         {"[generale]", "numero vetture,    12", "percentuale massa frenata,    135", "sabbia,    300",
          "orologio,    19              9             40 ", "[aderenze]", "aderenza,   0,    100", "[vel_limite]"}) {
        t << r;
        t.riga();
    }
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "velocita,   " << b << ",   " << (b == 0 ? 30 : 160);
        t.riga();
        t << "velocita,   " << b + 900 << ",   160";
        t.riga();
    }
    t << "[stazioni]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "stazione,   " << b + STAZIONE << ", 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, STAZIONE "
          << b / BLOCCO + 1;
        t.riga();
    }
    t << "[rallentamenti]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        if (!con_rallentamento(b)) continue;
        t << "rallentamento,   " << b + RALLENTAMENTO << ",    60, 1100, 1,  0,  60";
        t.riga();
    }
    t << "[segnali]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        for (int s = 0; s < SEGNALI; ++s) {
            t << "segnale,   " << b + PRIMO_SEGNALE + s * PASSO_SEGNALI << ",   2, 4, 1,  0, 0,    2,  2,1,0, 0";
            t.riga();
        }
    }
    t << "[codici]";
    t.riga();
    t << "[fine]";
    t.riga();
    return t.str();
}

}  // namespace compattatore::banco
