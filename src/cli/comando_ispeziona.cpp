#include "cli/comando_ispeziona.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include "cli/argomenti_file.h"
#include "cli/file_compilati.h"
#include "cli/scenario.h"
#include "cli/stato_uscita.h"
#include "inspect/forme_rapporto.h"
#include "json/scrittore_json.h"
#include "model/nomi_file.h"
#include "model/testo_1252.h"
#include "platform/file.h"

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
    "the only *.sim file in DIR. Of trains of several lines in DIR, the line is\n"
    "the one --line-key names, else the build's when its train is there; without\n"
    "either the command stops and names the lines. A DIR holding several trains\n"
    "of one line (and not the build's train), with no --train-key, gives the list\n"
    "of its trains; --train-key alone then names one of them. With the build's\n"
    "train among them its report is shown, and a line on standard error names the\n"
    "others.\n"
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

// The trains of a line compiled in one directory, one a line, with the
// command that shows one.
std::string elenco_treni(const std::vector<ChiaviScenario>& treni, const std::string& directory, bool json) {
    if (json) {
        ScrittoreJson j;
        j.inizio_oggetto();
        j.chiave("line");
        j.valore(da_1252_a_utf8(treni.front().linea));
        j.chiave("trains");
        j.inizio_lista();
        for (const ChiaviScenario& t : treni) {
            j.inizio_oggetto();
            j.chiave("train");
            j.valore(da_1252_a_utf8(t.treno));
            j.chiave("object_file");
            j.valore(nome_file_oggetti(t.linea, t.treno));
            j.fine_oggetto();
        }
        j.fine_lista();
        j.fine_oggetto();
        return j.testo() + "\n";
    }
    std::string testo = "Line " + controlli_visibili(da_1252_a_utf8(treni.front().linea)) + ": " +
                        std::to_string(treni.size()) + " trains in " + controlli_visibili(directory) + "\n";
    for (const ChiaviScenario& t : treni)
        testo += "  " + controlli_visibili(da_1252_a_utf8(t.treno)) + "  " +
                 controlli_visibili(nome_file_oggetti(t.linea, t.treno)) + "\n";
    return testo + "Show one with --train-key TRAIN.\n";
}

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
    linea_del_treno(richiesta);
    // The build's own train, when there, is shown rather than a list.
    if (!piattaforma::esiste(piattaforma::unisci(
            richiesta.directory, nome_file_oggetti(richiesta.linea.value_or(CHIAVE_LINEA), CHIAVE_TRENO)))) {
        const std::vector<ChiaviScenario> treni = treni_della_linea(richiesta);
        if (!treni.empty()) {
            piattaforma::scrivi_su_uscita(elenco_treni(treni, richiesta.directory, json));
            return USCITA_RIUSCITA;
        }
    }
    return con_file_compilati(richiesta, "inspect", [&](const FileCompilati& file) {
        const Rapporto rapporto = costruisci_rapporto(file.scenario, file.chiavi, intervallo);
        piattaforma::scrivi_su_uscita(json ? rapporto_json(rapporto) : rapporto_testo(rapporto));
        piattaforma::scrivi_su_errore(nota_altri_treni("inspect", richiesta, file.chiavi));
        return int{USCITA_RIUSCITA};
    });
}

}  // namespace compattatore
