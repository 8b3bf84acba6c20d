#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "decompile/caso.h"
#include "decompile/generatore.h"

namespace compattatore::prova {

namespace {

using std::to_string;

// One record and the section an author would put it in; the records of a
// chain (gradients, curves, speeds, adhesions, stations, mountains) keep
// their order.
struct Voce {
    const char* sezione;
    std::string riga;
    int catena = 0;  // 0: free to move
    size_t ordine = 0;
};

class Voci {
public:
    void libera(const char* sezione, std::string riga) { voci_.push_back({sezione, std::move(riga)}); }
    void in_catena(int catena, const char* sezione, std::string riga) {
        voci_.push_back({sezione, std::move(riga), catena, voci_.size()});
    }

    // The records in a random order with each chain's order kept, a section
    // header wherever the section changes.
    std::string mescolate(Generatore& g) {
        g.mescola(voci_);
        std::map<int, std::vector<size_t>> posti;
        for (size_t i = 0; i < voci_.size(); ++i)
            if (voci_[i].catena != 0) posti[voci_[i].catena].push_back(i);
        std::vector<Voce> ordinate = voci_;
        for (const auto& [catena, p] : posti) {
            std::vector<Voce> proprie;
            for (size_t i : p) proprie.push_back(voci_[i]);
            std::sort(proprie.begin(), proprie.end(), [](const Voce& a, const Voce& b) { return a.ordine < b.ordine; });
            for (size_t k = 0; k < p.size(); ++k) ordinate[p[k]] = proprie[k];
        }
        std::string t;
        std::string sezione;
        for (const Voce& v : ordinate) {
            if (sezione != v.sezione) t += std::string(v.sezione) + "\r\n";
            sezione = v.sezione;
            t += v.riga;
        }
        return t;
    }

private:
    std::vector<Voce> voci_;
};

enum Catena { PENDENZE = 1, CURVE, VELOCITA, ADERENZE, STAZIONI, MONTAGNE };

int64_t cella_di(int64_t p) { return static_cast<int64_t>(std::nearbyint(p / 50.0 + 1)); }

class Fitto {
public:
    // Objects stay on the line: past its end they are warned about.
    explicit Fitto(uint32_t seme)
        : g_(seme),
          lunghezza_(g_.tra(2000, 6000)),
          ultima_cella_(static_cast<int64_t>(std::nearbyint((lunghezza_ + 7000) / 50.0))),
          ultimo_punto_(50 * (ultima_cella_ - 3)),
          ultimo_oggetto_(lunghezza_ / 50 - 2) {
        for (int n = 0; n < 2; ++n) centri_.push_back(g_.tra(40, ultimo_oggetto_ - 10));
    }

    ScenarioGenerato genera() {
        ScenarioGenerato s;
        s.linea = "[generale]\r\n" + riga("lunghezza percorso", {lunghezza_}) + riga("sfondo due", {g_.tra(0, 3)});
        if (g_.moneta()) s.linea += riga("ripetizione segnali 4 codici", {50 * g_.tra(0, 20), 50 * g_.tra(21, 80)});
        Voci linea;
        curve(linea);
        profilo(linea, PENDENZE, "[pendenze]", "pendenza", -100, 155);
        montagne(linea);
        indicatori(linea);
        cartelli(linea);
        s.linea += linea.mescolate(g_) + "[fine]\r\n";

        s.treno = "[generale]\r\n" + riga("numero vetture", {g_.tra(1, 12)}) + "orologio, 8 30 0\r\n";
        Voci treno;
        profilo(treno, VELOCITA, "[vel_limite]", "velocita", 0, 1277 / 5);
        profilo(treno, ADERENZE, "[aderenze]", "aderenza", 0, 255);
        stazioni(treno);
        rallentamenti(treno);
        segnali(treno);
        abbattimenti(treno);
        s.treno += treno.mescolate(g_) + "[fine]\r\n";
        return s;
    }

private:
    // A cell near one of the places where objects crowd.
    int64_t vicina() { return std::clamp<int64_t>(g_.uno(centri_) + g_.tra(-30, 30), 3, ultimo_oggetto_); }
    // Metres that put a point object into cell i: on the cell's metre, or
    // anywhere the rounding still gives that cell.
    int64_t metri(int64_t i) {
        const int64_t p = 50 * (i - 1);
        return g_.moneta(3) ? p + g_.tra(-25, 25) : p;
    }

    void curve(Voci& v) {
        for (int64_t m = g_.tra(0, 800); m < lunghezza_ + 7000;) {
            const int64_t lungo = g_.moneta(6) ? 7000 + lunghezza_ : g_.tra(1, 900);
            v.in_catena(CURVE, "[curve]",
                        riga(std::string(g_.moneta() ? "curvas" : "curvad") + to_string(g_.tra(1, 6)), {m, lungo}));
            m += lungo + (g_.moneta(3) ? 0 : g_.tra(1, 1500));
            if (m > 50 * (ultima_cella_ - 2)) break;
        }
    }

    void profilo(Voci& v, Catena catena, const char* sezione, const char* parola, int64_t minimo, int64_t massimo) {
        const int64_t fattore = catena == VELOCITA ? 5 : 1;
        for (int64_t p = 0; p <= ultimo_punto_; p += 50 * g_.tra(1, 60))
            v.in_catena(catena, sezione, riga(parola, {p, fattore * g_.bordo(minimo, massimo)}));
    }

    // Spans touching, a few cells apart or overlapping, of one kind or
    // another, with or without their marks, across the crowded places, in
    // any order. A span written before the end of the one before it is
    // written with kind 3, the kind it reads as there.
    void montagne(Voci& v) {
        struct Tratto {
            int64_t inizio, fine, tipo;
            bool segnalini;
        };
        std::vector<Tratto> tratti;
        int64_t tipo = g_.tra(1, 10);
        for (int64_t p = 50 * g_.tra(0, 40); p <= ultimo_punto_;) {
            const int64_t fine = p + 50 * g_.tra(1, 14) + (g_.moneta(5) ? g_.tra(0, 24) : 0);
            if (!g_.moneta(3)) tipo = g_.tra(1, 10);
            tratti.push_back({p, fine, tipo, g_.moneta()});
            p = 50 * (fine / 50) + (g_.moneta(6) ? -50 * g_.tra(1, 3) : 50 * g_.tra(0, 4));
            if (g_.moneta(4)) p += 50 * g_.tra(5, 40);
        }
        if (!g_.moneta(4)) g_.mescola(tratti);
        for (size_t k = 0; k < tratti.size(); ++k) {
            Tratto& t = tratti[k];
            if (k > 0 && t.inizio < tratti[k - 1].fine) t.tipo = 3;
            v.in_catena(MONTAGNE, "[montagne]", riga("montagna", {t.inizio, t.fine, t.tipo + (t.segnalini ? 10 : 0)}));
        }
    }

    void indicatori(Voci& v) {
        for (int n = static_cast<int>(g_.tra(0, 3)); n > 0; --n) {
            const int64_t i = vicina();
            if (!g_.prendi_celle({i})) continue;
            std::string r = "indicatori_vmax, " + to_string(metri(i));
            for (int k = 0; k < 3; ++k) r += ", " + to_string(5 * g_.tra(0, 60));
            r += ", " + to_string(g_.tra(0, 12));
            for (int k = 0; k < 3; ++k) r += ", " + to_string(5 * g_.tra(0, 19));
            v.libera("[cartelli]", r + ", " + to_string(g_.tra(0, 9)) + "\r\n");
        }
    }

    void cartelli(Voci& v) {
        for (int n = static_cast<int>(g_.tra(0, 8)); n > 0; --n) {
            const int64_t i = vicina();
            if (!g_.prendi_celle({i})) continue;
            v.libera("[indicazioni]",
                     "cartello_indicatore, " + to_string(metri(i)) + ", " + Generatore::campo(g_.testo()) + "\r\n");
        }
    }

    // Stations in order, 350 m apart at the least; their stop marks may fall
    // on any object, which the train file may place before or after them.
    void stazioni(Voci& v) {
        int64_t fine_precedente = -100000;
        for (int n = static_cast<int>(g_.tra(0, 3)); n > 0; --n) {
            const int64_t L = 100 * g_.tra(0, 8);
            const int64_t tipo = g_.uno(std::vector<int64_t>{0, 2, 4, 5, 6, 7, 8, 12, 24, 25});
            const int64_t p = std::max<int64_t>(50 * (vicina() - 1), std::max(fine_precedente + 350 + L, 1000 + L));
            if (p + 800 > 50 * ultima_cella_ - 100 || p > lunghezza_) break;
            fine_precedente = tipo == 5 || tipo == 6 ? p + 150 : tipo == 7 || tipo == 8 ? p + L : p + L / 2 + 50;
            v.in_catena(STAZIONI, "[stazioni]", riga_stazione(g_, p, tipo, L));
        }
    }

    // Slowdowns of every length from one cell up, their start anywhere in
    // a cell, near one another and the other objects.
    void rallentamenti(Voci& v) {
        for (int n = static_cast<int>(g_.tra(0, 4)); n > 0; --n) {
            const int64_t x = metri(vicina());
            const int64_t lungo = g_.moneta(3) ? g_.tra(26, 120) : 50 * g_.tra(1, 30);
            const int64_t f_ta = g_.tra(0, 1);
            std::vector<int64_t> celle{cella_di(x), cella_di(x + lungo)};
            if (celle[1] <= celle[0] || x + lungo > lunghezza_) continue;
            if (x > 1500) {
                celle.push_back(cella_di(x - 1200));
                const auto h = static_cast<int64_t>(std::nearbyint((x - 1200) / 50.0));
                for (int q = 0; f_ta != 0 && q < 4; ++q) celle.push_back(h - q);
            }
            if (!g_.prendi_celle(celle)) continue;
            v.libera("[rallentamenti]", riga("rallentamento", {x, 5 * g_.tra(0, 40), lungo, g_.tra(0, 3), f_ta,
                                                               g_.moneta() ? 0 : g_.tra(1, 200)}));
        }
    }

    // Runs of signals one to five cells apart, so that their code marks
    // 2, 4, 6 and 8 cells before them meet.
    void segnali(Voci& v) {
        for (int n = static_cast<int>(g_.tra(0, 3)); n > 0; --n) {
            int64_t i = vicina();
            for (int k = static_cast<int>(g_.tra(1, 5)); k > 0 && i <= ultimo_oggetto_; --k, i += g_.tra(1, 5)) {
                if (!g_.prendi_celle({i})) continue;
                v.libera("[segnali]", riga("segnale", {metri(i), g_.tra(1, 2), g_.tra(0, 9), g_.tra(0, 9), g_.tra(0, 9),
                                                       g_.tra(0, 9), g_.tra(0, 2), g_.tra(0, 9), g_.tra(0, 9),
                                                       g_.tra(0, 9), g_.bordo(0, 255)}));
            }
        }
    }

    void abbattimenti(Voci& v) {
        for (int n = static_cast<int>(g_.tra(0, 4)); n > 0; --n) {
            const int64_t i = vicina();
            if (!g_.prendi_celle({i})) continue;
            v.libera("[codici]", riga("abbattimento", {50 * i, g_.moneta(4) ? 0 : g_.bordo(1, 32767)}));
        }
    }

    Generatore g_;
    int64_t lunghezza_;
    int64_t ultima_cella_;
    int64_t ultimo_punto_;
    int64_t ultimo_oggetto_;
    std::vector<int64_t> centri_;
};

}  // namespace

ScenarioGenerato genera_scenario_fitto(uint32_t seme) { return Fitto(seme).genera(); }

}  // namespace compattatore::prova
