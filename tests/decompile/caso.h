// The random choices the scenario generators share.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace compattatore::prova {

class Generatore {
public:
    explicit Generatore(uint32_t seme) : caso_(seme) {}

    int64_t tra(int64_t a, int64_t b) { return std::uniform_int_distribution<int64_t>(a, b)(caso_); }
    bool moneta(int su = 2) { return tra(1, su) == 1; }
    // Often a value at an edge of [a, b], otherwise any value between.
    int64_t bordo(int64_t a, int64_t b) {
        switch (tra(0, 5)) {
            case 0: return a;
            case 1: return b;
            default: return tra(a, b);
        }
    }
    template <class T>
    const T& uno(const std::vector<T>& v) {
        return v[static_cast<size_t>(tra(0, static_cast<int64_t>(v.size()) - 1))];
    }

    // Takes every cell of [a, b] with a free cell on each side, or none.
    bool prendi(int64_t a, int64_t b) {
        if (a < 2) return false;
        for (int64_t i = a - 1; i <= b + 1; ++i)
            if (occupate_.count(i)) return false;
        for (int64_t i = a; i <= b; ++i) occupate_.insert(i);
        return true;
    }

    // Takes each of the cells, which may touch taken ones, or none.
    bool prendi_celle(const std::vector<int64_t>& celle) {
        for (int64_t i : celle)
            if (i < 2 || occupate_.contains(i)) return false;
        occupate_.insert(celle.begin(), celle.end());
        return true;
    }
    template <class T>
    void mescola(std::vector<T>& v) {
        std::shuffle(v.begin(), v.end(), caso_);
    }

    std::string testo() {
        static const std::vector<std::string> pezzi = {"(GALLERIA)",
                                                       "(VIADOTTO)",
                                                       "(Km 3+100)",
                                                       " SPAZIO ",
                                                       "A,B",
                                                       "CITT\xC0",
                                                       "MONZUNO-VADO",
                                                       "(S. FEDELE \xC8 VICINA)",
                                                       ""};
        std::string t;
        for (int64_t n = tra(1, 3); n > 0; --n) t += uno(pezzi);
        return t;
    }
    // A text field: quoted when blanks at the ends or a comma would be lost.
    static std::string campo(const std::string& t) {
        if (t.find(',') != std::string::npos || (!t.empty() && (t.front() == ' ' || t.back() == ' ')))
            return "\"" + t + "\"";
        return t;
    }

private:
    std::mt19937 caso_;
    std::set<int64_t> occupate_;
};

// "keyword, v1, v2" CR LF ended.
std::string riga(const std::string& parola, const std::vector<int64_t>& valori);
// A station record at p with every other field drawn, the lengthening flag
// set where the kind allows it.
std::string riga_stazione(Generatore& g, int64_t p, int64_t tipo, int64_t L);

}  // namespace compattatore::prova
