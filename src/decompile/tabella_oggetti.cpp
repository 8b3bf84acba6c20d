#include "decompile/tabella_oggetti.h"

#include <algorithm>
#include <set>

#include "decompile/rallentamenti.h"

namespace compattatore {

namespace {

// Fields a station always sets some of; a sign sets only the name.
bool dati_stazione(const Oggetto& o) {
    return o.tipo != 0 || o.inizio != 0 || o.fine != 0 || o.posizione != 0 || o.attributo != 0 ||
           o.valori != decltype(o.valori){} || o.flag != decltype(o.flag){} || o.orario != 0;
}

}  // namespace

RecordTabella record_tabella(const ScenarioCompilato& s) {
    RecordTabella t;
    t.primo_cartello = PRIMO_CARTELLO + 1;
    std::set<int> visti;
    for (const Cella& c : s.celle) {
        if (c.tipo != CELLA_CARTELLO || c.dato1 < 1 || c.dato1 > PRIMO_CARTELLO) continue;
        visti.insert(c.dato1);
        t.primo_cartello = std::min<int>(t.primo_cartello, c.dato1);
    }
    int ultimi_dati = 0;
    for (int j = 1; j <= PRIMO_CARTELLO; ++j)
        if (dati_stazione(s.oggetti[static_cast<size_t>(j)])) ultimi_dati = j;
    for (int j = ultimi_dati + 1; j < t.primo_cartello; ++j) {
        if (s.oggetti[static_cast<size_t>(j)].nome.empty()) continue;
        t.primo_cartello = j;
        break;
    }
    for (int j = 1; j < t.primo_cartello; ++j) {
        const Oggetto& o = s.oggetti[static_cast<size_t>(j)];
        if (dati_stazione(o) || !o.nome.empty()) t.ultima_stazione = j;
    }
    for (int j = PRIMO_CARTELLO; j >= t.primo_cartello; --j)
        if (!visti.contains(j)) t.cartelli_persi.push_back(j);
    return t;
}

namespace {

Nascosto sotto_fermata(const std::vector<Cella>& celle, size_t i) {
    const Cella& c = celle[i];
    if (c.tempo != 0) return Nascosto::segnale;
    if (c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0) return Nascosto::niente;
    // Any of its code marks still standing tells a signal: the station's own
    // marks may cover the nearer two, a later signal's any of them.
    const int32_t teste = ((c.dato4 % 10) + 10) % 10;
    for (int k = 1; k <= 4; ++k) {
        const size_t d = 2 * static_cast<size_t>(k);
        if (i >= d && celle[i - d].codice == static_cast<uint8_t>(10 * teste + k)) return Nascosto::segnale;
    }
    if (i >= 2) return Nascosto::indicatore;
    return Nascosto::segnale;
}

}  // namespace

std::vector<Nascosto> sotto_fermate(const std::vector<Cella>& celle) {
    std::vector<Nascosto> n(celle.size(), Nascosto::niente);
    for (size_t i = 0; i < celle.size(); ++i)
        if (celle[i].tipo == CELLA_FERMATA) n[i] = sotto_fermata(celle, i);
    for (const RallentamentoCelle& r : rallentamenti_celle(celle))
        for (size_t i : r.celle)
            if (i < celle.size() && celle[i].tipo == CELLA_FERMATA) n[i] = Nascosto::rallentamento;
    return n;
}

}  // namespace compattatore
