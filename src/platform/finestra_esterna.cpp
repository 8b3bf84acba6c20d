#include "platform/finestra_esterna.h"

#include <sys/wait.h>

#include "platform/file.h"
#include "platform/flussi_standard.h"
#include "platform/processo_collegato.h"
#include "platform/protocollo_finestra.h"

namespace compattatore::piattaforma {

namespace {

namespace protocollo = protocollo_finestra;
using namespace std::chrono_literals;

// Opening a display takes a moment; one that has not answered in this time
// will not.
constexpr std::chrono::milliseconds ATTESA_DISPLAY = 20s;
// Given the end of its input, the window program closes its window and ends.
constexpr std::chrono::milliseconds ATTESA_FINE = 2s;

void nessuna_finestra(const std::string& motivo) {
    scrivi_su_errore("compattatore: no window (" + motivo + "); the console stands in\n");
}

// Why the window program stopped answering: a wrong answer, or its end.
std::string motivo(const std::optional<std::string>& risposta, const ProcessoCollegato::Fine& fine) {
    if (risposta) return "the window program answered '" + *risposta + "'";
    if (fine.ucciso) return "the window program did not answer";
    if (WIFSIGNALED(fine.stato)) return "the window program ended by signal " + std::to_string(WTERMSIG(fine.stato));
    return "the window program ended with status " + std::to_string(WEXITSTATUS(fine.stato));
}

class FinestraEsterna : public Interfaccia {
public:
    explicit FinestraEsterna(std::unique_ptr<ProcessoCollegato> programma) : programma_(std::move(programma)) {}

    // Returns once the window is painted, so that it is up before the run goes on.
    void mostra_attesa() override {
        if (programma_ && chiedi(std::string(protocollo::ATTESA) + "\n")) return;
        crea_console()->mostra_attesa();
    }

    // Returns once OK is pressed; the console has nothing to add to the text
    // already on standard error.
    void messaggio(const std::string& testo) override {
        scrivi_su_errore(testo + "\n");
        if (programma_) {
            (void)chiedi(std::string(protocollo::MESSAGGIO) + " " + std::to_string(testo.size()) + "\n" + testo);
        }
    }

private:
    // False when the window program failed the request: it is then ended.
    bool chiedi(const std::string& richiesta) {
        std::optional<std::string> risposta;
        if (programma_->scrivi(richiesta)) {
            risposta = programma_->leggi_riga();
            if (risposta == protocollo::FATTO) return true;
        }
        const ProcessoCollegato::Fine fine = programma_->termina(ATTESA_FINE);
        programma_.reset();
        nessuna_finestra(motivo(risposta, fine));
        return false;
    }

    std::unique_ptr<ProcessoCollegato> programma_;
};

}  // namespace

std::unique_ptr<Interfaccia> avvia_finestra(const std::string& programma) {
    std::unique_ptr<ProcessoCollegato> processo;
    try {
        processo = std::make_unique<ProcessoCollegato>(programma);
    } catch (const ErroreFile& e) {
        nessuna_finestra(e.what());
        return nullptr;
    }
    std::optional<std::string> risposta = processo->leggi_riga(ATTESA_DISPLAY);
    if (risposta == protocollo::PRONTA) return std::make_unique<FinestraEsterna>(std::move(processo));
    const ProcessoCollegato::Fine fine = processo->termina(ATTESA_FINE);
    const bool senza_display = !risposta && !fine.ucciso && WIFEXITED(fine.stato) &&
                               WEXITSTATUS(fine.stato) == protocollo::USCITA_SENZA_DISPLAY;
    if (!senza_display) nessuna_finestra(motivo(risposta, fine));
    return nullptr;
}

}  // namespace compattatore::piattaforma
