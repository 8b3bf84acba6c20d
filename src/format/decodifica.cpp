#include "format/decodifica.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>

#include "model/numeri.h"

namespace compattatore {

ErroreDecodifica::ErroreDecodifica(std::string file, size_t posizione, const std::string& motivo)
    : std::runtime_error(file + ": byte " + std::to_string(posizione) + ": " + motivo),
      file_(std::move(file)),
      posizione_(posizione) {}

namespace {

// "1 byte", "2 bytes".
std::string byte_contati(size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

// Reads little-endian fields one after another; a field that would run past
// the end is reported at the byte where it begins.
class LettoreByte {
public:
    LettoreByte(std::string_view byte, const std::string& file) : byte_(byte), file_(file) {}

    size_t posizione() const { return posizione_; }
    size_t rimasti() const { return byte_.size() - posizione_; }
    [[noreturn]] void errore(size_t posizione, const std::string& motivo) const {
        throw ErroreDecodifica(file_, posizione, motivo);
    }

    // `campo` names the field: a text, or what makes one, called only when
    // the field is at fault (a plan has millions of fields).
    template <class Campo>
    uint64_t senza_segno(size_t larghezza, const Campo& campo) {
        if (rimasti() < larghezza) {
            errore(posizione_, "the file ends inside " + nome(campo) + " (" + byte_contati(larghezza) + " needed, " +
                                   std::to_string(rimasti()) + " left)");
        }
        uint64_t valore = 0;
        for (size_t k = 0; k < larghezza; ++k) {
            valore |= uint64_t{static_cast<uint8_t>(byte_[posizione_ + k])} << (8 * k);
        }
        posizione_ += larghezza;
        return valore;
    }
    // The next 16 bits without reading them; 0 when fewer bytes are left
    // (the read that follows reports it).
    uint16_t prossimo_u16() const {
        if (rimasti() < 2) return 0;
        return static_cast<uint16_t>(static_cast<uint8_t>(byte_[posizione_]) |
                                     static_cast<uint8_t>(byte_[posizione_ + 1]) << 8);
    }
    template <class Campo>
    uint8_t u8(const Campo& campo) {
        return static_cast<uint8_t>(senza_segno(1, campo));
    }
    template <class Campo>
    uint16_t u16(const Campo& campo) {
        return static_cast<uint16_t>(senza_segno(2, campo));
    }
    template <class Campo>
    int16_t i16(const Campo& campo) {
        return static_cast<int16_t>(senza_segno(2, campo));
    }
    template <class Campo>
    int32_t i32(const Campo& campo) {
        return static_cast<int32_t>(senza_segno(4, campo));
    }
    template <class Campo>
    double f64(const Campo& campo) {
        return std::bit_cast<double>(senza_segno(8, campo));
    }

    std::string testo(const std::string& campo) {
        size_t inizio = posizione_;
        uint16_t n = u16("the length of " + campo);
        if (rimasti() < n) {
            errore(inizio, campo + " of " + byte_contati(n) + " runs past the end of the file (" +
                               byte_contati(rimasti()) + " left)");
        }
        std::string valore(byte_.substr(posizione_, n));
        posizione_ += n;
        return valore;
    }

    void fine_attesa(const std::string& dopo) const {
        if (rimasti() != 0) {
            errore(posizione_, byte_contati(rimasti()) + (rimasti() == 1 ? " follows " : " follow ") + dopo);
        }
    }

private:
    static const std::string& nome(const std::string& campo) { return campo; }
    template <class Campo>
    static std::string nome(const Campo& campo) {
        return campo();
    }

    std::string_view byte_;
    const std::string& file_;
    size_t posizione_ = 0;
};

// How far from the origin a plan of `righe` rows can reach: rows 0 and 1
// are 16-bit integers, and each row after them goes on by the step between
// the two before it, turned but no longer (under 92682 m, kept within
// 131072 m to leave room for rounding). A value beyond it, like a NaN, is
// damage, and would overflow the drawing's arithmetic.
double portata_tracciato(size_t righe) { return 32768.0 + 131072.0 * static_cast<double>(righe); }

// One value of a plan column: its tag must be the one its row has (rows 0
// and 1 integers, then floats, then from the first empty row on nothing),
// a float no farther than `portata`.
double leggi_valore(LettoreByte& lettore, size_t r, bool assegnata, const char* colonna, double portata) {
    const size_t inizio = lettore.posizione();
    const auto campo = [&] { return colonna + (" row " + std::to_string(r)); };
    const uint16_t etichetta = lettore.u16([&] { return "the tag of " + campo(); });
    const auto attesa = static_cast<uint16_t>(!assegnata         ? EtichettaValore::vuota
                                              : r < RIGHE_INTERE ? EtichettaValore::intero16
                                                                 : EtichettaValore::doppio);
    if (etichetta != attesa) {
        if (etichetta != 0 && etichetta != 2 && etichetta != 5)
            lettore.errore(inizio, "tag " + std::to_string(etichetta) + " of " + campo() + " is not 0, 2 or 5");
        lettore.errore(inizio, "tag " + std::to_string(etichetta) + " of " + campo() + " where the plan has tag " +
                                   std::to_string(attesa) +
                                   " (rows 0 and 1 tag 2, the next rows tag 5, from the first empty row on tag 0 "
                                   "in both columns)");
    }
    switch (etichetta) {
        case 2: return lettore.i16(campo);
        case 5: {
            // A NaN or an infinity is no place on a line: the file is damaged.
            const size_t valore = lettore.posizione();
            const double x = lettore.f64(campo);
            if (!std::isfinite(x)) lettore.errore(valore, campo() + " is not a finite number");
            if (std::abs(x) > portata) {
                char testo[64];
                std::snprintf(testo, sizeof testo, "%g", x);
                lettore.errore(valore, campo() + " is " + testo + " m, beyond the " +
                                           std::to_string(static_cast<int64_t>(portata)) +
                                           " m from the origin that a plan of its rows can reach");
            }
            return x;
        }
        default: return 0.0;
    }
}

}  // namespace

TabellaOggetti decodifica_oggetti(std::string_view byte, const std::string& file) {
    LettoreByte lettore(byte, file);
    TabellaOggetti oggetti{};
    for (int r = 0; r < NUMERO_OGGETTI; ++r) {
        const std::string record = "record " + std::to_string(r);
        Oggetto& o = oggetti[static_cast<size_t>(r)];
        o.tipo = lettore.u8(record + " `tipo`");
        o.inizio = lettore.i32(record + " `inizio`");
        o.fine = lettore.i32(record + " `fine`");
        o.posizione = lettore.i32(record + " `posizione`");
        o.attributo = lettore.u8(record + " `attributo`");
        o.nome = lettore.testo(record + " `nome`");
        for (size_t k = 0; k < o.valori.size(); ++k) {
            o.valori[k] = lettore.i16(record + " `valori[" + std::to_string(k) + "]`");
        }
        for (size_t k = 0; k < o.flag.size(); ++k) {
            o.flag[k] = lettore.u8(record + " `flag[" + std::to_string(k) + "]`");
        }
        o.orario = lettore.i32(record + " `orario`");
    }
    lettore.fine_attesa("the last record (" + std::to_string(NUMERO_OGGETTI - 1) + ")");
    return oggetti;
}

namespace {

constexpr size_t BYTE_PER_CELLA = 15;

// Told by the size alone, before a file is read as after.
void verifica_celle_intere(uint64_t dimensione, const std::string& file) {
    if (dimensione % BYTE_PER_CELLA == 0) return;
    throw ErroreDecodifica(file, static_cast<size_t>(dimensione - dimensione % BYTE_PER_CELLA),
                           "the size " + std::to_string(dimensione) + " is not a multiple of 15: " +
                               byte_contati(dimensione % BYTE_PER_CELLA) + " of a partial cell");
}

}  // namespace

std::vector<Cella> decodifica_celle(std::string_view byte, const std::string& file) {
    LettoreByte lettore(byte, file);
    verifica_celle_intere(byte.size(), file);
    std::vector<Cella> celle(byte.size() / BYTE_PER_CELLA);
    for (size_t i = 0; i < celle.size(); ++i) {
        const auto cella = [i] { return "cell " + std::to_string(i); };
        Cella& c = celle[i];
        c.tipo = lettore.u8(cella);
        c.dato1 = lettore.i16(cella);
        c.dato2 = lettore.i16(cella);
        c.dato3 = lettore.i16(cella);
        c.dato4 = lettore.i16(cella);
        c.tempo = lettore.u8(cella);
        c.codice = lettore.u8(cella);
        c.montagna = lettore.u8(cella);
        c.vel_limite = lettore.u8(cella);
        c.pendenza = lettore.u8(cella);
        c.aderenza = lettore.u8(cella);
    }
    return celle;
}

Tracciato decodifica_tracciato(std::string_view byte, const std::string& file, int64_t righe) {
    LettoreByte lettore(byte, file);
    if (righe <= 0) lettore.errore(0, "a plan of " + std::to_string(righe) + " rows cannot exist");
    // Every value takes at least its 2-byte tag: a row count the file cannot
    // hold is refused before anything is allocated for it.
    if (static_cast<uint64_t>(righe) > byte.size() / 4) {
        lettore.errore(byte.size(), "the file is too short for " + std::to_string(righe) + " rows in two columns");
    }
    const auto n = static_cast<size_t>(righe);
    const double portata = portata_tracciato(n);
    // Column 0 tells how many rows are assigned: those before its first
    // empty tag. The second pass reads both columns side by side.
    size_t assegnate = n;
    for (size_t r = 0; r < n; ++r) {
        const bool assegnata = assegnate == n && lettore.prossimo_u16() != 0;
        if (!assegnata && assegnate == n) assegnate = r;
        leggi_valore(lettore, r, assegnata, "column 0", portata);
    }
    LettoreByte colonna0(byte, file);
    Tracciato tracciato(n);
    for (size_t r = 0; r < n; ++r) {
        const bool assegnata = r < assegnate;
        const double y = leggi_valore(lettore, r, assegnata, "column 1", portata);
        if (assegnata) tracciato.aggiungi(leggi_valore(colonna0, r, true, "column 0", portata), y);
    }
    lettore.fine_attesa("row " + std::to_string(righe - 1) + " of column 1");
    return tracciato;
}

namespace {

// Byte offset of `fine` in object record 84, where the line length lies.
size_t posizione_lunghezza(const TabellaOggetti& oggetti) {
    size_t posizione = 0;
    for (int r = 0; r < OGGETTO_DIMENSIONI; ++r) posizione += 34 + oggetti[static_cast<size_t>(r)].nome.size();
    return posizione + 5;
}

// A record takes 34 bytes and its name, of 65535 bytes at most.
constexpr uint64_t MASSIMO_BYTE_OGGETTI = uint64_t{NUMERO_OGGETTI} * (34 + UINT16_MAX);
// A plan value takes its tag and 8 bytes at most, in each of two columns.
constexpr uint64_t MASSIMO_BYTE_RIGA = uint64_t{2} * (2 + 8);

// A file larger than `massimo`, refused at the first byte past it.
void verifica_massimo(const FileCompilato& file, uint64_t massimo, const std::string& che_cosa) {
    if (file.dimensione() <= massimo) return;
    throw ErroreDecodifica(file.nome(), static_cast<size_t>(massimo),
                           "the file holds " + std::to_string(file.dimensione()) + " bytes, more than the " +
                               std::to_string(massimo) + " that " + che_cosa + " can take");
}

// The line length record 84 gives, within what a line can be.
int32_t lunghezza_valida(const TabellaOggetti& oggetti, const std::string& file) {
    const int32_t lunghezza = oggetti[OGGETTO_DIMENSIONI].fine;
    if (lunghezza < 0 || lunghezza > LUNGHEZZA_MASSIMA) {
        throw ErroreDecodifica(file, posizione_lunghezza(oggetti),
                               "record 84 gives a line length of " + std::to_string(lunghezza) + " m, outside 0 to " +
                                   std::to_string(LUNGHEZZA_MASSIMA));
    }
    return lunghezza;
}

// A cell file of `dimensione` bytes must hold exactly the cells of the line;
// told by its size alone, before and after it is read.
void verifica_celle(uint64_t dimensione, const std::string& file, int32_t lunghezza) {
    verifica_celle_intere(dimensione, file);
    const auto attese = static_cast<uint64_t>(ultima_cella_per_lunghezza(lunghezza) + 1);
    if (dimensione / BYTE_PER_CELLA != attese) {
        throw ErroreDecodifica(file, static_cast<size_t>(std::min(dimensione, attese * BYTE_PER_CELLA)),
                               "a line of " + std::to_string(lunghezza) + " m has " + std::to_string(attese) +
                                   " cells (" + std::to_string(attese * BYTE_PER_CELLA) + " bytes), the file holds " +
                                   std::to_string(dimensione / BYTE_PER_CELLA));
    }
}

// A compiled file already in memory.
class FileInMemoria : public FileCompilato {
public:
    explicit FileInMemoria(const ImmagineFile& immagine) : immagine_(immagine) {}
    const std::string& nome() const override { return immagine_.nome; }
    uint64_t dimensione() const override { return immagine_.byte.size(); }
    std::string leggi(uint64_t massimo) const override {
        return immagine_.byte.substr(0, static_cast<size_t>(std::min<uint64_t>(massimo, immagine_.byte.size())));
    }

private:
    const ImmagineFile& immagine_;
};

}  // namespace

TabellaOggetti leggi_oggetti(const FileCompilato& file) {
    verifica_massimo(file, MASSIMO_BYTE_OGGETTI, std::to_string(NUMERO_OGGETTI) + " records");
    // A byte more than the most the file may hold shows one that grew since.
    return decodifica_oggetti(file.leggi(MASSIMO_BYTE_OGGETTI + 1), file.nome());
}

ScenarioCompilato leggi_scenario(const FileCompilato& oggetti, const FileCompilato& celle,
                                 const FileCompilato* tracciato) {
    ScenarioCompilato scenario;
    scenario.oggetti = leggi_oggetti(oggetti);
    const int32_t lunghezza = lunghezza_valida(scenario.oggetti, oggetti.nome());

    verifica_celle(celle.dimensione(), celle.nome(), lunghezza);
    const std::string byte_celle = celle.leggi(celle.dimensione() + 1);
    verifica_celle(byte_celle.size(), celle.nome(), lunghezza);
    scenario.celle = decodifica_celle(byte_celle, celle.nome());

    if (tracciato) {
        const int64_t righe = int64_t{lunghezza} + OLTRE_LINEA + 1;
        const uint64_t massimo = static_cast<uint64_t>(righe) * MASSIMO_BYTE_RIGA;
        verifica_massimo(*tracciato, massimo, std::to_string(righe) + " rows");
        scenario.tracciato = decodifica_tracciato(tracciato->leggi(massimo + 1), tracciato->nome(), righe);
    }
    return scenario;
}

ScenarioCompilato decodifica_scenario(const ImmagineFile& oggetti, const ImmagineFile& celle,
                                      const std::optional<ImmagineFile>& tracciato) {
    const FileInMemoria o(oggetti);
    const FileInMemoria c(celle);
    if (!tracciato) return leggi_scenario(o, c, nullptr);
    const FileInMemoria t(*tracciato);
    return leggi_scenario(o, c, &t);
}

}  // namespace compattatore
