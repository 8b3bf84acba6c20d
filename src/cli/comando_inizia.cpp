#include "cli/comando_inizia.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/argomenti_file.h"
#include "cli/errore_uso.h"
#include "cli/nomi_compilati.h"
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
    "                     leaving 15 minutes after the one before, or fewer\n"
    "                     whole minutes when the last would reach midnight\n"
    "  --force            replace files of the same names\n"
    "  --help             show this text\n"
    "  --                 end the options: an argument after it is DIR, even -NAME\n"
    "\n"
    "Every key and file name is checked as compile checks them before any file is\n"
    "written.\n"
    "\n"
    "Exit status: 0 written, 2 usage error (an existing file or a key compile\n"
    "would refuse included), 3 a file could not be written (those written and\n"
    "those not are listed; a file not written keeps what it held).\n";

struct RichiestaInizia {
    RichiestaFile file{.directory = "", .linea = CHIAVE_LINEA, .treno = CHIAVE_TRENO};
    int32_t treni = 1;
    bool forza = false;
    bool aiuto = false;
};

// The time between two trains of a started line, in seconds, when the last
// of them still arrives before midnight.
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
    // From here on the keys are as the records hold them; the files' names
    // spell them in UTF-8 again.
    r.file.linea = chiave_del_comando(*r.file.linea, "--line-key");
    r.file.treno = chiave_del_comando(*r.file.treno, "--train-key");
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

// The time between two trains: 15 minutes, or the whole minutes that keep
// the last of many on the first one's day, so that no copy's time wraps past
// midnight onto another's.
int32_t distacco(int32_t treni) {
    if (treni == 1) return 0;
    return std::min(DISTACCO, ritardo_massimo_treno() / (treni - 1) / 60 * 60);
}

// Every train's key, and every name of the files init and then compile
// write, checked as compile checks them, so that nothing is written for a
// line compile would refuse.
void controlla_chiavi(const RichiestaInizia& r) {
    const std::string& linea = *r.file.linea;
    for (int32_t k = 0; k < r.treni; ++k) {
        const std::string treno = chiave_copia(*r.file.treno, k);
        const std::string sorgenti[] = {nome_descrizione_linea(linea), nome_descrizione_treno(linea, treno)};
        controlla_nomi_compilati({.linea = linea,
                                  .treno = treno,
                                  .come_linea = "--line-key",
                                  .come_treno = k == 0 ? "--train-key" : "train " + std::to_string(k + 1) + "'s key"},
                                 r.file.directory, true, sorgenti);
    }
}

// The files in `percorsi` from `scritti` on were not written: a file of
// that name holds what it held, each being replaced whole or not at all.
void riporta_guasto(const piattaforma::ErroreFile& e, const std::vector<std::string>& percorsi, size_t scritti) {
    std::string esito;
    for (size_t i = 0; i < scritti; ++i) esito += "wrote " + percorsi[i] + "\n";
    piattaforma::scrivi_su_uscita(esito);
    std::string motivo = std::string("compattatore init: ") + e.what() + "\n";
    motivo += "compattatore init: " + std::to_string(scritti) + " of " + std::to_string(percorsi.size()) +
              " files written; not written (a file already there is as it was):\n";
    for (size_t i = scritti; i < percorsi.size(); ++i) motivo += "  " + percorsi[i] + "\n";
    piattaforma::scrivi_su_errore(motivo);
}

int inizia(const RichiestaInizia& r) {
    const std::string& dir = r.file.directory;
    const std::string& linea = *r.file.linea;
    const std::string& treno = *r.file.treno;
    controlla_chiavi(r);
    const std::string file_linea = piattaforma::unisci(dir, nome_descrizione_linea(linea));
    const std::string file_treno = piattaforma::unisci(dir, nome_descrizione_treno(linea, treno));
    std::vector<std::string> percorsi{file_linea};
    for (int32_t k = 0; k < r.treni; ++k)
        percorsi.push_back(piattaforma::unisci(dir, nome_descrizione_treno(linea, chiave_copia(treno, k))));
    if (!r.forza) {
        for (const std::string& percorso : percorsi) {
            if (piattaforma::esiste(percorso)) {
                piattaforma::scrivi_su_errore("compattatore init: " + percorso +
                                              " already exists: give --force to replace it\n");
                return USCITA_USO;
            }
        }
    }
    if (!dir.empty()) piattaforma::crea_directory(dir);
    size_t scritti = 0;
    try {
        dati_linea(dir, linea);
        for (scritti = 1; scritti < percorsi.size(); ++scritti) {
            const auto k = static_cast<int32_t>(scritti - 1);
            dati_treno(dir, linea, chiave_copia(treno, k), k * distacco(r.treni));
        }
    } catch (const piattaforma::ErroreFile& e) {
        riporta_guasto(e, percorsi, scritti);
        return USCITA_FILE;
    }
    std::string esito;
    for (const std::string& percorso : percorsi) esito += "wrote " + percorso + "\n";
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
