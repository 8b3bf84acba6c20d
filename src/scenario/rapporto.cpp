#include "scenario/rapporto.h"

#include <algorithm>
#include <cstdio>

#include "compiler/codici_gara.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

bool record_vuoto(const Oggetto& o) {
    return o.tipo == 0 && o.inizio == 0 && o.fine == 0 && o.posizione == 0 && o.attributo == 0 && o.nome.empty() &&
           o.valori == decltype(o.valori){} && o.flag == decltype(o.flag){} && o.orario == 0;
}

bool cella_vuota(const Cella& c) {
    return c.tipo == CELLA_LIBERA && c.dato1 == 0 && c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0 && c.tempo == 0 &&
           c.codice == 0;
}

void campi_rango(std::vector<Campo>& campi, const std::string& rango, int16_t impaccato) {
    const VelocitaRango v = velocita_rango(impaccato);
    campi.push_back({"rank_" + rango + "_left_kmh", v.sinistra_kmh});
    campi.push_back({"rank_" + rango + "_right_kmh", v.destra_kmh});
}

// What a code mark stands for. A signal lays 10 (3 sx + dx) + k, k = 1 to 4,
// 2k cells before its own cell; a station stop lays 80 + k k cells before its
// stop mark. The object it was laid for is looked for where it must be.
std::string codice_per(const std::vector<Cella>& celle, size_t indice, int codice) {
    const auto k = static_cast<size_t>(codice % 10);
    const int teste = codice / 10;
    const auto cella_a = [&](size_t passo) -> const Cella* {
        return indice + passo < celle.size() ? &celle[indice + passo] : nullptr;
    };
    if (k >= 1 && k <= 4) {
        const Cella* segnale = cella_a(2 * k);
        if (segnale != nullptr && segnale->tipo == CELLA_SEGNALE && segnale->dato4 % 10 == teste) {
            return "mark " + std::to_string(k) + " of the signal at " + std::to_string(50 * (indice + 2 * k)) +
                   " m (heads " + std::to_string(teste / 3) + "/" + std::to_string(teste % 3) + ")";
        }
        const Cella* fermata = cella_a(k);
        if (teste == 8 && fermata != nullptr && fermata->tipo == CELLA_FERMATA) {
            return "mark " + std::to_string(k) + " of the station stop at " + std::to_string(50 * (indice + k)) + " m";
        }
    }
    return "no signal or station stop where its mark " + std::to_string(k) + " points";
}

std::vector<Campo> campi_per_tipo(const std::vector<Cella>& celle, size_t indice, const ScenarioCompilato& scenario,
                                  MarcheCodice marche) {
    const Cella& c = celle[indice];
    std::vector<Campo> campi;
    auto campo = [&](const char* nome, int64_t valore) { campi.push_back({nome, valore}); };
    switch (c.tipo) {
        case CELLA_SEGNALE: {
            // dato4 = 10 rapp + 3 sx + dx, and each head value pair as 10 s + d.
            const int teste = c.dato4 % 10;
            campo("left_head", teste / 3);
            campo("right_head", teste % 3);
            campo("left_1", c.dato1 / 10);
            campo("left_2", c.dato2 / 10);
            campo("left_3", c.dato3 / 10);
            campo("right_1", c.dato1 % 10);
            campo("right_2", c.dato2 % 10);
            campo("right_3", c.dato3 % 10);
            campo("rapp", c.dato4 / 10);
            campo("time", c.tempo);
            break;
        }
        case CELLA_FINE_RALLENTAMENTO:
        case CELLA_INIZIO_RALLENTAMENTO:
        case CELLA_AVVISO_RALLENTAMENTO:
            campo("speed_kmh", c.dato1);
            campo("d_v", c.dato2);
            if (c.tipo != CELLA_AVVISO_RALLENTAMENTO) campo("f_tt", c.dato3);
            break;
        case CELLA_PREAVVISO_RALLENTAMENTO:
            campo("approach", c.dato1);
            campo("d_v", c.dato2);
            break;
        case CELLA_INDICATORE_VMAX:
            campi_rango(campi, "a", c.dato1);
            campi_rango(campi, "b", c.dato2);
            campi_rango(campi, "c", c.dato3);
            campo("stripes_left", c.dato4 / 10);
            campo("stripes_right", c.dato4 % 10);
            break;
        case CELLA_FERMATA:
            campo("station", c.dato1);
            if (c.dato1 > 0 && c.dato1 < NUMERO_OGGETTI) {
                campi.push_back({"name", da_1252_a_utf8(scenario.oggetti[static_cast<size_t>(c.dato1)].nome)});
            }
            break;
        case CELLA_GALLERIA: campo("mountain", c.montagna); break;
        case CELLA_ABBATTIMENTO: campo("value", c.dato1); break;
        case CELLA_ABBATTIMENTO_NULLO: break;
        case CELLA_CARTELLO:
            campo("record", c.dato1);
            if (c.dato1 > 0 && c.dato1 < NUMERO_OGGETTI) {
                campi.push_back({"text", da_1252_a_utf8(scenario.oggetti[static_cast<size_t>(c.dato1)].nome)});
            }
            break;
        default: {  // a free cell with data or a kind never produced
            // Cell 1 holds the stamps the compiler sets on every scenario.
            const bool timbri = indice == 1 && c.tipo == CELLA_LIBERA;
            const std::pair<const char*, int16_t> dati[] = {{timbri ? "stamp" : "dato1", c.dato1},
                                                            {timbri ? "codice_gara_og" : "dato2", c.dato2},
                                                            {"dato3", c.dato3},
                                                            {"dato4", c.dato4}};
            for (auto [nome, valore] : dati) {
                if (valore != 0) campo(nome, valore);
            }
            if (c.tempo != 0) campo("time", c.tempo);
        }
    }
    if (c.codice != 0) {
        campo("code", c.codice);
        if (marche == MarcheCodice::spiegate) campi.push_back({"code_for", codice_per(celle, indice, c.codice)});
    }
    return campi;
}

Intestazione intestazione_di(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    const TabellaOggetti& o = scenario.oggetti;
    Intestazione i;
    i.chiavi = {da_1252_a_utf8(chiavi.linea), da_1252_a_utf8(chiavi.treno)};
    i.chiavi_nei_file = {da_1252_a_utf8(o[OGGETTO_LINEA].nome), da_1252_a_utf8(o[OGGETTO_TRENO].nome)};
    i.lunghezza = o[OGGETTO_DIMENSIONI].fine;
    i.massa_frenata = o[OGGETTO_DIMENSIONI].inizio;
    i.vetture = o[OGGETTO_DIMENSIONI].posizione;
    const Oggetto& treno = o[OGGETTO_TRENO];
    i.sabbia = treno.valori[0];
    i.orologio = orologio_di(scenario);
    i.ripetizione_inizio = treno.inizio;
    i.ripetizione_fine = treno.fine;
    i.codici_ripetizione = treno.posizione;
    i.sfondi[0] = o[OGGETTO_LINEA].inizio;
    i.sfondi[1] = o[OGGETTO_LINEA].posizione;
    i.sfondi[2] = o[OGGETTO_LINEA].fine;
    for (int r = OGGETTO_PROGRESSIVA_TRE; r < OGGETTO_PROGRESSIVA_TRE + 3; ++r) {
        const Oggetto& p = o[static_cast<size_t>(r)];
        i.progressive.push_back({r - OGGETTO_PROGRESSIVA_TRE + 1, r, p.inizio, p.fine, p.posizione});
    }
    // The codes the keys give, computed as the compiler does, from key copies.
    TabellaOggetti dalle_chiavi{};
    dalle_chiavi[OGGETTO_LINEA].nome = chiavi.linea;
    dalle_chiavi[OGGETTO_TRENO].nome = chiavi.treno;
    i.codice_gara_st = {o[OGGETTO_LINEA].orario, codice_gara_st(dalle_chiavi)};
    i.codice_gara_og = {scenario.celle.size() > 1 ? scenario.celle[1].dato2 : 0, codice_gara_og(dalle_chiavi)};
    i.con_tracciato = !scenario.tracciato.empty();
    return i;
}

}  // namespace

std::string nome_tipo_cella(uint8_t tipo) {
    switch (tipo) {
        case CELLA_LIBERA: return "free";
        case CELLA_SEGNALE: return "signal";
        case CELLA_FINE_RALLENTAMENTO: return "slowdown_end";
        case CELLA_INIZIO_RALLENTAMENTO: return "slowdown_start";
        case CELLA_AVVISO_RALLENTAMENTO: return "slowdown_warning";
        case CELLA_PREAVVISO_RALLENTAMENTO: return "slowdown_approach";
        case CELLA_INDICATORE_VMAX: return "speed_board";
        case CELLA_FERMATA: return "station_stop";
        case CELLA_GALLERIA: return "tunnel_marker";
        case CELLA_ABBATTIMENTO: return "abbattimento";
        case CELLA_ABBATTIMENTO_NULLO: return "abbattimento_zero";
        case CELLA_CARTELLO: return "text_sign";
        default: return "kind_" + std::to_string(tipo);
    }
}

std::string ora_del_giorno(int32_t secondi) {
    char testo[32];
    std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600, secondi / 60 % 60, secondi % 60);
    return testo;
}

int32_t orologio_di(const ScenarioCompilato& scenario) {
    const Oggetto& treno = scenario.oggetti[OGGETTO_TRENO];
    return (treno.valori[2] * 60 + treno.valori[3]) * 60 + treno.valori[4];
}

std::vector<Stazione> stazioni_di(const ScenarioCompilato& scenario) {
    std::vector<Stazione> stazioni;
    for (int r = 1; r <= PRIMO_CARTELLO; ++r) {
        const Oggetto& o = scenario.oggetti[static_cast<size_t>(r)];
        if (record_vuoto(o)) break;
        stazioni.push_back({r, o, da_1252_a_utf8(o.nome)});
    }
    return stazioni;
}

std::vector<Cartello> cartelli_di(const ScenarioCompilato& scenario) {
    const int ultima_stazione = static_cast<int>(stazioni_di(scenario).size());
    std::vector<Cartello> cartelli;
    for (int r = PRIMO_CARTELLO; r > ultima_stazione; --r) {
        const Oggetto& o = scenario.oggetti[static_cast<size_t>(r)];
        if (record_vuoto(o)) break;
        Cartello c{r, std::nullopt, da_1252_a_utf8(o.nome)};
        auto trovata = std::find_if(scenario.celle.begin(), scenario.celle.end(), [r](const Cella& cella) {
            return cella.tipo == CELLA_CARTELLO && cella.dato1 == r;
        });
        if (trovata != scenario.celle.end()) c.cella = static_cast<int>(trovata - scenario.celle.begin());
        cartelli.push_back(c);
    }
    return cartelli;
}

namespace {

// A cell no gradient, speed or adhesion record reached: its stored bytes
// would read as -100 per mille, 0 km/h and no adhesion.
bool senza_profilo(const Cella& c) { return c.pendenza == 0 && c.vel_limite == 0 && c.aderenza == 0; }

// Runs of equal value of one cell field over cells `prima` to `ultima`; with
// `di_profilo`, cells with no profile make runs of their own.
std::vector<Tratto> tratti(const std::vector<Cella>& celle, int prima, int ultima, int64_t (*valore)(const Cella&),
                           bool di_profilo) {
    std::vector<Tratto> risultato;
    for (int i = prima; i <= ultima; ++i) {
        const Cella& c = celle[static_cast<size_t>(i)];
        const bool vuota = di_profilo && senza_profilo(c);
        const int64_t v = vuota ? 0 : valore(c);
        if (!risultato.empty() && risultato.back().valore == v && risultato.back().senza_profilo == vuota) {
            risultato.back().a = 50 * (i + 1);
        } else {
            risultato.push_back({50 * i, 50 * (i + 1), v, vuota});
        }
    }
    return risultato;
}

}  // namespace

Profilo profilo_tra(const std::vector<Cella>& celle, int prima, int ultima) {
    Profilo p;
    p.pendenza = tratti(
        celle, prima, ultima, [](const Cella& c) -> int64_t { return int64_t{c.pendenza} - 100; }, true);
    p.velocita = tratti(
        celle, prima, ultima, [](const Cella& c) -> int64_t { return int64_t{c.vel_limite} * 5; }, true);
    p.aderenza = tratti(
        celle, prima, ultima, [](const Cella& c) -> int64_t { return c.aderenza; }, true);
    p.montagne = tratti(
        celle, prima, ultima, [](const Cella& c) -> int64_t { return c.montagna; }, false);
    return p;
}

Rapporto costruisci_rapporto(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi,
                             const Intervallo& intervallo, MarcheCodice marche) {
    Rapporto r;
    r.intestazione = intestazione_di(scenario, chiavi);
    r.stazioni = stazioni_di(scenario);
    r.cartelli = cartelli_di(scenario);

    const int ultima = static_cast<int>(scenario.celle.size()) - 1;
    r.da = std::max(intervallo.da.value_or(0), 0);
    r.a = std::min(intervallo.a.value_or(50 * ultima), 50 * ultima);
    const int prima_cella = (r.da + 49) / 50;
    const int ultima_cella = r.a / 50;
    for (int i = prima_cella; i <= ultima_cella; ++i) {
        const Cella& c = scenario.celle[static_cast<size_t>(i)];
        if (cella_vuota(c)) continue;
        r.celle.push_back({i, 50 * i, nome_tipo_cella(c.tipo),
                           campi_per_tipo(scenario.celle, static_cast<size_t>(i), scenario, marche)});
    }
    r.profilo = profilo_tra(scenario.celle, prima_cella, ultima_cella);
    return r;
}

}  // namespace compattatore
