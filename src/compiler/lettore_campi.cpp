#include "compiler/lettore_campi.h"

#include <string>

namespace compattatore {

namespace {

bool fine_riga(char c) { return c == '\r' || c == '\n'; }
bool delimitatore(char c) { return c == ',' || fine_riga(c); }

std::string nome_campo(const char* record, const char* campo) {
    if (record == nullptr) return "field";
    return std::string(record) + ": field '" + campo + "'";
}

// Parses an optional sign, digits and an optional fraction. Returns false
// when the text is not such a number; sets `troppo` when it is one too large
// for any field, and `punto` when it has a decimal point.
bool interpreta(std::string_view t, int64_t& valore, bool& troppo, bool& punto) {
    constexpr int64_t LIMITE = int64_t{1} << 40;  // beyond every field's range
    size_t i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativo = t[i++] == '-';
    int64_t intero = 0;
    size_t cifre = 0;
    troppo = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++cifre) {
        if (intero < LIMITE)
            intero = intero * 10 + (t[i] - '0');
        else
            troppo = true;
    }
    int prima_decimale = 0;
    bool resto = false;
    punto = i < t.size() && t[i] == '.';
    if (punto) {
        size_t inizio = ++i;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++cifre) {
            if (i == inizio)
                prima_decimale = t[i] - '0';
            else if (t[i] != '0')
                resto = true;
        }
    }
    if (cifre == 0 || i != t.size()) return false;
    // Half to even: .5 exactly goes to the even neighbour.
    if (prima_decimale > 5 || (prima_decimale == 5 && (resto || intero % 2 != 0))) ++intero;
    valore = negativo ? -intero : intero;
    return true;
}

}  // namespace

void LettoreCampi::controlla_fine(const char* record, const char* campo) const {
    if (!fine_file()) return;
    if (record == nullptr) throw ErroreLettura("the file ends where a further field was expected", luogo());
    throw ErroreLettura(nome_campo(record, campo) + ": the file ends inside a record", luogo());
}

void LettoreCampi::salta_spazi() {
    while (pos_ < testo_.size() && testo_[pos_] == ' ') ++pos_;
}

void LettoreCampi::consuma_delimitatore() {
    if (fine_file()) return;
    char c = testo_[pos_];
    if (c == ',') {
        ++pos_;
        return;
    }
    if (!fine_riga(c)) return;
    ++pos_;
    if (c == '\r' && pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
    ++riga_;
    inizio_riga_ = pos_;
}

// Moves to `fine`, counting the line ends passed (a CR LF counts once).
void LettoreCampi::avanza_fino(size_t fine) {
    for (; pos_ < fine; ++pos_) {
        char c = testo_[pos_];
        bool a_capo = c == '\n' || (c == '\r' && (pos_ + 1 >= testo_.size() || testo_[pos_ + 1] != '\n'));
        if (a_capo) {
            ++riga_;
            inizio_riga_ = pos_ + 1;
        }
    }
}

void LettoreCampi::riprendi_dopo_riga(Segno s, int riga) {
    pos_ = s.pos;
    inizio_riga_ = s.inizio_riga;
    riga_ = s.riga;
    if (riga_ > riga) return;
    size_t fine = testo_.find_first_of("\r\n", pos_);
    pos_ = fine == std::string_view::npos ? testo_.size() : fine;
    consuma_delimitatore();
}

CampoLetto LettoreCampi::leggi_testo(const char* record, const char* campo) {
    controlla_fine(record, campo);
    salta_spazi();
    Luogo dove = luogo();
    std::string_view contenuto;
    std::optional<Luogo> chiusura_a_capo;
    if (pos_ < testo_.size() && testo_[pos_] == '"') {
        size_t chiusura = testo_.find('"', pos_ + 1);
        if (chiusura == std::string_view::npos)
            throw ErroreLettura("the quoted text opened here has no closing quote before the end of the file", dove);
        contenuto = testo_.substr(pos_ + 1, chiusura - pos_ - 1);
        avanza_fino(chiusura);
        if (riga_ != dove.riga) chiusura_a_capo = luogo();
        ++pos_;
        while (pos_ < testo_.size() && !delimitatore(testo_[pos_])) ++pos_;
    } else {
        size_t inizio = pos_;
        while (pos_ < testo_.size() && !delimitatore(testo_[pos_])) ++pos_;
        contenuto = testo_.substr(inizio, pos_ - inizio);
        while (!contenuto.empty() && contenuto.back() == ' ') contenuto.remove_suffix(1);
    }
    consuma_delimitatore();
    return {contenuto, dove, chiusura_a_capo};
}

LettoreCampi::Intero LettoreCampi::leggi_intero(int64_t minimo, int64_t massimo, const char* record,
                                                const char* campo) {
    controlla_fine(record, campo);
    salta_spazi();
    Luogo dove = luogo();
    size_t inizio = pos_;
    while (pos_ < testo_.size() && !delimitatore(testo_[pos_]) && testo_[pos_] != ' ') ++pos_;
    std::string_view cifre = testo_.substr(inizio, pos_ - inizio);
    salta_spazi();
    consuma_delimitatore();

    int64_t valore = 0;
    bool troppo = false;
    bool punto = false;
    if (!cifre.empty() && !interpreta(cifre, valore, troppo, punto))
        throw ErroreLettura(nome_campo(record, campo) + " is not a number: '" + std::string(cifre) + "'", dove);
    if (troppo || valore < minimo || valore > massimo)
        throw ErroreLettura(nome_campo(record, campo) + (valore < minimo ? " is too small" : " is too large") +
                                " for its field (" + std::to_string(minimo) + " to " + std::to_string(massimo) +
                                "): '" + std::string(cifre) + "'",
                            dove);
    return {valore, dove, punto ? cifre : std::string_view{}};
}

}  // namespace compattatore
