#include "format/decodifica.h"

#include <algorithm>
#include <bit>
#include <cmath>

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

// One value of a plan column: its tag must be the one its row has (rows 0
// and 1 integers, then floats, then from the first empty row on nothing).
double leggi_valore(LettoreByte& lettore, size_t r, bool assegnata, const char* colonna) {
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
}

std::vector<Cella> decodifica_celle(std::string_view byte, const std::string& file) {
    LettoreByte lettore(byte, file);
    if (byte.size() % BYTE_PER_CELLA != 0) {
        size_t completi = byte.size() - byte.size() % BYTE_PER_CELLA;
        lettore.errore(completi, "the size " + std::to_string(byte.size()) + " is not a multiple of 15: " +
                                     byte_contati(byte.size() % BYTE_PER_CELLA) + " of a partial cell");
    }
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
    // Column 0 tells how many rows are assigned: those before its first
    // empty tag. The second pass reads both columns side by side.
    size_t assegnate = n;
    for (size_t r = 0; r < n; ++r) {
        const bool assegnata = assegnate == n && lettore.prossimo_u16() != 0;
        if (!assegnata && assegnate == n) assegnate = r;
        leggi_valore(lettore, r, assegnata, "column 0");
    }
    LettoreByte colonna0(byte, file);
    Tracciato tracciato(n);
    for (size_t r = 0; r < n; ++r) {
        const bool assegnata = r < assegnate;
        const double y = leggi_valore(lettore, r, assegnata, "column 1");
        if (assegnata) tracciato.aggiungi(leggi_valore(colonna0, r, true, "column 0"), y);
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

}  // namespace

ScenarioCompilato decodifica_scenario(const ImmagineFile& oggetti, const ImmagineFile& celle,
                                      const std::optional<ImmagineFile>& tracciato) {
    ScenarioCompilato scenario;
    scenario.oggetti = decodifica_oggetti(oggetti.byte, oggetti.nome);
    const int32_t lunghezza = scenario.lunghezza();
    if (lunghezza < 0 || lunghezza > LUNGHEZZA_MASSIMA) {
        throw ErroreDecodifica(oggetti.nome, posizione_lunghezza(scenario.oggetti),
                               "record 84 gives a line length of " + std::to_string(lunghezza) + " m, outside 0 to " +
                                   std::to_string(LUNGHEZZA_MASSIMA));
    }

    scenario.celle = decodifica_celle(celle.byte, celle.nome);
    const auto attese = static_cast<size_t>(ultima_cella_per_lunghezza(lunghezza) + 1);
    if (scenario.celle.size() != attese) {
        throw ErroreDecodifica(celle.nome, std::min(celle.byte.size(), attese * BYTE_PER_CELLA),
                               "a line of " + std::to_string(lunghezza) + " m has " + std::to_string(attese) +
                                   " cells (" + std::to_string(attese * BYTE_PER_CELLA) + " bytes), the file holds " +
                                   std::to_string(scenario.celle.size()));
    }

    if (tracciato) {
        scenario.tracciato =
            decodifica_tracciato(tracciato->byte, tracciato->nome, int64_t{lunghezza} + OLTRE_LINEA + 1);
    }
    return scenario;
}

}  // namespace compattatore
