#include "view/dati_vista.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "draw/tracciato_punti.h"
#include "inspect/forme_rapporto.h"
#include "json/scrittore_json.h"
#include "model/numeri.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

// Cells whose object an author places by position p into cell round(p/50 + 1).
bool posta_per_posizione(uint8_t tipo) {
    switch (tipo) {
        case CELLA_SEGNALE:
        case CELLA_FINE_RALLENTAMENTO:
        case CELLA_INIZIO_RALLENTAMENTO:
        case CELLA_AVVISO_RALLENTAMENTO:
        case CELLA_INDICATORE_VMAX:
        case CELLA_CARTELLO: return true;
        default: return false;
    }
}

// Centimetres are finer than any pixel the viewer draws.
double al_centimetro(double metri) {
    const double c = std::round(metri * 100) / 100;
    return std::isfinite(c) ? c : metri;
}

void tracciato(ScrittoreJson& j, const ScenarioCompilato& scenario) {
    const std::vector<PuntoTracciato> tutti = punti_del_tracciato(scenario.tracciato);
    const std::vector<double> importanza = importanza_punti(tutti);
    std::vector<PuntoTracciato> punti;
    std::vector<double> errori;
    for (size_t k = 0; k < tutti.size(); ++k) {
        if (importanza[k] > METRI_PER_PIXEL_MINIMI) {
            punti.push_back(tutti[k]);
            errori.push_back(importanza[k]);
        }
    }
    j.chiave("plan");
    if (punti.empty()) {
        j.nullo();
        return;
    }
    j.inizio_oggetto();
    auto colonna = [&](const char* nome, auto valore) {
        j.chiave(nome);
        j.inizio_lista();
        for (size_t k = 0; k < punti.size(); ++k) valore(k);
        j.fine_lista();
    };
    colonna("m", [&](size_t k) { j.valore(int64_t{punti[k].metro}); });
    colonna("x", [&](size_t k) { j.valore(al_centimetro(punti[k].x)); });
    colonna("y", [&](size_t k) { j.valore(al_centimetro(punti[k].y)); });
    // The largest error (metres) at which each point may be left out; the
    // ends are never left out.
    colonna("e", [&](size_t k) { j.valore(std::min(al_centimetro(errori[k]), 1e300)); });
    j.fine_oggetto();
}

// One item of a train's list written as JSON, with the key its list is
// ordered by (ascending, each key once), by which the viewer puts the items
// a line's trains share back among each train's own.
struct Voce {
    int64_t chiave;
    std::string json;
};

// A train's lists in the order of NOMI_LISTE; the last three, the runs
// [from_m, to_m, value] of the profile along the line itself, under "profile".
constexpr std::array<const char*, 6> NOMI_LISTE = {"stations",           "text_signs",      "cells",
                                                   "gradient_per_mille", "speed_limit_kmh", "mountain_kind"};
constexpr size_t PRIMA_DEL_PROFILO = 3;
using ListeTreno = std::array<std::vector<Voce>, NOMI_LISTE.size()>;

template <typename T, typename Membri>
Voce voce(int64_t chiave, const T& elemento, Membri membri) {
    ScrittoreJson j;
    j.inizio_oggetto();
    membri(j, elemento);
    j.fine_oggetto();
    return {chiave, j.testo()};
}

Voce voce_tratto(const Tratto& t) {
    ScrittoreJson j;
    j.inizio_lista();
    j.valore(int64_t{t.da});
    j.valore(int64_t{t.a});
    j.valore(t.valore);
    j.fine_lista();
    return {t.da, j.testo()};
}

ListeTreno liste_treno(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    // What a code mark was laid for is inspect's to say: in the page it
    // would add a sentence to every mark, a quarter more bytes.
    const Rapporto r = costruisci_rapporto(scenario, chiavi, {}, MarcheCodice::solo_codice);
    ListeTreno liste;
    for (const Stazione& s : r.stazioni) liste[0].push_back(voce(s.numero, s, membri_stazione_json));
    // Text signs come from the last record down.
    for (const Cartello& c : r.cartelli) liste[1].push_back(voce(-c.record, c, membri_cartello_json));
    for (const CellaDescritta& c : r.celle) {
        liste[2].push_back(voce(c.indice, c, [&scenario](ScrittoreJson& j, const CellaDescritta& d) {
            membri_cella_json(j, d);
            if (posta_per_posizione(scenario.celle[static_cast<size_t>(d.indice)].tipo)) {
                j.chiave("author_position_m");
                j.valore(posizione_per_cella(d.indice));
            }
        }));
    }
    const int ultima = std::min(static_cast<int>(scenario.celle.size()) - 1, (scenario.lunghezza() - 1) / METRI_CELLA);
    const Profilo p = profilo_tra(scenario.celle, 0, ultima);
    const std::array profilo = {&p.pendenza, &p.velocita, &p.montagne};
    for (size_t k = 0; k < profilo.size(); ++k) {
        for (const Tratto& t : *profilo[k]) liste[PRIMA_DEL_PROFILO + k].push_back(voce_tratto(t));
    }
    return liste;
}

// The lists as members of an open object: "stations", "text_signs",
// "cells" and "profile".
void membri_liste(ScrittoreJson& j, const ListeTreno& liste) {
    for (size_t l = 0; l < liste.size(); ++l) {
        if (l == PRIMA_DEL_PROFILO) {
            j.chiave("profile");
            j.inizio_oggetto();
        }
        j.chiave(NOMI_LISTE[l]);
        j.inizio_lista();
        for (const Voce& v : liste[l]) j.gia_scritto(v.json);
        j.fine_lista();
    }
    j.fine_oggetto();
}

// Splits the trains' lists into the items every train holds alike (same key,
// same JSON), returned, and those each train holds as its own, left in
// `treni`. Where a train differs, even in a cell from the line, it keeps
// its own.
ListeTreno separa_comuni(std::vector<ListeTreno>& treni) {
    ListeTreno comuni;
    for (size_t l = 0; l < comuni.size(); ++l) {
        std::vector<std::map<int64_t, const std::string*>> indici;
        for (const ListeTreno& t : treni) {
            auto& indice = indici.emplace_back();
            for (const Voce& v : t[l]) indice.emplace(v.chiave, &v.json);
        }
        std::set<int64_t> chiavi_comuni;
        for (const Voce& v : treni.front()[l]) {
            const bool ovunque = std::all_of(indici.begin(), indici.end(), [&v](const auto& indice) {
                const auto trovata = indice.find(v.chiave);
                return trovata != indice.end() && *trovata->second == v.json;
            });
            if (!ovunque) continue;
            chiavi_comuni.insert(v.chiave);
            comuni[l].push_back(v);
        }
        for (ListeTreno& t : treni) {
            std::erase_if(t[l], [&chiavi_comuni](const Voce& v) { return chiavi_comuni.contains(v.chiave); });
        }
    }
    return comuni;
}

void chiavi_json(ScrittoreJson& j, const std::string& linea, const std::string* treno) {
    j.chiave("keys");
    j.inizio_oggetto();
    j.chiave("line");
    j.valore(da_1252_a_utf8(linea));
    if (treno) {
        j.chiave("train");
        j.valore(da_1252_a_utf8(*treno));
    }
    j.fine_oggetto();
}

}  // namespace

std::string dati_vista_json(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    ScrittoreJson j;
    j.inizio_oggetto();
    chiavi_json(j, chiavi.linea, &chiavi.treno);
    j.chiave("line_length_m");
    j.valore(int64_t{scenario.lunghezza()});
    membri_liste(j, liste_treno(scenario, chiavi));
    tracciato(j, scenario);
    j.fine_oggetto();
    return j.testo();
}

std::string dati_vista_linea_json(const std::vector<TrenoVista>& treni, const std::string& grafico) {
    const ScenarioCompilato& primo = treni.front().scenario;
    ScrittoreJson j;
    j.inizio_oggetto();
    chiavi_json(j, treni.front().chiavi.linea, nullptr);
    j.chiave("line_length_m");
    j.valore(int64_t{primo.lunghezza()});
    std::vector<ListeTreno> liste;
    liste.reserve(treni.size());
    for (const TrenoVista& t : treni) liste.push_back(liste_treno(t.scenario, t.chiavi));
    // What every train holds alike once: the page grows by each train's own.
    j.chiave("shared");
    j.inizio_oggetto();
    membri_liste(j, separa_comuni(liste));
    j.fine_oggetto();
    j.chiave("trains");
    j.inizio_lista();
    for (size_t k = 0; k < treni.size(); ++k) {
        j.inizio_oggetto();
        chiavi_json(j, treni[k].chiavi.linea, &treni[k].chiavi.treno);
        membri_liste(j, liste[k]);
        j.fine_oggetto();
    }
    j.fine_lista();
    // The line's plan once, whichever train is shown.
    tracciato(j, primo);
    j.chiave("graph");
    j.valore(grafico);
    j.fine_oggetto();
    return j.testo();
}

}  // namespace compattatore
