#include "cli/riga_comando.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <new>
#include <string>

#include "cli/comando_compila.h"
#include "cli/comando_decompila.h"
#include "cli/comando_disegna.h"
#include "cli/comando_inizia.h"
#include "cli/comando_ispeziona.h"
#include "cli/comando_lsp.h"
#include "cli/comando_vista.h"
#include "cli/errore_uso.h"
#include "cli/esecuzione.h"
#include "cli/stato_uscita.h"
#include "impostazioni.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore [--dir DIR] [--force] [--no-window] [--sync]\n"
    "       compattatore init [DIR] [--line-key LINE] [--train-key TRAIN] [--trains N] [--force]\n"
    "       compattatore compile LINE_FILE TRAIN_FILE... [-o DIR] [options]\n"
    "       compattatore compile --all DIR [-o DIR] [options]\n"
    "       compattatore inspect [DIR] [options]\n"
    "       compattatore draw [DIR] [-o FILE.svg] [options]\n"
    "       compattatore draw --graph [DIR] [-o FILE.svg] [options]\n"
    "       compattatore view [DIR] [-o FILE.html] [options]\n"
    "       compattatore decompile [DIR] [-o OUTDIR] [options]\n"
    "       compattatore lsp [--help]\n"
    "       compattatore --help | --version\n"
    "\n"
    "Writes the scenario Corvale_Mendra / 4821-3: the line and train description\n"
    "files and the three driver documents, then compiles the description files\n"
    "into the plan, object and cell files for the simulator.\n"
    "\n"
    "Options:\n"
    "  --dir DIR   work in DIR instead of the program's own directory\n"
    "  --force     write the binary files even when reading recorded an error\n"
    "  --no-window show the wait notice and messages on the console even when\n"
    "              a display is available\n"
    "  --sync      sync each document and binary file to the disk before it\n"
    "              replaces the old one (slower; survives a power failure)\n"
    "  --help      show this text\n"
    "  --version   show the program's version\n"
    "\n"
    "Errors found while compiling are reported on standard error (and in a\n"
    "message box when the window is shown) as ' Errore n. CODE: meaning'; the\n"
    "binary files are then not written (unless --force). Codes 11 to 13 are\n"
    "warnings (' Avviso n. '): the files are written.\n"
    "\n"
    "init writes the scenario's description files for an author to start from;\n"
    "compile compiles an author's description files; inspect shows a compiled\n"
    "scenario; draw draws it as an SVG picture; view writes it as one HTML page\n"
    "to explore at any scale in a web browser; decompile writes the description\n"
    "files back from a compiled scenario; lsp is the language server an editor\n"
    "starts, to show the compiler's diagnostics as the author types.\n"
    "'compattatore COMMAND --help' shows each command's options. The format of\n"
    "the description files is described in description-files.md, installed with\n"
    "the program's documents.\n"
    "\n"
    "Exit status: 0 done (warnings allowed), 1 the scenario has an error (also\n"
    "with --force), 2 usage error, 3 a file could not be found, read or written.\n";

// The normal run, its options first.
int esegui_senza_comando(std::span<const std::string_view> argomenti) {
    OpzioniEsecuzione opzioni;
    bool directory_data = false;
    bool finestra_permessa = true;
    bool versione = false;
    Opzioni riga;
    riga.con_valore(
            "--dir",
            [&](const std::string& v) {
                opzioni.directory = v;
                directory_data = true;
            },
            "a directory")
        .flag("--force", [&] { opzioni.forza = true; })
        .flag("--sync", [&] { opzioni.sincronizza = true; })
        .flag("--no-window", [&] { finestra_permessa = false; })
        .flag("--version", [&] { versione = true; });
    if (riga.leggi(argomenti)) return mostra_testo(AIUTO);
    if (versione) return mostra_testo(std::string("compattatore ") + VERSIONE + "\n");

    auto interfaccia = piattaforma::crea_interfaccia(finestra_permessa);
    if (!directory_data) {
        try {
            opzioni.directory = piattaforma::directory_eseguibile();
        } catch (const piattaforma::ErroreFile& e) {
            piattaforma::scrivi_su_errore(std::string("compattatore: ") + e.what() + "\n");
            return USCITA_FILE;
        }
    }
    return esegui_normale(opzioni, *interfaccia);
}

}  // namespace

int esegui_riga_comando(std::span<const std::string_view> argomenti) {
    using Comando = int (*)(std::span<const std::string_view>);
    static constexpr std::pair<std::string_view, Comando> COMANDI[] = {
        {"inspect", esegui_ispeziona}, {"draw", esegui_disegna}, {"view", esegui_vista},
        {"compile", esegui_compila},   {"init", esegui_inizia},  {"decompile", esegui_decompila},
        {"lsp", esegui_lsp},
    };
    // Every command's usage errors are told here, each under its own name.
    std::string_view nome_comando;
    try {
        for (const auto& [nome, comando] : COMANDI) {
            if (!argomenti.empty() && argomenti[0] == nome) {
                nome_comando = nome;
                return comando(argomenti.subspan(1));
            }
        }
        return esegui_senza_comando(argomenti);
    } catch (const ErroreUso& e) {
        return errore_di_uso(nome_comando, e);
    } catch (const std::bad_alloc&) {
        // Caught here, the stack is unwound: every temporary file is removed
        // and the memory of the work given back before this is said.
        const std::string comando = nome_comando.empty() ? "" : " " + std::string(nome_comando);
        piattaforma::scrivi_su_errore("compattatore" + comando +
                                      ": out of memory; the work was stopped and its temporary files removed\n");
        return USCITA_FILE;
    }
}

}  // namespace compattatore
