// Reports a shown scenario error the way the run does: the wait window is up,
// the prompt " Errore n. " and the code go to the interface's message, and
// the program ends with the scenario-error status once it is acknowledged.
// Usage: errore_in_finestra CODE
#include <string>

#include "platform/interfaccia.h"
#include "run/stato_uscita.h"

int main(int argc, char** argv) {
    if (argc != 2) return compattatore::USCITA_USO;
    auto interfaccia = compattatore::piattaforma::crea_interfaccia(true);
    interfaccia->mostra_attesa();
    interfaccia->messaggio(" Errore n. " + std::string(argv[1]));
    return compattatore::USCITA_SCENARIO;
}
