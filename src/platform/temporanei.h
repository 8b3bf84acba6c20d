// The temporaries being written, for the handler of SIGINT, SIGTERM and
// SIGHUP, which removes them before the program ends by the signal.
#pragma once

#include <string>

namespace compattatore::piattaforma {

// While alive, the three signals wait: a temporary is created and
// registered, or renamed and dropped, as one step.
class SegnaliSospesi {
public:
    SegnaliSospesi();
    ~SegnaliSospesi();
    SegnaliSospesi(const SegnaliSospesi&) = delete;
    SegnaliSospesi& operator=(const SegnaliSospesi&) = delete;
};

// Registers a path for removal on a signal; gives its place, or -1 when all
// places are taken (the temporary then stays if a signal comes).
int registra_temporaneo(const std::string& percorso);
void rilascia_temporaneo(int posto);

}  // namespace compattatore::piattaforma
