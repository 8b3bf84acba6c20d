// The route model: everything the compiler builds from the two description
// files, the finishing pass completes and the binary writers put on disk.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace compattatore {

// Kind of point object held by a cell (`tipo`). 7, 8 and 9 are never produced.
enum TipoCella : uint8_t {
    CELLA_LIBERA = 0,
    CELLA_SEGNALE = 1,
    CELLA_FINE_RALLENTAMENTO = 2,
    CELLA_INIZIO_RALLENTAMENTO = 3,
    CELLA_AVVISO_RALLENTAMENTO = 4,
    CELLA_PREAVVISO_RALLENTAMENTO = 5,
    CELLA_INDICATORE_VMAX = 6,
    CELLA_FERMATA = 10,
    CELLA_GALLERIA = 11,
    CELLA_ABBATTIMENTO = 12,
    CELLA_ABBATTIMENTO_NULLO = 13,
    CELLA_CARTELLO = 14,
};

// One 50 m stretch of line: cell i covers metres 50*i to 50*i + 50.
inline constexpr int32_t METRI_CELLA = 50;

// Where the stretch of cell i begins: the one conversion from a cell to metres
// that reports, listings and drawings use (what the simulator is given).
inline constexpr int64_t inizio_cella(int64_t i) { return METRI_CELLA * i; }

struct Cella {
    uint8_t tipo = CELLA_LIBERA;
    int16_t dato1 = 0;
    int16_t dato2 = 0;
    int16_t dato3 = 0;
    int16_t dato4 = 0;
    uint8_t tempo = 0;
    uint8_t codice = 0;
    uint8_t montagna = 0;
    uint8_t vel_limite = 0;  // units of 5 km/h
    uint8_t pendenza = 0;    // per mille + 100
    uint8_t aderenza = 0;
    bool operator==(const Cella&) const = default;
};

// The two speeds a speed board shows to one rank, as its cell keeps them
// packed: the left speed / 5 in the hundreds, the right one / 5 in the units.
struct VelocitaRango {
    int64_t sinistra_kmh;
    int64_t destra_kmh;
};
inline constexpr VelocitaRango velocita_rango(int64_t impaccato) { return {impaccato / 100 * 5, impaccato % 100 * 5}; }

// Tunnel marks are the only objects a later object may replace.
inline bool cella_libera(const Cella& c) { return c.tipo == CELLA_LIBERA || c.tipo == CELLA_GALLERIA; }

// One record of the object table: a station, a sign text or header data.
struct Oggetto {
    uint8_t tipo = 0;
    int32_t inizio = 0;
    int32_t fine = 0;
    int32_t posizione = 0;
    uint8_t attributo = 0;
    std::string nome;  // single-byte (Windows-1252) text
    std::array<int16_t, 5> valori{};
    std::array<uint8_t, 4> flag{};
    int32_t orario = 0;  // seconds after midnight
    bool operator==(const Oggetto&) const = default;
};

inline constexpr int NUMERO_OGGETTI = 87;
inline constexpr int PRIMO_CARTELLO = 80;           // signs fill downward from here
inline constexpr int OGGETTO_PROGRESSIVA_TRE = 81;  // 82 "due", 83 "uno"
inline constexpr int OGGETTO_DIMENSIONI = 84;       // braked mass, length, coaches
inline constexpr int OGGETTO_LINEA = 85;            // backgrounds, line key, stamps
inline constexpr int OGGETTO_TRENO = 86;            // repetition stretch, train key, sand, clock
inline constexpr int MASSIMO_MONTAGNE = 80;

inline constexpr int32_t LUNGHEZZA_MASSIMA = 1000000;  // metres
inline constexpr int32_t OLTRE_LINEA = 7000;           // the cells and the plan reach this far past the end

using TabellaOggetti = std::array<Oggetto, NUMERO_OGGETTI>;

// Tag of a plan value in the plan file: empty, a 16-bit integer or an 8-byte float.
enum class EtichettaValore : uint16_t { vuota = 0, intero16 = 2, doppio = 5 };

// A plan value with its kind, as the plan file stores it.
using ValoreEtichettato = std::variant<std::monostate, int16_t, double>;

// One row of the plan with the kind of each value.
struct RigaTracciato {
    ValoreEtichettato x;  // column 0
    ValoreEtichettato y;  // column 1
};

// A row's two values, as numbers.
struct PuntoPiano {
    double x = 0.0;
    double y = 0.0;
};

// Rows 0 and 1, the ones stored as 16-bit integers.
inline constexpr size_t RIGHE_INTERE = 2;

// The per-metre plan table as the plan file holds it: x and y of the track at
// each metre. Rows are assigned in metre order from row 0, so the count of
// assigned rows is all that the tags need: rows 0 and 1 hold 16-bit integers,
// the rows after them 8-byte floats, the rows not assigned nothing. Only the
// assigned rows take memory, 16 bytes each. Decoded files and anything that
// looks rows up by metre use it.
class Tracciato {
public:
    Tracciato() = default;
    // `righe` rows, all empty; the memory for them is reserved and mapped at once.
    explicit Tracciato(size_t righe);

    size_t size() const { return righe_; }
    bool empty() const { return righe_ == 0; }
    size_t assegnate() const { return punti_.size(); }
    bool assegnata(size_t r) const { return r < punti_.size(); }
    EtichettaValore etichetta(size_t r) const {
        if (!assegnata(r)) return EtichettaValore::vuota;
        return r < RIGHE_INTERE ? EtichettaValore::intero16 : EtichettaValore::doppio;
    }
    // The value as a number; 0 for an empty row.
    double x(size_t r) const { return assegnata(r) ? punti_[r].x : 0.0; }
    double y(size_t r) const { return assegnata(r) ? punti_[r].y : 0.0; }
    // The row with the kind of each value.
    RigaTracciato operator[](size_t r) const { return {valore(r, x(r)), valore(r, y(r))}; }
    // The assigned rows, in order.
    const std::vector<PuntoPiano>& punti() const { return punti_; }

    // Assigns the first row not yet assigned; there must be one.
    void aggiungi(double x, double y) {
        assert(punti_.size() < righe_);
        punti_.push_back({x, y});
    }

private:
    ValoreEtichettato valore(size_t r, double v) const {
        switch (etichetta(r)) {
            case EtichettaValore::vuota: return std::monostate{};
            case EtichettaValore::intero16: return static_cast<int16_t>(v);
            case EtichettaValore::doppio: break;
        }
        return v;
    }

    size_t righe_ = 0;
    std::vector<PuntoPiano> punti_;
};

// The plan as the reader lays it out: rows 0 and 1, then runs of steps, each
// straight or turned by a curvature, each row continuing the step between the
// two rows before it. It keeps the runs, not the rows: the rows are computed
// in order whenever they are wanted (once, as the file is written), so a plan
// of any length costs a few bytes a run.
class TrattiTracciato {
public:
    TrattiTracciato() = default;
    // `righe` rows, all empty.
    explicit TrattiTracciato(size_t righe) : righe_(righe) {}

    size_t size() const { return righe_; }
    bool empty() const { return righe_ == 0; }
    size_t assegnate() const { return assegnate_; }

    // Rows 0 and 1: the line starts at the origin heading along +y.
    void avvia();
    // `quanti` rows more, each row m = row m-1 + (row m-1 - row m-2).
    void rettilinei(size_t quanti) { aggiungi_tratto(0.0, quanti); }
    // As the straight steps, turned by `curvatura` (1/m, negative to the left,
    // never 0). Each step component is formed in extended precision and
    // rounded once.
    void curvi(double curvatura, size_t quanti) {
        assert(curvatura != 0.0);
        aggiungi_tratto(curvatura, quanti);
    }

    // Calls `blocco` with the assigned rows in order, a few thousand at a time.
    void per_blocchi(const std::function<void(std::span<const PuntoPiano>)>& blocco) const;

    // How far the plan has been laid: taking the plan back to a notch drops
    // every row assigned after it.
    struct Tacca {
        size_t assegnate = 0;
        size_t tratti = 0;
        size_t righe_ultimo = 0;  // rows of the last run
    };
    Tacca tacca() const { return {assegnate_, tratti_.size(), tratti_.empty() ? 0 : tratti_.back().righe}; }
    void torna_a(const Tacca& t);

private:
    struct Tratto {
        double curvatura;  // 0: straight
        size_t righe;
    };
    void aggiungi_tratto(double curvatura, size_t quanti);

    size_t righe_ = 0;
    size_t assegnate_ = 0;
    std::vector<Tratto> tratti_;
};

// State of one compilation besides the three tables.
struct StatoPercorso {
    std::string chiave_linea;
    std::string chiave_treno;
    int32_t crea_tracciato = 0;
};

// The cells a record has reached, each with what it held before, while the
// reader may have to undo a rejected record; nothing is kept when off.
struct RegistroCelle {
    bool attivo = false;
    std::vector<std::pair<size_t, Cella>> prima;
};

struct Modello {
    StatoPercorso stato;
    std::vector<Cella> celle;  // indexes 0..N; empty until the length record is read
    TabellaOggetti oggetti{};
    TrattiTracciato tracciato;  // rows 0..lunghezza + OLTRE_LINEA; none unless built
    RegistroCelle registro_celle;

    bool celle_create() const { return !celle.empty(); }
    int32_t ultima_cella() const { return static_cast<int32_t>(celle.size()) - 1; }
};

}  // namespace compattatore
