#include "cli/comando_decompila.h"
#include "cli/cartella_uscita.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/argomenti_file.h"
#include "cli/errore_uso.h"
#include "cli/file_compilati.h"
#include "cli/stampa_diagnostiche.h"
#include "cli/stato_uscita.h"
#include "decompile/decompila.h"
#include "decompile/linea_comune.h"
#include "documents/scrivi_righe.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore decompile [DIR] [-o OUTDIR] [--line-key KEY] [--train-key KEY] [--force]\n"
    "\n"
    "Writes the description files LINE_linea.txt and LINE_TRAIN-.txt from the\n"
    "compiled files in DIR (default: the current directory; the keys and the line\n"
    "are found as inspect finds them). Compiling them with the same keys gives the\n"
    "very same plan, object and cell files. Without a plan file the line\n"
    "description has no curves (compile it with --no-plan). A DIR holding several\n"
    "trains of that line (the build's train may be one), with no --train-key,\n"
    "gives the line description once and each train's description, each train\n"
    "checked by compiling it with that line description; trains whose files hold\n"
    "different lines (compiled from different line files) are refused, the first\n"
    "place where they differ named, and nothing is written.\n"
    "\n"
    "  -o OUTDIR        write the description files into OUTDIR (default: DIR)\n"
    "  --line-key KEY   the line key, when DIR holds trains of several lines\n"
    "  --train-key KEY  the train key (alone: one train of the line compiled in DIR)\n"
    "  --force          replace description files that already exist\n"
    "  --help           show this text\n"
    "  --               end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "A place of the compiled files that no description can produce (a hand-edited\n"
    "cell, a plan row no curve makes) is reported as 'FILE: error: PLACE: what\n"
    "differs'; the nearest description is still written.\n"
    "\n"
    "Exit status of decompile: 0 exact, 1 a place cannot be expressed, a compiled\n"
    "file is damaged or the trains hold different lines, 2 usage error, 3 a file\n"
    "could not be read or written (or exists, without --force).\n";

// The most places reported per compiled file; a file edited throughout would
// otherwise bury the first ones.
constexpr size_t MASSIMO_PER_FILE = 50;

void riporta(const std::vector<Scostamento>& scostamenti) {
    std::vector<std::pair<std::string, size_t>> contati;
    for (const Scostamento& s : scostamenti) {
        auto it = std::find_if(contati.begin(), contati.end(), [&](const auto& c) { return c.first == s.file; });
        if (it == contati.end()) it = contati.insert(contati.end(), {s.file, 0});
        if (++it->second <= MASSIMO_PER_FILE)
            piattaforma::scrivi_su_errore(
                formatta_diagnostica(crea_messaggio(s.file, {}, s.dove + ": " + s.motivo), {}));
    }
    for (const auto& [file, n] : contati)
        if (n > MASSIMO_PER_FILE)
            piattaforma::scrivi_su_errore(file + ": error: " + std::to_string(n - MASSIMO_PER_FILE) +
                                          " more places cannot be expressed\n");
}

void scrivi(const std::string& percorso, const std::vector<std::string>& righe) {
    const std::vector<std::string_view> tabella(righe.begin(), righe.end());
    scrivi_righe(percorso, tabella);
    piattaforma::scrivi_su_uscita("wrote " + percorso + " (" + std::to_string(piattaforma::dimensione(percorso)) +
                                  " bytes)\n");
}

}  // namespace

int esegui_decompila(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    bool forza = false;
    Opzioni opzioni;
    opzioni_file(opzioni, richiesta);
    opzioni.con_valore("-o", [&](const std::string& v) { uscita = v; }).flag("--force", [&] { forza = true; });
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    if (uscita == "-") throw ErroreUso("-o takes the directory of the description files; '-' is none");
    linea_del_treno(richiesta);
    const std::string directory = uscita.value_or(richiesta.directory);
    const std::vector<ChiaviScenario> treni = treni_della_linea(richiesta);
    return con_lettura("decompile", [&] {
        std::vector<FileCompilati> letti;
        if (treni.empty()) {
            letti.push_back(leggi_file_compilati(richiesta));
        } else {
            letti = leggi_treni_compilati(richiesta.directory, treni);
        }
        std::vector<TrenoCompilato> compilati;
        compilati.reserve(letti.size());
        for (const FileCompilati& f : letti) compilati.push_back({f.scenario, f.chiavi});
        // One line description is written for every train: trains compiled
        // from different line files would each get back a line not theirs.
        if (const std::optional<Scostamento> diversa = prima_linea_diversa(compilati)) {
            riporta({*diversa});
            piattaforma::scrivi_su_errore(
                "compattatore decompile: the trains' files hold different lines, which one line description "
                "cannot give: nothing written\n");
            return int{USCITA_SCENARIO};
        }
        const ChiaviScenario& primo = letti.front().chiavi;
        std::vector<std::string> percorsi{piattaforma::unisci(directory, nome_descrizione_linea(primo.linea))};
        for (const FileCompilati& f : letti)
            percorsi.push_back(piattaforma::unisci(directory, nome_descrizione_treno(f.chiavi.linea, f.chiavi.treno)));
        for (const std::string& percorso : percorsi) {
            if (!forza && piattaforma::esiste(percorso)) {
                piattaforma::scrivi_su_errore("compattatore decompile: " + percorso +
                                              " exists: give --force to replace it\n");
                return int{USCITA_FILE};
            }
        }
        const LineaRicostruita r = decompila_linea(compilati);
        if (uscita) prepara_cartella_uscita(*uscita);
        scrivi(percorsi.front(), r.linea);
        for (size_t k = 0; k < r.treni.size(); ++k) scrivi(percorsi[k + 1], r.treni[k]);
        if (!r.con_curve)
            piattaforma::scrivi_su_errore("compattatore decompile: warning: no plan file " +
                                          nome_file_tracciato(primo.linea) +
                                          ": the line description has no curves (compile it with --no-plan)\n");
        riporta(r.scostamenti);
        return int{r.scostamenti.empty() ? USCITA_RIUSCITA : USCITA_SCENARIO};
    });
}

}  // namespace compattatore
