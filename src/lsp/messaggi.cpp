#include "lsp/messaggi.h"

#include <algorithm>
#include <cctype>

namespace compattatore {

namespace {

// A header line longer than this is no header: a client that sends
// something else must not make the server hold it all.
constexpr size_t MASSIMO_RIGA = 4096;

bool stesso_nome(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b,
                              [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string_view senza_spazi(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

}  // namespace

bool LettoreMessaggi::riempi() {
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    char blocco[65536];
    const size_t n = fonte_(blocco, sizeof blocco);
    buffer_.append(blocco, n);
    return n > 0;
}

bool LettoreMessaggi::riga(std::string& uscita) {
    bool tagliata = false;
    for (;;) {
        const size_t fine = buffer_.find('\n', pos_);
        if (fine != std::string::npos) {
            size_t lunghezza = fine - pos_;
            if (lunghezza > 0 && buffer_[fine - 1] == '\r') --lunghezza;
            // A line cut before its end stays too long, however little of it is left.
            if (tagliata)
                uscita.assign(MASSIMO_RIGA + 1, 'x');
            else
                uscita.assign(buffer_, pos_, std::min(lunghezza, MASSIMO_RIGA + 1));
            pos_ = fine + 1;
            return true;
        }
        // An endless line is cut: what was read of it is dropped.
        if (buffer_.size() - pos_ > MASSIMO_RIGA) {
            tagliata = true;
            pos_ = buffer_.size();
        }
        if (!riempi()) return false;
    }
}

bool LettoreMessaggi::salta(size_t n) {
    for (;;) {
        const size_t qui = std::min(n, buffer_.size() - pos_);
        pos_ += qui;
        n -= qui;
        if (n == 0) return true;
        if (!riempi()) return false;
    }
}

MessaggioLetto LettoreMessaggi::prossimo() {
    MessaggioLetto letto;
    std::string linea;
    std::string errore;
    bool lunghezza_data = false;
    size_t lunghezza = 0;
    bool qualcosa = false;
    for (;;) {
        if (!riga(linea)) return letto;  // the input ended
        if (linea.empty()) {
            if (!qualcosa) continue;  // blank lines between messages
            break;
        }
        qualcosa = true;
        if (linea.size() > MASSIMO_RIGA) {
            errore = "a header line longer than " + std::to_string(MASSIMO_RIGA) + " bytes";
            continue;
        }
        const size_t due_punti = linea.find(':');
        if (due_punti == std::string::npos) {
            errore = "a header line without ':'";
            continue;
        }
        if (!stesso_nome(senza_spazi(std::string_view(linea).substr(0, due_punti)), "Content-Length")) continue;
        const std::string_view valore = senza_spazi(std::string_view(linea).substr(due_punti + 1));
        if (valore.empty() || valore.size() > 9 ||
            !std::ranges::all_of(valore, [](char c) { return c >= '0' && c <= '9'; })) {
            errore = "Content-Length is not a number of bytes";
            continue;
        }
        lunghezza = 0;
        for (char c : valore) lunghezza = lunghezza * 10 + static_cast<size_t>(c - '0');
        lunghezza_data = true;
    }
    if (errore.empty() && !lunghezza_data) errore = "no Content-Length";
    if (errore.empty() && lunghezza > massimo_) errore = "Content-Length above " + std::to_string(massimo_) + " bytes";
    if (!errore.empty()) {
        // A body whose length the header gave is skipped unread, whatever
        // else the header got wrong: read as a header, it would hide the
        // messages after it.
        if (lunghezza_data && !salta(lunghezza)) return letto;
        letto.esito = MessaggioLetto::Esito::intestazione_errata;
        letto.motivo = std::move(errore);
        return letto;
    }
    while (buffer_.size() - pos_ < lunghezza)
        if (!riempi()) return letto;  // cut short: the input ended
    letto.esito = MessaggioLetto::Esito::messaggio;
    letto.corpo.assign(buffer_, pos_, lunghezza);
    pos_ += lunghezza;
    return letto;
}

std::string incornicia(std::string_view corpo) {
    return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + std::string(corpo);
}

}  // namespace compattatore
