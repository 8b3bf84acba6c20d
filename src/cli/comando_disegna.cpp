#include "cli/comando_disegna.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <optional>

#include "cli/argomenti_file.h"
#include "cli/stato_uscita.h"
#include "draw/disegno.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore draw [DIR] [-o FILE.svg] [--line-key KEY] [--train-key KEY]\n"
    "                         [--from KM] [--to KM]\n"
    "\n"
    "Draws the compiled scenario found in DIR (default: the current directory) as\n"
    "an SVG picture: the plan of the line to scale with stations, signals, the\n"
    "slowdown and mountain spans, and the profile. Without a plan file it draws\n"
    "the profile alone. The keys are found as by inspect. Labels that would\n"
    "overprint are thinned, the less important first.\n"
    "\n"
    "Options:\n"
    "  -o FILE.svg      write the picture to FILE.svg (default: DIR/LINE_TRAIN.svg;\n"
    "                   '-': standard output)\n"
    "  --line-key KEY   the line key of the files to read\n"
    "  --train-key KEY  the train key of the files to read\n"
    "  --from KM        draw the line from this kilometre (default: its start)\n"
    "  --to KM          draw the line up to this kilometre (default: its end)\n"
    "  --help           show this text\n"
    "  --               end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 drawn, 1 a compiled file is damaged, 2 usage error, 3 a file\n"
    "could not be found, read or written.\n";

}  // namespace

int esegui_disegna(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    Intervallo intervallo;
    Opzioni opzioni;
    opzioni_file(opzioni, richiesta);
    opzioni.con_valore("-o", [&](const std::string& v) { uscita = v; });
    opzioni_intervallo(opzioni, intervallo);
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    controlla_intervallo(intervallo);
    return con_file_compilati(richiesta, "draw", [&](const FileCompilati& file) {
        return consegna_prodotto(
            uscita, richiesta, file, ".svg", [&] { return disegna_scenario(file.scenario, file.chiavi, intervallo); },
            file.scenario.tracciato.empty() ? "no plan file: the drawing holds the profile alone\n" : "");
    });
}

}  // namespace compattatore
