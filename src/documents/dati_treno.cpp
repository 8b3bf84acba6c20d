#include "documents/documenti.h"

#include "documents/scrivi_righe.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

// The train description: general values, adhesion, speed limits, stations, slowdown, signals.
constexpr std::string_view righe[] = {
    "[generale]",
    "numero vetture,    12",
    "percentuale massa frenata,    135",
    "sabbia,    300",
    "orologio,    19              9             40 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,     900,   120",
    "velocita,    3300,   160",
    "velocita,    6650,   170",
    "velocita,   16300,   120",
    "velocita,   37200,   175",
    "velocita,   55750,   125",
    "velocita,   56850,   180",
    "velocita,   61400,   140",
    "velocita,   72550,   180",
    "velocita,   80250,   140",
    "velocita,   91000,   145",
    "velocita,   95500,    70",
    "velocita,   96000,    30",
    "[stazioni]",
    "stazione,       0,  8,  500,  0, 1, 0,  1,1,0,  4,1,1,    1,  19,10, 0, FIRENZE S.M.N.",
    "stazione,    2750, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, FIRENZE RIFREDI",
    "stazione,    5200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, FIRENZE CASTELLO",
    "stazione,    8000, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, SESTO FIORENTINO",
    "stazione,   12550, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CALENZANO",
    "stazione,   16250,  4,  500,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, PRATO",
    "stazione,   26200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, VAIANO",
    "stazione,   36700, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VERNIO",
    "stazione,   46800, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, PRECEDENZE",
    "stazione,   56300, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, SAN BENEDETTO V.d.S",
    "stazione,   61400, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, GRIZZANA",
    "stazione,   71350, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, MONZUNO-VADO",
    "stazione,   80300, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, PIANORO",
    "stazione,   90600, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, BO.S.RUFFILLO",
    "stazione,   93650, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, BIVIO CROCIALI",
    "stazione,   96600,  2,  600,  0, 0, 0,  1,1,0,  2,1,1,    0,  20, 7, 0, BOLOGNA C.LE",
    "[rallentamenti]",
    "rallentamento,   21200,    60, 1100, 1,  0,  60",
    "[segnali]",
    "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    2250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,    4250,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,    5850,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    7050,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    8950,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   10250,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   11500,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   12850,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   14100,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   15400,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   20100,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   21350,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   24050,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   25300,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   30150,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   31400,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   34750,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   36050,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   40650,   1, 3, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   41900,   2, 4, 0,  0, 0,    2,  1,0,0, 240",
    "segnale,   44750,   1, 3, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   46000,   2, 4, 1,  0, 0,    2,  2,1,0, 210",
    "segnale,   49800,   1, 3, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   51050,   2, 4, 0,  0, 0,    2,  1,0,0, 130",
    "segnale,   54250,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   55500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   58900,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   60150,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   65300,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   66550,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   69050,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   70300,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   74450,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   76000,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   78250,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   79500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   83750,   1, 4, 0,  0, 0,    1,  1,0,0, 0",
    "segnale,   85000,   2, 4, 0,  0, 0,    2,  1,0,0, 0",
    "segnale,   88400,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   89650,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   92200,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   93450,   2, 4, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,   94250,   1, 5, 1,  0, 0,    0,  0,0,0, 215",
    "segnale,   95500,   2, 3, 1,  1, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
};

// Fields of a record, split at its commas.
std::vector<std::string> campi(std::string_view riga) {
    std::vector<std::string> r;
    for (size_t inizio = 0;;) {
        const size_t virgola = riga.find(',', inizio);
        r.emplace_back(riga.substr(inizio, virgola - inizio));
        if (virgola == std::string_view::npos) return r;
        inizio = virgola + 1;
    }
}

constexpr int32_t GIORNO = 24 * 3600;

int32_t numero(const std::string& campo) { return static_cast<int32_t>(std::stol(campo)); }

// The clock's time, or a station's (hours, minutes, seconds in fields 14 to
// 16; all three 0: none), in seconds from midnight.
std::optional<int32_t> ora_della_riga(std::string_view riga) {
    int32_t h = 0, m = 0, sec = 0;
    if (riga.starts_with("orologio,")) {
        std::istringstream ora{std::string(riga.substr(9))};
        ora >> h >> m >> sec;
    } else {
        const std::vector<std::string> f = campi(riga);
        if (!riga.starts_with("stazione,") || f.size() < 18) return std::nullopt;
        h = numero(f[14]);
        m = numero(f[15]);
        sec = numero(f[16]);
        if (h == 0 && m == 0 && sec == 0) return std::nullopt;
    }
    return h * 3600 + m * 60 + sec;
}

// The line with its time moved on by `ritardo`, past midnight wrapping.
std::string riga_spostata(std::string_view riga, int32_t ritardo) {
    const std::optional<int32_t> ora = ora_della_riga(riga);
    if (!ora) return std::string(riga);
    const int32_t t = ((*ora + ritardo) % GIORNO + GIORNO) % GIORNO;
    const std::array<int32_t, 3> hms{t / 3600, t / 60 % 60, t % 60};
    if (riga.starts_with("orologio,"))
        return "orologio,    " + std::to_string(hms[0]) + "              " + std::to_string(hms[1]) + "             " +
               std::to_string(hms[2]) + " ";
    std::vector<std::string> f = campi(riga);
    // Appended rather than concatenated from a literal, which GCC 12 reports
    // as a false -Wrestrict in optimised builds.
    for (size_t i = 0; i < 3; ++i) f[14 + i].assign(1, ' ').append(std::to_string(hms[i]));
    std::string r = f[0];
    for (size_t i = 1; i < f.size(); ++i) r += "," + f[i];
    return r;
}

}  // namespace

int32_t ritardo_massimo_treno() {
    int32_t ultima = 0;
    for (std::string_view riga : righe) ultima = std::max(ultima, ora_della_riga(riga).value_or(0));
    return GIORNO - 1 - ultima;
}

void dati_treno(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
                int32_t ritardo) {
    const std::string percorso = piattaforma::unisci(directory, nome_descrizione_treno(chiave_linea, chiave_treno));
    if (ritardo == 0) return scrivi_righe(percorso, righe);
    std::vector<std::string> spostate;
    for (std::string_view riga : righe) spostate.push_back(riga_spostata(riga, ritardo));
    const std::vector<std::string_view> viste(spostate.begin(), spostate.end());
    scrivi_righe(percorso, viste);
}

}  // namespace compattatore
