#include "decompile/sorgente_linea.h"

#include <algorithm>
#include <array>

#include "compiler/progressive_ordina.h"
#include "decompile/cifre.h"
#include "decompile/colonne.h"
#include "decompile/montagne.h"
#include "decompile/profili.h"
#include "decompile/tabella_oggetti.h"
#include "model/errore_lettura.h"

namespace compattatore {

namespace {

using std::to_string;

// "keyword,    v1,    v2": the header's own layout.
std::string intestazione(const std::string& parola, std::initializer_list<int64_t> valori) {
    std::string riga = parola;
    for (int64_t v : valori) riga += ",    " + to_string(v);
    return riga;
}

bool stessa_progressiva(const Oggetto& a, const Oggetto& b) {
    return a.inizio == b.inizio && a.fine == b.fine && a.posizione == b.posizione;
}

// The "uno", "due" and "tre" progressives that the ordering turns into
// records 83, 82 and 81: each record loses the 100 the ordering adds, then
// every assignment to the three lines is tried through the ordering itself.
std::array<Oggetto, 3> progressive_sorgente(const TabellaOggetti& oggetti) {
    std::array<Oggetto, 3> letti;  // as records 81, 82, 83 hold them before the ordering
    for (int r = 0; r < 3; ++r) {
        const Oggetto& o = oggetti[OGGETTO_PROGRESSIVA_TRE + r];
        letti[r].inizio = o.inizio;
        letti[r].fine = o.posizione == 1 ? o.fine - 100 : o.fine;
        letti[r].posizione = o.posizione;
    }
    std::array<int, 3> ordine{0, 1, 2};
    do {
        TabellaOggetti prova{};
        for (int r = 0; r < 3; ++r) prova[OGGETTO_PROGRESSIVA_TRE + r] = letti[ordine[r]];
        try {
            progressive_ordina(prova);
        } catch (const ErroreLettura&) {
            continue;
        }
        bool uguali = true;
        for (int r = OGGETTO_PROGRESSIVA_TRE; r < OGGETTO_PROGRESSIVA_TRE + 3; ++r)
            uguali = uguali && stessa_progressiva(prova[r], oggetti[r]);
        if (uguali) return {letti[ordine[0]], letti[ordine[1]], letti[ordine[2]]};
    } while (std::next_permutation(ordine.begin(), ordine.end()));
    return letti;  // the nearest: the comparison names what differs
}

void generale(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    const TabellaOggetti& o = s.oggetti;
    righe.emplace_back("[generale]");
    righe.push_back(intestazione("lunghezza percorso", {s.lunghezza()}));
    const std::array<Oggetto, 3> p = progressive_sorgente(o);  // tre, due, uno
    const char* nomi[3] = {"tre", "due", "uno"};
    for (int r = 2; r >= 0; --r)
        righe.push_back(
            intestazione(std::string("progressiva chilometrica ") + nomi[r], {p[r].inizio, p[r].fine, p[r].posizione}));
    const Oggetto& linea = o[OGGETTO_LINEA];
    righe.push_back(intestazione("sfondo uno", {linea.inizio}));
    righe.push_back(intestazione("sfondo due", {linea.posizione}));
    righe.push_back(intestazione("sfondo tre", {linea.fine}));
    // An end of 0 leaves no codes whichever count the keyword names.
    const Oggetto& treno = o[OGGETTO_TRENO];
    const char* codici = treno.posizione == 9 ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici";
    righe.push_back(intestazione(codici, {treno.inizio, treno.fine}));
}

void curve(const std::vector<CurvaRicostruita>& curve, std::vector<std::string>& righe) {
    righe.emplace_back("[curve]");
    Colonne c;
    for (const CurvaRicostruita& k : curve)
        c.riga({std::string(k.sinistra ? "curvas" : "curvad") + to_string(k.classe), to_string(k.inizio),
                to_string(k.lunghezza)});
    c.aggiungi_a(righe);
}

void pendenze(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    righe.emplace_back("[pendenze]");
    Colonne c;
    for (const PuntoProfilo& p : punti_profilo(s.celle, &Cella::pendenza))
        c.riga({"pendenza", to_string(p.posizione), to_string(int{p.valore} - 100)});
    c.aggiungi_a(righe);
}

// A mountain record as written: start, end, the kind field and the kind it lays.
struct RigaMontagna {
    int64_t inizio;
    int64_t fine;
    int valore;
    uint8_t tipo;
};

// The kind `valore` given back to the cells [inizio, fine) that the marked
// span of kind 3 written last took, when there is no room for the span of
// no length that would keep that kind: the marked span takes the kind
// itself and runs on under an unmarked span of kind 3. Only where the
// marked span keeps a kind other than 3, as the first record or far
// enough from the one before it.
bool ripiega(std::vector<RigaMontagna>& scritte, int64_t inizio, int64_t fine, int valore) {
    if (scritte.empty() || valore < 0 || valore > 10) return false;
    RigaMontagna& segnata = scritte.back();
    if (segnata.valore != 13 || segnata.inizio != inizio || segnata.fine <= fine) return false;
    if (scritte.size() > 1 && inizio - scritte[scritte.size() - 2].fine <= 150) return false;
    const int64_t fine_segnata = segnata.fine;
    segnata = {inizio, fine_segnata, valore == 0 ? 266 : valore + 10, static_cast<uint8_t>(valore)};
    scritte.push_back({fine, fine_segnata, 3, 3});
    return true;
}

// Each span at its cells; a marked span is written with the kind + 10 that
// asks for the marks, an unmarked kind above 10 as the negative number whose
// low byte it is, a marked kind 0 as 266.
void montagne(const ScenarioCompilato& s, std::vector<std::string>& righe) {
    righe.emplace_back("[montagne]");
    std::vector<RigaMontagna> scritte;
    auto tratto = [&](int64_t inizio, int64_t fine, uint8_t tipo, int valore) {
        // A span 150 m or less after the previous one's end turns kind 3. A
        // span of no length 200 m before it (no cell) moves the end that it
        // is measured from, as a source in another order did.
        if (!scritte.empty() && tipo != 3 && inizio - scritte.back().fine <= 150) {
            const int64_t parte = inizio - 200;
            if (parte >= 0) {
                scritte.push_back({parte, parte, 0, 0});
            } else if (std::ranges::all_of(scritte, [&](const RigaMontagna& r) {
                           return r.tipo == 3 && r.inizio < r.fine && r.fine <= fine &&
                                  (r.fine <= inizio || (r.valore == 3 && r.inizio < inizio));
                       })) {
                // Near the line's start, where there is no room for one, the
                // spans before it, all of kind 3, go after it: written there
                // they read as kind 3 all the same. One running into its
                // cells, which it would overwrite, ends where it starts: only
                // an unmarked one, as a marked one's marks there would be lost.
                for (RigaMontagna& r : scritte) r.fine = std::min(r.fine, inizio);
                scritte.insert(scritte.begin(), {inizio, fine, valore, tipo});
                return;
            } else if (ripiega(scritte, inizio, fine, valore)) {
                return;
            } else {
                // Failing that, a span ending 200 m before its start.
                scritte.push_back({inizio, parte, 0, 0});
            }
        }
        scritte.push_back({inizio, fine, valore, tipo});
    };
    for (const TrattoMontagna& t : tratti_montagna(s.celle)) {
        const int64_t inizio = inizio_cella(static_cast<int64_t>(t.primo)),
                      fine = inizio_cella(static_cast<int64_t>(t.ultimo) + 1);
        const int valore = t.segnalini ? (t.tipo == 0 ? 266 : t.tipo + 10) : t.tipo > 10 ? t.tipo - 256 : t.tipo;
        // A span starting in the runs before its own lays their cells anew:
        // the spans written for those cells alone are left out, and those
        // of another kind than its own given back after it.
        const int64_t rientro_fine = inizio_cella(static_cast<int64_t>(t.primo + t.rientro));
        while (t.rientro > 0 && !scritte.empty() && scritte.back().inizio >= inizio &&
               scritte.back().fine <= rientro_fine && scritte.back().inizio < scritte.back().fine)
            scritte.pop_back();
        tratto(inizio, fine, t.tipo, valore);
        for (size_t a = t.primo; a < t.primo + t.rientro;) {
            const uint8_t tipo = s.celle[a].montagna;
            size_t b = a;
            while (b + 1 < t.primo + t.rientro && s.celle[b + 1].montagna == tipo) ++b;
            if (tipo != t.tipo)
                tratto(inizio_cella(static_cast<int64_t>(a)), inizio_cella(static_cast<int64_t>(b) + 1), tipo,
                       tipo > 10 ? tipo - 256 : tipo);
            a = b + 1;
        }
    }
    Colonne c;
    for (const RigaMontagna& r : scritte)
        c.riga({"montagna", to_string(r.inizio), to_string(r.fine), to_string(r.valore)});
    c.aggiungi_a(righe);
}

// A packed value holds the left speed / 5 in its hundreds and the right
// speed / 5 below.
std::pair<int32_t, int32_t> velocita_tabella(int16_t valore) {
    const auto [sinistra, destra] = dividi(valore, 100);
    return {5 * sinistra, 5 * destra};
}

void indicatori(const ScenarioCompilato& s, const std::vector<Nascosto>& nascosti, std::vector<std::string>& righe) {
    righe.emplace_back("[cartelli]");
    Colonne c;
    for (size_t i = 0; i < s.celle.size(); ++i) {
        const Cella& k = s.celle[i];
        // A board under a stop mark is written where it stood; its first
        // field, which the mark took, as 0.
        if (k.tipo != CELLA_INDICATORE_VMAX && nascosti[i] != Nascosto::indicatore) continue;
        auto [vas, vad] = velocita_tabella(k.tipo == CELLA_INDICATORE_VMAX ? k.dato1 : int16_t{0});
        auto [vbs, vbd] = velocita_tabella(k.dato2);
        auto [vcs, vcd] = velocita_tabella(k.dato3);
        auto [strisces, strisced] = dividi(k.dato4, 10);
        // No right board: its fields stay empty, as an author leaves them.
        const bool destra = vad != 0 || vbd != 0 || vcd != 0;
        auto campo = [&](int32_t v) { return destra ? to_string(v) : std::string(); };
        c.riga({"indicatori_vmax", to_string(inizio_cella(static_cast<int64_t>(i) - 1)), to_string(vas), to_string(vbs),
                to_string(vcs), to_string(strisces), campo(vad), campo(vbd), campo(vcd), to_string(strisced)});
    }
    c.aggiungi_a(righe);
}

// Signs take the object records from 80 down in file order. A sign whose
// cell a station's stop mark took goes back under a stop mark that covers
// nothing else, each under its own.
void cartelli(const ScenarioCompilato& s, const std::vector<Nascosto>& nascosti, std::vector<std::string>& righe) {
    righe.emplace_back("[indicazioni]");
    std::vector<std::pair<int, size_t>> segni;  // record, cell
    std::vector<size_t> fermate;
    for (size_t i = 0; i < s.celle.size(); ++i) {
        const Cella& k = s.celle[i];
        if (k.tipo == CELLA_CARTELLO) segni.emplace_back(k.dato1, i);
        if (k.tipo == CELLA_FERMATA && nascosti[i] == Nascosto::niente) fermate.push_back(i);
    }
    const std::vector<int> persi = record_tabella(s).cartelli_persi;
    for (size_t n = 0; n < persi.size() && n < fermate.size(); ++n) segni.emplace_back(persi[n], fermate[n]);
    std::stable_sort(segni.begin(), segni.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    Colonne c(true);
    for (auto [record, i] : segni) {
        const std::string testo =
            record >= 0 && record < NUMERO_OGGETTI ? s.oggetti[static_cast<size_t>(record)].nome : "";
        c.riga({"cartello_indicatore", to_string(inizio_cella(static_cast<int64_t>(i) - 1)), campo_testo(testo)});
    }
    c.aggiungi_a(righe);
}

}  // namespace

std::vector<std::string> sorgente_linea(const ScenarioCompilato& s, const std::vector<CurvaRicostruita>& c) {
    std::vector<std::string> righe;
    generale(s, righe);
    curve(c, righe);
    pendenze(s, righe);
    montagne(s, righe);
    const std::vector<Nascosto> nascosti = sotto_fermate(s.celle);
    indicatori(s, nascosti, righe);
    cartelli(s, nascosti, righe);
    righe.emplace_back("[fine]");
    return righe;
}

}  // namespace compattatore
