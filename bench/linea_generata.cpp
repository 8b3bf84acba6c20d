#include "linea_generata.h"

#include <string>

namespace compattatore::banco {

namespace {

// Every 50 km block holds a curve pair, two gradients, a tunnel, a speed
// board, a station, a slowdown and signals that keep clear of both.
constexpr int BLOCCO = 50000;

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

bool lontano_da_stazione_e_rallentamento(int metro_nel_blocco) {
    return (metro_nel_blocco < 8000 || metro_nel_blocco > 12000) &&
           (metro_nel_blocco < 28000 || metro_nel_blocco > 32500);
}

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
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "curvad2,  " << b + 5000 << ",  400";
        t.riga();
        t << "curvas3,  " << b + 40000 << ",  600";
        t.riga();
    }
    t << "[pendenze]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "pendenza,  " << b << ",   3";
        t.riga();
        t << "pendenza,  " << b + 25000 << ",   -2";
        t.riga();
    }
    t << "[montagne]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "montagna,   " << b + 15000 << ",  " << b + 16000 << ",  12";
        t.riga();
    }
    t << "[cartelli]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "indicatori_vmax,  " << b + 20000 << ",  110,  115,  120,  0,  ,  ,  ,  0";
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
        t << "stazione,   " << b + 10000 << ", 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, STAZIONE "
          << b / BLOCCO + 1;
        t.riga();
    }
    t << "[rallentamenti]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        t << "rallentamento,   " << b + 30000 << ",    60, 1100, 1,  0,  60";
        t.riga();
    }
    t << "[segnali]";
    t.riga();
    for (int b = 0; b + BLOCCO <= lunghezza; b += BLOCCO) {
        for (int s = 1500; s < BLOCCO; s += 1500) {
            if (!lontano_da_stazione_e_rallentamento(s)) continue;
            t << "segnale,   " << b + s << ",   2, 4, 1,  0, 0,    2,  2,1,0, 0";
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
