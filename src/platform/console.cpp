#include "platform/flussi_standard.h"

#include "platform/interfaccia.h"

namespace compattatore::piattaforma {

namespace {

class Console : public Interfaccia {
public:
    void mostra_attesa() override { scrivi_su_errore("Attendere\n"); }
    void messaggio(const std::string& testo) override { scrivi_su_errore(testo + "\n"); }
};

}  // namespace

std::unique_ptr<Interfaccia> crea_console() { return std::make_unique<Console>(); }

}  // namespace compattatore::piattaforma
