#include "cli/comando_inizia.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <cstdint>
#include <string>
#include <vector>

#include "cli/argomenti_file.h"
#include "cli/errore_uso.h"
#include "cli/scenario.h"
#include "cli/stato_uscita.h"
#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore init [DIR] [--line-key LINE] [--train-key TRAIN] [--trains N] [--force]\n"
    "\n"
    "Writes the built-in scenario's line and train description files into DIR\n"
    "(default: the current directory; created when missing) as LINE_linea.txt and\n"
    "LINE_TRAIN-.txt, the same bytes the normal run writes, and prints the\n"
    "compile command for them. An existing file is never replaced without --force.\n"
    "\n"
    "Options:\n"
    "  --line-key LINE    the line key of the file names (default: Corvale_Mendra)\n"
    "  --train-key TRAIN  the train key of the file names (default: 4821-3)\n"
    "  --trains N         N trains on the line (1 to 99, default 1): the built-in\n"
    "                     train and N-1 copies of it, TRAIN_2 to TRAIN_N, each\n"
    "                     leaving 15 minutes after the one before\n"
    "  --force            replace files of the same names\n"
    "  --help             show this text\n"
    "  --                 end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Exit status: 0 written, 2 usage error (an existing file included), 3 a file\n"
    "could not be written.\n";

struct RichiestaInizia {
    RichiestaFile file{.directory = "", .linea = CHIAVE_LINEA, .treno = CHIAVE_TRENO};
    int32_t treni = 1;
    bool forza = false;
    bool aiuto = false;
};

// The time between two trains of a started line, in seconds.
constexpr int32_t DISTACCO = 15 * 60;
constexpr int32_t MASSIMO_TRENI = 99;

int32_t numero_treni(const std::string& testo) {
    if (testo.empty() || testo.size() > 2 || testo.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(testo) < 1)
        throw ErroreUso("--trains takes a number of trains from 1 to " + std::to_string(MASSIMO_TRENI) + ", not '" +
                        testo + "'");
    return std::stoi(testo);
}

// The key of the line's k-th train (from 0): the built-in one's, then
// TRAIN_2 on.
std::string chiave_copia(const std::string& treno, int32_t k) {
    return k == 0 ? treno : treno + "_" + std::to_string(k + 1);
}

RichiestaInizia leggi_argomenti(std::span<const std::string_view> argomenti) {
    RichiestaInizia r;
    Opzioni opzioni;
    opzioni_file(opzioni, r.file);
    opzioni.flag("--force", [&] { r.forza = true; });
    opzioni.con_valore("--trains", [&](const std::string& v) { r.treni = numero_treni(v); });
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
    std::vector<std::string> scritti{file_linea};
    for (int32_t k = 0; k < r.treni; ++k)
        scritti.push_back(piattaforma::unisci(dir, nome_descrizione_treno(linea, chiave_copia(treno, k))));
    if (!r.forza) {
        for (const std::string& percorso : scritti) {
            if (piattaforma::esiste(percorso)) {
                piattaforma::scrivi_su_errore("compattatore init: " + percorso +
                                              " already exists: give --force to replace it\n");
                return USCITA_USO;
            }
        }
    }
    if (!dir.empty()) piattaforma::crea_directory(dir);
    dati_linea(dir, linea);
    std::string esito;
    for (int32_t k = 0; k < r.treni; ++k) dati_treno(dir, linea, chiave_copia(treno, k), k * DISTACCO);
    for (const std::string& percorso : scritti) esito += "wrote " + percorso + "\n";
    esito += "compile them with:\n  compattatore compile ";
    if (r.treni == 1)
        esito += parola_shell(file_linea) + " " + parola_shell(file_treno);
    else
        esito += "--all " + parola_shell(dir.empty() ? "." : dir);
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
