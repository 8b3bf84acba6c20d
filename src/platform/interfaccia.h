// What the run shows the person who started it: the wait indicator and
// messages that must be acknowledged. A console stand-in always exists; a
// windowed one may replace it behind the same interface.
#pragma once

#include <memory>
#include <string>

namespace compattatore::piattaforma {

class Interfaccia {
public:
    virtual ~Interfaccia() = default;
    // Puts up "Attendere" before the first step of the run.
    virtual void mostra_attesa() = 0;
    // Shows a message and returns once it has been acknowledged. Every
    // message also goes to standard error.
    virtual void messaggio(const std::string& testo) = 0;
};

std::unique_ptr<Interfaccia> crea_console();

// The window when this build has one and a display can be opened, otherwise
// the console. With `finestra_permessa` false the console is always chosen.
std::unique_ptr<Interfaccia> crea_interfaccia(bool finestra_permessa);

}  // namespace compattatore::piattaforma
