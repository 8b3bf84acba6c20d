#include "cli/comando_vista.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <optional>

#include "cli/argomenti_file.h"
#include "cli/file_compilati.h"
#include "cli/stato_uscita.h"
#include "model/testo_1252.h"
#include "platform/file.h"
#include "view/pagina.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore view [DIR] [-o FILE.html] [--line-key KEY] [--train-key KEY]\n"
    "\n"
    "Writes the compiled scenario found in DIR (default: the current directory) as\n"
    "one self-contained HTML page to open in a web browser: the plan and the\n"
    "profile, linked, at any scale (wheel, pinch or + and -, drag to pan), every\n"
    "object with its decoded fields when pointed at, and a box that centres the\n"
    "view on a kilometre. The page needs no network. The keys and the line are\n"
    "found as by inspect. A DIR holding several trains of that line (the build's\n"
    "train may be one), with no --train-key, gives one page of the whole line: a\n"
    "selector shows each train's objects over the line, and a panel the train\n"
    "graph (as draw --graph), a train's stops and times shown when it is pointed\n"
    "at.\n"
    "\n"
    "Options:\n"
    "  -o FILE.html     write the page to FILE.html (default: DIR/LINE_TRAIN.html,\n"
    "                   for the whole line DIR/LINE.html; '-': standard output)\n"
    "  --line-key KEY   the line key of the files to read\n"
    "  --train-key KEY  the train key of the files to read\n"
    "  --help           show this text\n"
    "  --               end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 written, 1 a compiled file is damaged, 2 usage error, 3 a file\n"
    "could not be found, read or written.\n";

}  // namespace

int esegui_vista(std::span<const std::string_view> argomenti) {
    RichiestaFile richiesta;
    std::optional<std::string> uscita;
    Opzioni opzioni;
    opzioni_file(opzioni, richiesta);
    opzioni.con_valore("-o", [&](const std::string& v) { uscita = v; });
    if (opzioni.leggi(argomenti)) return mostra_testo(AIUTO);
    linea_del_treno(richiesta);
    const std::vector<ChiaviScenario> treni = treni_della_linea(richiesta);
    if (!treni.empty()) {
        return con_lettura("view", [&] {
            const std::vector<FileCompilati> letti = leggi_treni_compilati(richiesta.directory, treni);
            std::vector<TrenoVista> vista;
            std::vector<std::string> file;
            for (const FileCompilati& f : letti) {
                vista.push_back({f.scenario, f.chiavi});
                file.insert(file.end(), f.letti.begin(), f.letti.end());
            }
            return consegna(
                uscita, piattaforma::unisci(richiesta.directory, da_1252_a_utf8(treni.front().linea) + ".html"), file,
                [&] { return pagina_vista_linea(vista); },
                letti.front().scenario.tracciato.empty() ? "no plan file: the page shows the profile alone\n" : "");
        });
    }
    return con_file_compilati(richiesta, "view", [&](const FileCompilati& file) {
        return consegna_prodotto(
            uscita, richiesta, file, ".html", [&] { return pagina_vista(file.scenario, file.chiavi); },
            file.scenario.tracciato.empty() ? "no plan file: the page shows the profile alone\n" : "");
    });
}

}  // namespace compattatore
