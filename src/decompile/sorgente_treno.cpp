#include "decompile/sorgente_treno.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>

#include "decompile/cifre.h"
#include "decompile/colonne.h"
#include "decompile/profili.h"
#include "decompile/rallentamenti.h"
#include "decompile/tabella_oggetti.h"
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

// A record of the run and what places it in the file: the section it
// belongs to, and the cell that orders it among its kind.
struct RecordTreno {
    int sezione;  // index into SEZIONI
    size_t cella;
    std::vector<std::string> campi;
    std::vector<int> sotto_stazioni;  // stations whose stop marks take cells of this record's
};

// The station whose stop mark holds cell i, if one does.
void sotto_stazione(const Cella& c, std::vector<int>& stazioni) {
    if (c.tipo == CELLA_FERMATA) stazioni.push_back(c.dato1);
}

enum Sezione { STAZIONI, RALLENTAMENTI, SEGNALI, CODICI };
constexpr const char* SEZIONI[] = {"[stazioni]", "[rallentamenti]", "[segnali]", "[codici]"};

// The code marks a record writes into the cells' `codice`, which a later
// record overwrites: cell and value.
using Marche = std::vector<std::pair<size_t, uint8_t>>;

RecordTreno stazione(const Oggetto& o, int j) {
    // The platform length back from the stop zone's start; the lengthening
    // flag from its end (the first station's flag is cleared after use).
    const bool attestata = o.tipo >= 5 && o.tipo <= 8;
    const int64_t L = attestata ? int64_t{o.posizione} - o.inizio : 2 * (int64_t{o.posizione} - o.inizio);
    int64_t allungata = o.flag[2];
    if (!attestata && j == 1) allungata = int64_t{o.fine} - (o.posizione + L / 2) == 50 ? 1 : 0;
    const auto [ore_minuti, secondi] = std::pair{o.orario / 60, o.orario % 60};
    return {STAZIONI,
            static_cast<size_t>(j),
            {"stazione", to_string(o.posizione), to_string(o.tipo), to_string(L), to_string(o.attributo),
             to_string(o.flag[3]), to_string(allungata), to_string(o.valori[0]), to_string(o.valori[1]),
             to_string(o.flag[0]), to_string(o.valori[2]), to_string(o.valori[3]), to_string(o.valori[4]),
             to_string(o.flag[1]), to_string(ore_minuti / 60), to_string(ore_minuti % 60), to_string(secondi),
             campo_testo(o.nome)},
            {}};
}

// The stop mark's four code marks before the stop cell.
Marche marche_stazione(const Oggetto& o) {
    Marche m;
    if (o.tipo >= 25 || o.tipo == 5 || o.tipo == 6) return m;
    const double fine_celle = o.fine / 50.0;
    for (int k = 1; k <= 4; ++k)
        if (fine_celle - k - 1 > 1) m.emplace_back(static_cast<size_t>(arrotonda(fine_celle - k - 1)), 80 + k);
    return m;
}

// A record for each slowdown; the stations whose stop marks took any of its
// cells come after it.
std::vector<RecordTreno> rallentamenti(const std::vector<Cella>& celle) {
    std::vector<RecordTreno> r;
    for (const RallentamentoCelle& k : rallentamenti_celle(celle)) {
        std::vector<int> stazioni;
        for (size_t i : k.celle) sotto_stazione(celle[i], stazioni);
        r.push_back({RALLENTAMENTI,
                     k.inizio,
                     {"rallentamento", to_string(k.x), to_string(k.v), to_string(k.lunghezza), to_string(k.f_tt),
                      k.avvicinamento ? "1" : "0", to_string(k.d_v)},
                     stazioni});
    }
    return r;
}

// dato4 = 10 * rapp + 3 * sx + dx. The code mark 100 m before the signal
// carries 10 * (3 * sx + dx) + 1, which tells the heads from rapp; a time
// is kept only for sx = 2. The marks follow from the heads written.
RecordTreno segnale(const std::vector<Cella>& celle, size_t i, Marche& marche) {
    const Cella& k = celle[i];
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
    for (int n = 1; n <= 4 && i >= 2 * static_cast<size_t>(n); ++n)
        marche.emplace_back(i - 2 * static_cast<size_t>(n), basso8(10 * (3 * sx + dx) + n));
    // Under a stop mark the first field is lost: written as 0.
    const bool perso = k.tipo == CELLA_FERMATA;
    const auto [s1, d1] = dividi(perso ? int16_t{0} : k.dato1, 10);
    const auto [s2, d2] = dividi(k.dato2, 10);
    const auto [s3, d3] = dividi(k.dato3, 10);
    return {SEGNALI,
            i,
            {"segnale", posizione_punto(i), to_string(sx), to_string(s1), to_string(s2), to_string(s3), to_string(rapp),
             to_string(dx), to_string(d1), to_string(d2), to_string(d3), to_string(k.tempo)},
            perso ? std::vector<int>{k.dato1} : std::vector<int>{}};
}

// Placed at round(p / 50), without the + 1; a value stored in 16 bits, a
// kind 13 cell from a value of 0.
RecordTreno abbattimento(const Cella& k, size_t i) {
    const int32_t valore = k.tipo != CELLA_ABBATTIMENTO ? 0 : k.dato1 > 0 ? k.dato1 : k.dato1 + 65536;
    return {CODICI, i, {"abbattimento", to_string(inizio_cella(static_cast<int64_t>(i))), to_string(valore)}, {}};
}

// The order the records are written in: by section and cell, except where
// the code marks the cells keep ask for another. Built from the last record
// back: a record can come after all those not yet placed when each of its
// marks is the one its cell keeps, or falls on a cell a record after it
// marks; stations keep their numbering order, and a record whose cell a
// station's stop mark took comes before that station. A record that can go
// last stays so as others are placed after it, so the first found serves.
std::vector<size_t> ordine(const std::vector<RecordTreno>& record, const std::vector<Marche>& marche,
                           const std::vector<Cella>& celle) {
    const size_t n = record.size();
    std::vector<int> bloccato(n, 0);
    std::vector<std::vector<size_t>> sblocca(n);    // placing r unblocks these
    std::map<size_t, std::vector<size_t>> diversi;  // cell: records whose mark there is not the kept one
    for (size_t r = 0; r < n; ++r) {
        for (auto [c, v] : marche[r]) {
            if (c >= celle.size() || v == celle[c].codice) continue;  // a mark past the last cell keeps nothing
            diversi[c].push_back(r);
            ++bloccato[r];
        }
    }
    std::map<int, size_t> stazioni;  // number: record
    for (size_t r = 0; r < n; ++r)
        if (record[r].sezione == STAZIONI) stazioni[static_cast<int>(record[r].cella)] = r;
    auto dopo = [&](size_t prima, size_t poi) {  // `prima` waits for `poi` to be placed
        sblocca[poi].push_back(prima);
        ++bloccato[prima];
    };
    for (auto k = stazioni.begin(); k != stazioni.end() && std::next(k) != stazioni.end(); ++k)
        dopo(k->second, std::next(k)->second);
    for (size_t r = 0; r < n; ++r)
        for (int j : record[r].sotto_stazioni)
            if (auto k = stazioni.find(j); k != stazioni.end() && k->second != r) dopo(r, k->second);

    std::set<size_t> pronti;
    for (size_t r = 0; r < n; ++r)
        if (bloccato[r] == 0) pronti.insert(r);
    std::vector<bool> coperta(celle.size(), false);
    std::vector<size_t> ordinati;
    while (!pronti.empty()) {
        // The latest in plain order goes last, so that the rest stay in plain order.
        const size_t r = *pronti.rbegin();
        pronti.erase(r);
        ordinati.push_back(r);
        auto libera = [&](size_t k) {
            if (--bloccato[k] == 0) pronti.insert(k);
        };
        for (size_t k : sblocca[r]) libera(k);
        for (auto [c, v] : marche[r]) {
            if (c >= coperta.size() || coperta[c]) continue;
            coperta[c] = true;
            if (auto d = diversi.find(c); d != diversi.end())
                for (size_t k : d->second) libera(k);
        }
    }
    if (ordinati.size() != n) {
        // No order gives every mark: the plain one, and the comparison names the cells.
        ordinati.resize(n);
        for (size_t r = 0; r < n; ++r) ordinati[r] = r;
        return ordinati;
    }
    std::reverse(ordinati.begin(), ordinati.end());
    return ordinati;
}

void oggetti_percorso(const ScenarioCompilato& s, const std::vector<size_t>& abbattimenti_autore,
                      std::vector<std::string>& righe) {
    std::vector<RecordTreno> record;
    std::vector<Marche> marche;
    for (int j = 1; j <= record_tabella(s).ultima_stazione; ++j) {
        record.push_back(stazione(s.oggetti[static_cast<size_t>(j)], j));
        marche.push_back(marche_stazione(s.oggetti[static_cast<size_t>(j)]));
    }
    for (RecordTreno& r : rallentamenti(s.celle)) {
        record.push_back(std::move(r));
        marche.emplace_back();
    }
    const std::vector<Nascosto> nascosti = sotto_fermate(s.celle);
    for (size_t i = 0; i < s.celle.size(); ++i) {
        if (s.celle[i].tipo != CELLA_SEGNALE && nascosti[i] != Nascosto::segnale) continue;
        marche.emplace_back();
        record.push_back(segnale(s.celle, i, marche.back()));
    }
    for (size_t i : abbattimenti_autore) {
        record.push_back(abbattimento(s.celle[i], i));
        marche.emplace_back();
    }
    // Each run of one section under its header, laid out on its own; a
    // section with no record still has its header, where it stands in order.
    std::array<bool, std::size(SEZIONI)> usate{};
    for (const RecordTreno& r : record) usate[static_cast<size_t>(r.sezione)] = true;
    auto vuote_fino_a = [&](size_t fino) {
        for (size_t k = 0; k < fino; ++k) {
            if (usate[k]) continue;
            righe.emplace_back(SEZIONI[k]);
            usate[k] = true;
        }
    };
    int sezione = -1;
    Colonne c;
    for (size_t r : ordine(record, marche, s.celle)) {
        if (record[r].sezione != sezione) {
            if (sezione >= 0) c.aggiungi_a(righe);
            sezione = record[r].sezione;
            vuote_fino_a(static_cast<size_t>(sezione));
            righe.emplace_back(SEZIONI[sezione]);
            c = Colonne(sezione == STAZIONI);
        }
        c.riga(record[r].campi);
    }
    if (sezione >= 0) c.aggiungi_a(righe);
    vuote_fino_a(std::size(SEZIONI));
}

}  // namespace

std::vector<std::string> sorgente_treno(const ScenarioCompilato& s, const std::vector<size_t>& abbattimenti_autore) {
    std::vector<std::string> righe;
    generale(s.oggetti, righe);
    profilo(s, "[aderenze]", "aderenza", &Cella::aderenza, 1, righe);
    profilo(s, "[vel_limite]", "velocita", &Cella::vel_limite, 5, righe);
    oggetti_percorso(s, abbattimenti_autore, righe);
    righe.emplace_back("[fine]");
    return righe;
}

}  // namespace compattatore
