// An interface that keeps what the run shows instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "platform/interfaccia.h"

namespace compattatore::prova {

class InterfacciaRegistrata : public piattaforma::Interfaccia {
public:
    void mostra_attesa() override { ++attese; }
    void messaggio(const std::string& testo) override { messaggi.push_back(testo); }

    int attese = 0;
    std::vector<std::string> messaggi;
};

}  // namespace compattatore::prova
