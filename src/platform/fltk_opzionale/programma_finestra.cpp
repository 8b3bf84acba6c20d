// The window program: opens the display, says so, then shows what the
// program that started it asks for, answering each request once it is done,
// until its input ends (see protocollo_finestra.h).
#include <FL/Fl.H>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/fltk_opzionale/finestra.h"
#include "platform/protocollo_finestra.h"

namespace {

namespace protocollo = compattatore::piattaforma::protocollo_finestra;
using compattatore::piattaforma::Finestra;

// The requests, read from standard input.
class Richieste {
public:
    // The next line, without the newline; nullopt at the end of the input.
    std::optional<std::string> riga() {
        size_t a_capo = 0;
        while ((a_capo = letto_.find('\n')) == std::string::npos) {
            if (!leggi_altro()) return std::nullopt;
        }
        std::string riga = letto_.substr(0, a_capo);
        letto_.erase(0, a_capo + 1);
        return riga;
    }

    // The next `n` bytes; nullopt when the input ends first.
    std::optional<std::string> byte(size_t n) {
        while (letto_.size() < n) {
            if (!leggi_altro()) return std::nullopt;
        }
        std::string testo = letto_.substr(0, n);
        letto_.erase(0, n);
        return testo;
    }

private:
    bool leggi_altro() {
        char blocco[4096];
        ssize_t n = 0;
        do {
            n = ::read(STDIN_FILENO, blocco, sizeof blocco);
        } while (n < 0 && errno == EINTR);
        if (n <= 0) return false;
        letto_.append(blocco, static_cast<size_t>(n));
        return true;
    }

    std::string letto_;
};

bool rispondi(const std::string& riga) {
    const std::string testo = riga + "\n";
    return ::write(STDOUT_FILENO, testo.data(), testo.size()) == static_cast<ssize_t>(testo.size());
}

// The length of a message request's text, or nullopt when `riga` is no
// such request.
std::optional<size_t> lunghezza_messaggio(const std::string& riga) {
    const std::string inizio = std::string(protocollo::MESSAGGIO) + " ";
    if (!riga.starts_with(inizio)) return std::nullopt;
    size_t n = 0;
    const char* fine = riga.data() + riga.size();
    auto [dove, errore] = std::from_chars(riga.data() + inizio.size(), fine, n);
    if (errore != std::errc{} || dove != fine) return std::nullopt;
    return n;
}

// While FLTK waits (for the window to be exposed, or for OK), input can only
// be its end, for nothing is sent before an answer: the program that asked
// has gone, and so does this one.
void ingresso_finito(int /*fd*/, void* /*dati*/) { std::exit(EXIT_SUCCESS); }

}  // namespace

int main() {
    auto finestra = Finestra::apri();
    if (!finestra) return protocollo::USCITA_SENZA_DISPLAY;
    if (!rispondi(protocollo::PRONTA)) return EXIT_FAILURE;
    Fl::add_fd(STDIN_FILENO, FL_READ, ingresso_finito);

    Richieste richieste;
    while (auto riga = richieste.riga()) {
        if (*riga == protocollo::ATTESA) {
            finestra->mostra_attesa();
        } else if (auto lunghezza = lunghezza_messaggio(*riga)) {
            auto testo = richieste.byte(*lunghezza);
            if (!testo) break;
            Finestra::messaggio(*testo);
        } else {
            return EXIT_FAILURE;  // not a request of this protocol
        }
        if (!rispondi(protocollo::FATTO)) return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
