#include "view/dati_vista.h"

#include <algorithm>
#include <cmath>

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

void tratti(ScrittoreJson& j, const char* nome, const std::vector<Tratto>& lista) {
    j.chiave(nome);
    j.inizio_lista();
    for (const Tratto& t : lista) {
        j.inizio_lista();
        j.valore(int64_t{t.da});
        j.valore(int64_t{t.a});
        j.valore(t.valore);
        j.fine_lista();
    }
    j.fine_lista();
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

// One train's objects and profile: "stations", "text_signs", "cells" and
// "profile", members of an open object.
void membri_treno(ScrittoreJson& j, const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    // What a code mark was laid for is inspect's to say: in the page it
    // would add a sentence to every mark, a quarter more bytes.
    const Rapporto r = costruisci_rapporto(scenario, chiavi, {}, MarcheCodice::solo_codice);
    membri_stazioni_e_cartelli_json(j, r);
    j.chiave("cells");
    j.inizio_lista();
    for (const CellaDescritta& c : r.celle) {
        j.inizio_oggetto();
        membri_cella_json(j, c);
        const uint8_t tipo = scenario.celle[static_cast<size_t>(c.indice)].tipo;
        if (posta_per_posizione(tipo)) {
            j.chiave("author_position_m");
            j.valore(posizione_per_cella(c.indice));
        }
        j.fine_oggetto();
    }
    j.fine_lista();

    // The profile along the line itself, as runs [from_m, to_m, value].
    const int ultima = std::min(static_cast<int>(scenario.celle.size()) - 1, (scenario.lunghezza() - 1) / METRI_CELLA);
    const Profilo p = profilo_tra(scenario.celle, 0, ultima);
    j.chiave("profile");
    j.inizio_oggetto();
    tratti(j, "gradient_per_mille", p.pendenza);
    tratti(j, "speed_limit_kmh", p.velocita);
    tratti(j, "mountain_kind", p.montagne);
    j.fine_oggetto();
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
    membri_treno(j, scenario, chiavi);
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
    j.chiave("trains");
    j.inizio_lista();
    for (const TrenoVista& t : treni) {
        j.inizio_oggetto();
        chiavi_json(j, t.chiavi.linea, &t.chiavi.treno);
        membri_treno(j, t.scenario, t.chiavi);
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
