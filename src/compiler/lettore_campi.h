// Sequential field reading over the bytes of a description file.
//
// A field ends at a comma or a line end (CR LF, or CR or LF alone), which is
// consumed; leading blanks are skipped. A text field drops its trailing
// blanks; one that opens with a double quote runs to the closing quote, line
// ends included, and anything between that quote and the delimiter is
// dropped; a quote never closed is a failure where it opened, since the rest
// of the file would otherwise be one text. A numeric field also ends at a blank, and takes with it a comma or
// line end that follows after blanks only. Every field remembers the line and
// column where it begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "model/errore_lettura.h"

namespace compattatore {

struct CampoLetto {
    std::string_view testo;
    Luogo luogo;
    // Where the closing quote lies, for a quoted text that runs over a line
    // end: most often a quote left open by mistake.
    std::optional<Luogo> chiusura_a_capo;
};

// A place in the text to come back to.
struct Segno {
    size_t pos = 0;
    size_t inizio_riga = 0;
    int riga = 1;
};

template <class T>
struct Valore {
    T v;
    Luogo luogo;
    std::string_view scritto = {};  // the field as written, for a number with a decimal point only
};

class LettoreCampi {
public:
    explicit LettoreCampi(std::string_view contenuto) : testo_(contenuto) {}

    // True once every byte has been consumed.
    bool fine_file() const { return pos_ >= testo_.size(); }
    Luogo luogo() const { return {riga_, static_cast<int>(pos_ - inizio_riga_) + 1}; }
    Segno segno() const { return {pos_, inizio_riga_, riga_}; }

    // Where reading resumes after a rejected record: back to `s` (just after
    // the record's keyword) and on to the start of the line after `riga`,
    // the keyword's line, unless `s` already lies past it.
    void riprendi_dopo_riga(Segno s, int riga);

    // `record` and `campo` name the field in the reason of a failure; without
    // them the field is one being skipped.
    CampoLetto leggi_testo(const char* record = nullptr, const char* campo = nullptr);

    // A decimal number, fraction rounded half to even, that must fit T.
    template <class T>
    Valore<T> leggi_numero(const char* record, const char* campo) {
        auto [valore, dove, scritto] =
            leggi_intero(std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), record, campo);
        return {static_cast<T>(valore), dove, scritto};
    }

private:
    struct Intero {
        int64_t valore = 0;
        Luogo luogo;
        std::string_view scritto;
    };
    Intero leggi_intero(int64_t minimo, int64_t massimo, const char* record, const char* campo);
    void controlla_fine(const char* record, const char* campo) const;
    void salta_spazi();
    void consuma_delimitatore();
    void avanza_fino(size_t fine);

    std::string_view testo_;
    size_t pos_ = 0;
    size_t inizio_riga_ = 0;
    int riga_ = 1;
};

}  // namespace compattatore
