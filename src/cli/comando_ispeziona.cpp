#include "cli/comando_ispeziona.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include "cli/argomenti_file.h"
#include "cli/stato_uscita.h"
#include "inspect/forme_rapporto.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore inspect [DIR] [--line-key KEY] [--train-key KEY] [--json]\n"
    "                            [--from KM] [--to KM]\n"
    "\n"
    "Shows the compiled scenario found in DIR (default: the current directory): the\n"
    "header, the stations, the text signs, every non-empty cell between --from and\n"
    "--to and the gradient, speed, adhesion and mountain profile. The keys are\n"
    "those given, else the build's when its object file is there, else those of\n"
    "the only *.sim file in DIR.\n"
    "\n"
    "Options:\n"
    "  --line-key KEY   the line key of the files to read\n"
    "  --train-key KEY  the train key of the files to read\n"
    "  --json           print the report as one JSON document\n"
    "  --from KM        first kilometre of the cell listing (default: 0)\n"
    "  --to KM          last kilometre of the cell listing (default: the end)\n"
    "  --help           show this text\n"
    "  --               end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 shown, 1 a compiled file is damaged, 2 usage error, 3 a file\n"
    "could not be found or read.\n";

}  // namespace

int esegui_ispeziona(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    Intervallo intervallo;
    bool json = false;
    Opzioni opzioni;
    opzioni_file(opzioni, richiesta);
    opzioni.flag("--json", [&] { json = true; });
    opzioni_intervallo(opzioni, intervallo);
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    controlla_intervallo(intervallo);
    return con_file_compilati(richiesta, "inspect", [&](const FileCompilati& file) {
        const Rapporto rapporto = costruisci_rapporto(file.scenario, file.chiavi, intervallo);
        piattaforma::scrivi_su_uscita(json ? rapporto_json(rapporto) : rapporto_testo(rapporto));
        return int{USCITA_RIUSCITA};
    });
}

}  // namespace compattatore
