// A compiled scenario as the commands that read it see it: decoded field by
// field and named, once. `inspect` renders it as text or JSON, `draw`,
// `view` and `decompile` take their names and stretches from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "format/decodifica.h"

namespace compattatore {

// Windows-1252, as the records hold them (and the identity codes read them).
struct ChiaviScenario {
    std::string linea;
    std::string treno;
};

// A named value; texts are UTF-8.
struct Campo {
    std::string nome;
    std::variant<int64_t, std::string> valore;
};

// A kilometric progressive as the ordering left it: by its rank, the leading
// one first, not by the line it was read from (the ordering moves them).
struct Progressiva {
    int rango = 0;   // 1 to 3
    int record = 0;  // of the object table, 81 to 83
    int32_t inizio = 0;
    int32_t fine = 0;
    int32_t posizione = 0;
};

struct CodiceIdentita {
    int64_t registrato = 0;  // as found in the files
    int64_t atteso = 0;      // as the keys give it
    bool corrisponde() const { return registrato == atteso; }
};

struct Intestazione {
    ChiaviScenario chiavi;           // those the files were looked up with, UTF-8
    ChiaviScenario chiavi_nei_file;  // the copies in records 85 and 86, UTF-8
    int32_t lunghezza = 0;
    int32_t vetture = 0;
    int32_t massa_frenata = 0;
    int32_t sabbia = 0;
    int32_t orologio = 0;  // seconds after midnight
    int32_t ripetizione_inizio = 0;
    int32_t ripetizione_fine = 0;
    int32_t codici_ripetizione = 0;
    int32_t sfondi[3] = {};  // one, two, three
    std::vector<Progressiva> progressive;
    CodiceIdentita codice_gara_st;  // object file, `orario` of record 85
    CodiceIdentita codice_gara_og;  // cell file, `dato2` of cell 1
    bool con_tracciato = false;
};

struct Stazione {
    int numero = 0;  // object table index
    Oggetto record;
    std::string nome;  // UTF-8
};

struct Cartello {
    int record = 0;
    std::optional<int> cella;  // the cell that refers to it
    std::string testo;         // UTF-8
};

struct CellaDescritta {
    int indice = 0;
    int32_t metri = 0;  // start of the cell's stretch
    std::string tipo;   // the kind by name
    std::vector<Campo> campi;
};

// A stretch of line over which one profile value stays the same.
struct Tratto {
    int32_t da = 0;  // metres
    int32_t a = 0;
    int64_t valore = 0;
    // Cells no profile record reached (their bytes all 0, beyond the line's
    // end): `valore` means nothing there.
    bool senza_profilo = false;
};

struct Profilo {
    std::vector<Tratto> pendenza;  // per mille
    std::vector<Tratto> velocita;  // km/h
    std::vector<Tratto> aderenza;
    std::vector<Tratto> montagne;  // kind; 0 = open line
};

struct Rapporto {
    Intestazione intestazione;
    std::vector<Stazione> stazioni;
    std::vector<Cartello> cartelli;
    int32_t da = 0;  // the range of cells shown, metres
    int32_t a = 0;
    std::vector<CellaDescritta> celle;
    Profilo profilo;
};

// Limits of the stretch shown, in metres; a missing one is the line's end.
struct Intervallo {
    std::optional<int32_t> da;
    std::optional<int32_t> a;
};

// A code mark's cell gives its code, and with `spiegate` also `code_for`,
// what the mark was laid for.
enum class MarcheCodice { spiegate, solo_codice };

Rapporto costruisci_rapporto(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi,
                             const Intervallo& intervallo, MarcheCodice marche = MarcheCodice::spiegate);

// The stations (records 1 upward) and the text signs (records 80 downward):
// each run stops at the first cleared record.
std::vector<Stazione> stazioni_di(const ScenarioCompilato& scenario);
std::vector<Cartello> cartelli_di(const ScenarioCompilato& scenario);

// The profile over cells `prima` to `ultima` (none when prima > ultima).
Profilo profilo_tra(const std::vector<Cella>& celle, int prima, int ultima);

std::string nome_tipo_cella(uint8_t tipo);
std::string ora_del_giorno(int32_t secondi);  // hh:mm:ss

// The train's start clock, seconds after midnight.
int32_t orologio_di(const ScenarioCompilato& scenario);

}  // namespace compattatore
