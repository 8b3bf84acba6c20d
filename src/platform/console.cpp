#include <iostream>

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

namespace {

class Console : public Interfaccia {
public:
    void mostra_attesa() override { std::cerr << "Attendere" << std::endl; }
    void messaggio(const std::string& testo) override { std::cerr << testo << std::endl; }
};

}  // namespace

std::unique_ptr<Interfaccia> crea_console() { return std::make_unique<Console>(); }

}  // namespace compattatore::piattaforma
