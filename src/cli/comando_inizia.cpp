#include "cli/comando_inizia.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <string>

#include "cli/argomenti_file.h"
#include "cli/scenario.h"
#include "cli/stato_uscita.h"
#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore init [DIR] [--line-key LINE] [--train-key TRAIN] [--force]\n"
    "\n"
    "Writes the built-in scenario's line and train description files into DIR\n"
    "(default: the current directory; created when missing) as LINE_linea.txt and\n"
    "LINE_TRAIN-.txt, the same bytes the normal run writes, and prints the\n"
    "compile command for them. An existing file is never replaced without --force.\n"
    "\n"
    "Options:\n"
    "  --line-key LINE    the line key of the file names (default: Corvale_Mendra)\n"
    "  --train-key TRAIN  the train key of the file names (default: 4821-3)\n"
    "  --force            replace files of the same names\n"
    "  --help             show this text\n"
    "  --                 end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 written, 2 usage error (an existing file included), 3 a file\n"
    "could not be written.\n";

struct RichiestaInizia {
    RichiestaFile file{.directory = "", .linea = CHIAVE_LINEA, .treno = CHIAVE_TRENO};
    bool forza = false;
    bool aiuto = false;
};

RichiestaInizia leggi_argomenti(std::span<const std::string_view> argomenti) {
    RichiestaInizia r;
    Opzioni opzioni;
    opzioni_file(opzioni, r.file);
    opzioni.flag("--force", [&] { r.forza = true; });
    r.aiuto = opzioni.leggi(argomenti);
    r.file.linea = chiave_valida(*r.file.linea, "--line-key");
    r.file.treno = chiave_valida(*r.file.treno, "--train-key");
    return r;
}

// A path as a shell word: quoted when it holds anything but plain characters.
std::string parola_shell(const std::string& testo) {
    if (testo.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+./=:,@") ==
        std::string::npos)
        return testo;
    std::string quotata = "'";
    for (char c : testo) quotata += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quotata + "'";
}

int inizia(const RichiestaInizia& r) {
    const std::string& dir = r.file.directory;
    const std::string& linea = *r.file.linea;
    const std::string& treno = *r.file.treno;
    const std::string file_linea = piattaforma::unisci(dir, nome_descrizione_linea(linea));
    const std::string file_treno = piattaforma::unisci(dir, nome_descrizione_treno(linea, treno));
    if (!r.forza) {
        for (const std::string& percorso : {file_linea, file_treno}) {
            if (piattaforma::esiste(percorso)) {
                piattaforma::scrivi_su_errore("compattatore init: " + percorso +
                                              " already exists: give --force to replace it\n");
                return USCITA_USO;
            }
        }
    }
    if (!dir.empty()) piattaforma::crea_directory(dir);
    dati_linea(dir, linea);
    dati_treno(dir, linea, treno);
    std::string esito = "wrote " + file_linea + "\nwrote " + file_treno +
                        "\ncompile them with:\n  compattatore compile " + parola_shell(file_linea) + " " +
                        parola_shell(file_treno);
    if (!dir.empty()) esito += " -o " + parola_shell(dir);
    piattaforma::scrivi_su_uscita(esito + "\n");
    return USCITA_RIUSCITA;
}

}  // namespace

int esegui_inizia(std::span<const std::string_view> argomenti) {
    const RichiestaInizia richiesta = leggi_argomenti(argomenti);
    if (richiesta.aiuto) return mostra_testo(AIUTO);
    try {
        return inizia(richiesta);
    } catch (const piattaforma::ErroreFile& e) {
        piattaforma::scrivi_su_errore(std::string("compattatore init: ") + e.what() + "\n");
        return USCITA_FILE;
    }
}

}  // namespace compattatore
