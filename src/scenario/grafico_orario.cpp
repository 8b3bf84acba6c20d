#include "scenario/grafico_orario.h"

#include <algorithm>
#include <tuple>

#include "model/testo_1252.h"

namespace compattatore {

namespace {

constexpr int64_t GIORNO = 86400;

// A time of day after `prima`: a time more than half a day earlier is taken
// as the next day's, so that a run past midnight goes on to the right, while
// a time a little earlier still runs backwards, as the timetable has it.
int64_t dopo(int64_t secondi, std::optional<int64_t> prima) {
    if (!prima) return secondi;
    while (secondi < *prima - GIORNO / 2) secondi += GIORNO;
    return secondi;
}

// Distances taken apart in double: two stations of a compiled file may lie
// further apart than an int32 reaches.
double distanza(int32_t da, int32_t a) { return static_cast<double>(a) - static_cast<double>(da); }

// Where the segments p-q and r-s meet, in the fraction along each; none when
// they are parallel or meet outside either.
struct Incontro {
    double lungo_primo = 0;
    double lungo_secondo = 0;
};
std::optional<Incontro> incontro(const PuntoCorsa& p, const PuntoCorsa& q, const PuntoCorsa& r, const PuntoCorsa& s) {
    const double ax = static_cast<double>(q.secondi - p.secondi), ay = distanza(p.metri, q.metri);
    const double bx = static_cast<double>(s.secondi - r.secondi), by = distanza(r.metri, s.metri);
    const double cx = static_cast<double>(r.secondi - p.secondi), cy = distanza(p.metri, r.metri);
    const double denominatore = ax * by - ay * bx;
    if (denominatore == 0) return std::nullopt;
    const double u = (cx * by - cy * bx) / denominatore, v = (cx * ay - cy * ax) / denominatore;
    if (u < 0 || u > 1 || v < 0 || v > 1) return std::nullopt;
    return Incontro{u, v};
}

}  // namespace

Corsa corsa_di(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    Corsa corsa{da_1252_a_utf8(chiavi.treno), {}, {}};
    std::optional<int64_t> ultimo;
    const int32_t orologio = orologio_di(scenario);
    const std::vector<Stazione> stazioni = stazioni_di(scenario);
    if (orologio != 0 && !stazioni.empty()) {
        corsa.punti.push_back({orologio, stazioni.front().record.posizione});
        ultimo = orologio;
    }
    for (const Stazione& s : stazioni) {
        FermataCorsa fermata{s.nome, s.record.posizione, std::nullopt};
        if (s.record.orario != 0) {
            fermata.secondi = dopo(s.record.orario, ultimo);
            ultimo = fermata.secondi;
            corsa.punti.push_back({*fermata.secondi, fermata.metri});
        }
        corsa.fermate.push_back(std::move(fermata));
    }
    return corsa;
}

std::vector<StazioneGrafico> stazioni_delle_corse(const std::vector<Corsa>& corse) {
    std::vector<StazioneGrafico> stazioni;
    for (const Corsa& c : corse) {
        for (const FermataCorsa& f : c.fermate) stazioni.push_back({f.nome, f.metri});
    }
    const auto ordine = [](const StazioneGrafico& a, const StazioneGrafico& b) {
        return std::tie(a.metri, a.nome) < std::tie(b.metri, b.nome);
    };
    std::ranges::sort(stazioni, ordine);
    const auto uguali = [](const StazioneGrafico& a, const StazioneGrafico& b) {
        return a.metri == b.metri && a.nome == b.nome;
    };
    stazioni.erase(std::unique(stazioni.begin(), stazioni.end(), uguali), stazioni.end());
    return stazioni;
}

std::vector<Incrocio> incroci_tra(const std::vector<Corsa>& corse, const std::vector<StazioneGrafico>& stazioni) {
    std::vector<Incrocio> incroci;
    for (size_t i = 0; i < corse.size(); ++i) {
        for (size_t j = i + 1; j < corse.size(); ++j) {
            const std::vector<PuntoCorsa>& a = corse[i].punti;
            const std::vector<PuntoCorsa>& b = corse[j].punti;
            for (size_t k = 1; k < a.size(); ++k) {
                for (size_t h = 1; h < b.size(); ++h) {
                    const std::optional<Incontro> punto = incontro(a[k - 1], a[k], b[h - 1], b[h]);
                    if (!punto) continue;
                    const double secondi = static_cast<double>(a[k - 1].secondi) +
                                           punto->lungo_primo * static_cast<double>(a[k].secondi - a[k - 1].secondi);
                    const double metri = a[k - 1].metri + punto->lungo_primo * distanza(a[k - 1].metri, a[k].metri);
                    // Strictly between two stations: trains meeting at a
                    // station is what stations are for.
                    const auto dopo_stazione =
                        std::ranges::find_if(stazioni, [&](const StazioneGrafico& s) { return s.metri >= metri; });
                    if (dopo_stazione == stazioni.begin() || dopo_stazione == stazioni.end() ||
                        dopo_stazione->metri == metri)
                        continue;
                    const size_t indice = static_cast<size_t>(dopo_stazione - stazioni.begin());
                    const bool avanti_a = a[k].metri > a[k - 1].metri, avanti_b = b[h].metri > b[h - 1].metri;
                    // Segments end at stations, so no crossing is found twice.
                    incroci.push_back({i, j, secondi, metri, indice - 1, indice, avanti_a == avanti_b});
                }
            }
        }
    }
    return incroci;
}

}  // namespace compattatore
