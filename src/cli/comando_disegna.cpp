#include "cli/comando_disegna.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <optional>

#include "cli/argomenti_file.h"
#include "cli/errore_uso.h"
#include "cli/file_compilati.h"
#include "cli/stato_uscita.h"
#include "draw/disegno.h"
#include "draw/grafico_orario.h"
#include "model/testo_1252.h"
#include "platform/file.h"
#include "scenario/grafico_orario.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore draw [DIR] [-o FILE.svg] [--line-key KEY] [--train-key KEY]\n"
    "                         [--from KM] [--to KM]\n"
    "       compattatore draw --graph [DIR] [-o FILE.svg] [--line-key KEY] [--train-key KEY]\n"
    "\n"
    "Draws the compiled scenario found in DIR (default: the current directory) as\n"
    "an SVG picture: the plan of the line to scale with stations, signals, the\n"
    "slowdown and mountain spans, and the profile. Without a plan file it draws\n"
    "the profile alone. The keys are found as by inspect: of several trains of a\n"
    "line, --train-key alone names the one to draw (the build's train, when\n"
    "there, is drawn without it, and a line on standard error names the others).\n"
    "Labels that would overprint are thinned, the less important first.\n"
    "\n"
    "With --graph it draws the train graph of the line whose trains are compiled\n"
    "in DIR (the line found as by inspect): distance down the side with the\n"
    "stations, time across, one line per train from its start clock and its\n"
    "stations' times (a station at 00:00:00 has none), and a ring where two\n"
    "trains' lines cross between two stations, a meeting or an overtaking to\n"
    "look at.\n"
    "\n"
    "Options:\n"
    "  -o FILE.svg      write the picture to FILE.svg (default: DIR/LINE_TRAIN.svg,\n"
    "                   with --graph DIR/LINE.graph.svg; '-': standard output)\n"
    "  --graph          draw the train graph of every train of the line\n"
    "  --line-key KEY   the line key of the files to read\n"
    "  --train-key KEY  the train key of the files to read\n"
    "  --from KM        draw the line from this kilometre (default: its start)\n"
    "  --to KM          draw the line up to this kilometre (default: its end)\n"
    "  --help           show this text\n"
    "  --               end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 drawn, 1 a compiled file is damaged, 2 usage error, 3 a file\n"
    "could not be found, read or written.\n";

// The train graph of the trains treni_richiesti finds, from their object
// files alone.
int disegna_grafico(const RichiestaFile& richiesta, const std::optional<std::string>& uscita) {
    return con_lettura("draw", [&] {
        const std::vector<ChiaviScenario> treni = treni_richiesti(richiesta);
        std::vector<Corsa> corse;
        std::vector<std::string> letti;
        for (const ChiaviScenario& chiavi : treni) {
            const OggettiTreno treno = leggi_oggetti_treno(richiesta.directory, chiavi);
            corse.push_back(corsa_di(treno.scenario, chiavi));
            letti.push_back(treno.letto);
        }
        const std::string& linea = treni.front().linea;
        return consegna(
            uscita, piattaforma::unisci(richiesta.directory, da_1252_a_utf8(linea) + ".graph.svg"), letti,
            [&] { return disegna_grafico_orario(linea, corse); }, "");
    });
}

}  // namespace

int esegui_disegna(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    Intervallo intervallo;
    bool grafico = false;
    Opzioni opzioni;
    opzioni_file(opzioni, richiesta);
    opzioni.con_valore("-o", [&](const std::string& v) { uscita = v; });
    opzioni.flag("--graph", [&] { grafico = true; });
    opzioni_intervallo(opzioni, intervallo);
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    controlla_intervallo(intervallo);
    linea_del_treno(richiesta);
    if (grafico) {
        if (intervallo.da || intervallo.a) throw ErroreUso("--from and --to do not apply to --graph");
        return disegna_grafico(richiesta, uscita);
    }
    return con_file_compilati(richiesta, "draw", [&](const FileCompilati& file) {
        const int stato = consegna_prodotto(
            uscita, richiesta, file, ".svg", [&] { return disegna_scenario(file.scenario, file.chiavi, intervallo); },
            file.scenario.tracciato.empty() ? "no plan file: the drawing holds the profile alone\n" : "");
        piattaforma::scrivi_su_errore(nota_altri_treni("draw", richiesta, file.chiavi));
        return stato;
    });
}

}  // namespace compattatore
