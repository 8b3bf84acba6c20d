#include "decompile/curve.h"

#include <array>
#include <bit>
#include <cstdio>

#include "model/tracciato.h"

namespace compattatore {

namespace {

bool stesso_valore(const ValoreEtichettato& a, const ValoreEtichettato& b) {
    if (a.index() != b.index()) return false;
    if (const double* d = std::get_if<double>(&a))
        return std::bit_cast<uint64_t>(*d) == std::bit_cast<uint64_t>(std::get<double>(b));
    if (const int16_t* i = std::get_if<int16_t>(&a)) return *i == std::get<int16_t>(b);
    return true;
}

bool stessa_riga(const RigaTracciato& a, const RigaTracciato& b) {
    return stesso_valore(a.x, b.x) && stesso_valore(a.y, b.y);
}

bool vuota(const RigaTracciato& r) {
    return std::holds_alternative<std::monostate>(r.x) && std::holds_alternative<std::monostate>(r.y);
}

std::string descrivi_valore(const ValoreEtichettato& v) {
    if (const double* d = std::get_if<double>(&v)) {
        char testo[40];
        std::snprintf(testo, sizeof testo, "%.17g", *d);
        return std::string(testo) + " (8 bytes)";
    }
    if (const int16_t* i = std::get_if<int16_t>(&v)) return std::to_string(*i) + " (16-bit)";
    return "empty";
}

// The curvatures a curve record can give, signed: right-hand positive.
constexpr int CLASSI = 6;

// The two rows a step starts from.
using Finestra = std::array<RigaTracciato, 2>;

// The row the reader's step of curvature `c` (0: straight) makes after the
// two rows of the window.
RigaTracciato passo(const Finestra& f, double c) {
    const PuntoPiano a{valore(f[0].x), valore(f[0].y)};
    const PuntoPiano b{valore(f[1].x), valore(f[1].y)};
    const PuntoPiano p = c == 0.0 ? passo_dritto(a, b) : passo_girato(a, b, c);
    return {p.x, p.y};
}

}  // namespace

CurveRicostruite ricostruisci_curve(const Tracciato& t, int32_t lunghezza) {
    CurveRicostruite esito;
    const RigaTracciato avvio[2] = {{int16_t{0}, int16_t{0}}, {int16_t{0}, int16_t{1}}};
    for (size_t m = 0; m < 2 && m < t.size(); ++m) {
        if (!stessa_riga(t[m], avvio[m]))
            esito.estranee.push_back(
                {static_cast<int64_t>(m),
                 "holds " + descrivi_riga(t[m]) + ", the reader always starts with " + descrivi_riga(avvio[m])});
    }
    // Rows past the last straight one are empty unless a curve reaches them.
    const int64_t ultima_rettilinea = int64_t{lunghezza} + OLTRE_LINEA - 2;
    double corrente = 0.0;  // curvature of the curve being followed; 0 on a straight
    int64_t inizio_curva = 0;
    auto chiudi = [&](int64_t fine) {
        if (corrente == 0.0) return;
        CurvaRicostruita curva;
        curva.inizio = static_cast<int32_t>(inizio_curva - 1);
        curva.lunghezza = static_cast<int32_t>(fine - inizio_curva + 1);
        curva.sinistra = corrente < 0;
        for (int k = 1; k <= CLASSI; ++k)
            if (curvatura_classe(k) == (corrente < 0 ? -corrente : corrente)) curva.classe = k;
        esito.curve.push_back(curva);
        corrente = 0.0;
    };
    bool fine_raggiunta = false;  // a tail row was left empty: no curve goes on
    // A row no step makes is replaced, for the rows after it, by the step
    // that comes nearest (the curve being followed, or straight), so that a
    // single edited row is named alone.
    Finestra f{!t.empty() ? t[0] : RigaTracciato{}, t.size() > 1 ? t[1] : RigaTracciato{}};
    auto avanza = [&](const RigaTracciato& nuova) {
        f[0] = f[1];
        f[1] = nuova;
    };
    for (size_t m = 2; m < t.size(); ++m) {
        const auto riga = static_cast<int64_t>(m);
        if (riga > ultima_rettilinea && vuota(t[m])) {
            avanza(t[m]);
            chiudi(riga - 1);
            fine_raggiunta = true;
            continue;
        }
        // The curve being followed first, then straight, then every class.
        bool trovata = false;
        double c = corrente;
        if (corrente != 0.0) trovata = stessa_riga(t[m], passo(f, corrente));
        if (!trovata && riga <= ultima_rettilinea) {
            c = 0.0;
            trovata = stessa_riga(t[m], passo(f, c));
        }
        for (int k = 1; k <= CLASSI && !trovata && !fine_raggiunta; ++k) {
            for (double prova : {curvatura_classe(k), -curvatura_classe(k)}) {
                if (!trovata && stessa_riga(t[m], passo(f, prova))) {
                    c = prova;
                    trovata = true;
                }
            }
        }
        if (trovata) {
            avanza(t[m]);
        } else {
            const RigaTracciato vicina = passo(f, corrente);
            esito.estranee.push_back({riga, "holds " + descrivi_riga(t[m]) +
                                                "; no straight or curved step of the reader makes it from the two rows "
                                                "before (the nearest gives " +
                                                descrivi_riga(vicina) + ")"});
            avanza(vicina);
            c = corrente;
        }
        if (c == corrente) continue;
        chiudi(riga - 1);
        if (c != 0.0) {
            corrente = c;
            inizio_curva = riga;
        }
    }
    chiudi(static_cast<int64_t>(t.size()) - 1);
    return esito;
}

int64_t prima_riga_diversa(const Tracciato& a, const Tracciato& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t m = 0; m < n; ++m)
        if (!stessa_riga(a[m], b[m])) return static_cast<int64_t>(m);
    return a.size() == b.size() ? -1 : static_cast<int64_t>(n);
}

std::string descrivi_riga(const RigaTracciato& riga) {
    return "x " + descrivi_valore(riga.x) + ", y " + descrivi_valore(riga.y);
}

}  // namespace compattatore
