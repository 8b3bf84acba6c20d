// The framing of the language server's messages: each one a header of
// "Name: value" lines (Content-Length required, the rest ignored), a blank
// line, then exactly Content-Length bytes of JSON.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace compattatore {

// Fills up to `n` bytes at `dove`, waiting for one at least; 0 at the end.
using FonteByte = std::function<size_t(char* dove, size_t n)>;

// The largest message taken: an editor sends a whole description file on
// every change, and a description file holds at most 64 MiB.
inline constexpr size_t MASSIMO_CORPO = size_t{65} << 20;

struct MessaggioLetto {
    enum class Esito { messaggio, intestazione_errata, fine };
    Esito esito = Esito::fine;
    std::string corpo;   // the JSON text of a message
    std::string motivo;  // what was wrong with a header
};

class LettoreMessaggi {
public:
    // Bodies longer than `massimo` bytes are refused.
    explicit LettoreMessaggi(FonteByte fonte, size_t massimo = MASSIMO_CORPO)
        : fonte_(std::move(fonte)), massimo_(massimo) {}
    // The next message. A header without a usable Content-Length is reported
    // and skipped up to its blank line, and a body too long, or one after a
    // header otherwise wrong, is reported and skipped unread, so that the
    // next message is read where it starts; an input that ends inside a
    // message ends the reading.
    MessaggioLetto prossimo();

private:
    // Drops `n` bytes of the input; false when it ends first.
    bool salta(size_t n);
    // One header line without its line end; false at the end of the input.
    bool riga(std::string& uscita);
    bool riempi();

    FonteByte fonte_;
    size_t massimo_;
    std::string buffer_;
    size_t pos_ = 0;
};

// `corpo` with its header, ready to write.
std::string incornicia(std::string_view corpo);

}  // namespace compattatore
