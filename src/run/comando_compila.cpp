#include "run/comando_compila.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "compiler/nomi_file.h"
#include "compiler/testo_1252.h"
#include "output/memorizza_percorso.h"
#include "platform/file.h"
#include "run/argomenti_file.h"
#include "run/diagnostiche_compila.h"
#include "run/sorveglia.h"
#include "run/stato_uscita.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore compile LINE_FILE TRAIN_FILE [-o DIR] [--line-key KEY] [--train-key KEY]\n"
    "                            [--no-plan] [--check] [--force] [--watch]\n"
    "\n"
    "Compiles a line description file and a train description file into the plan\n"
    "(LINE_linea.dat), object (LINE_TRAIN.sim) and cell (LINE_TRAIN.dat) files.\n"
    "The two files are only read, never changed or deleted. A UTF-8 file is\n"
    "converted to Windows-1252; any other file is taken byte for byte. The keys\n"
    "come from the names LINE_linea.txt and LINE_TRAIN-.txt, or from the options.\n"
    "\n"
    "  -o DIR           write the binary files into DIR (default: the current directory)\n"
    "  --line-key KEY   the line key, when LINE_FILE is not named KEY_linea.txt\n"
    "  --train-key KEY  the train key, when TRAIN_FILE is not named LINE_KEY-.txt\n"
    "  --no-plan        compile without the plan (no LINE_linea.dat)\n"
    "  --check          compile and report, write nothing\n"
    "  --force          write the binary files despite an error in the scenario\n"
    "  --watch          compile again each time a source file changes, until Ctrl-C\n"
    "  --help           show this text\n"
    "\n"
    "Diagnostics go to standard error as 'FILE:LINE:COLUMN: error: MEANING [ECODE]'\n"
    "(or 'warning:' for codes 11 to 13, after which the files are still written),\n"
    "followed by the line and a caret under the field.\n"
    "\n"
    "Exit status of compile: 0 compiled (warnings allowed), 1 the scenario has an\n"
    "error (also with --force), 2 usage error, 3 a file could not be read or\n"
    "written (a missing LINE_FILE or TRAIN_FILE included).\n";

struct RichiestaCompila {
    std::vector<std::string> file;  // the line file, then the train file
    std::string directory;          // empty: the current directory
    std::optional<std::string> chiave_linea;
    std::optional<std::string> chiave_treno;
    bool tracciato = true;
    bool scrivi = true;
    bool forza = false;
    bool aiuto = false;
    bool sorveglia = false;
};

RichiestaCompila leggi_argomenti(std::span<const std::string_view> argomenti) {
    RichiestaCompila r;
    for (size_t i = 0; i < argomenti.size(); ++i) {
        const std::string_view a = argomenti[i];
        if (a == "--help" || a == "-h") {
            r.aiuto = true;
        } else if (a == "-o") {
            r.directory = valore_opzione(argomenti, i);
        } else if (a == "--line-key") {
            r.chiave_linea = valore_opzione(argomenti, i);
        } else if (a == "--train-key") {
            r.chiave_treno = valore_opzione(argomenti, i);
        } else if (a == "--no-plan") {
            r.tracciato = false;
        } else if (a == "--check") {
            r.scrivi = false;
        } else if (a == "--force") {
            r.forza = true;
        } else if (a == "--watch") {
            r.sorveglia = true;
        } else if (a.starts_with("-") && a != "-") {
            throw std::invalid_argument("unknown option '" + std::string(a) + "'");
        } else {
            r.file.emplace_back(a);
        }
    }
    if (r.aiuto) return r;
    if (r.file.size() != 2) throw std::invalid_argument("needs LINE_FILE and TRAIN_FILE");
    return r;
}

// The names of the files a compile writes must fit the output directory, and
// --check refuses what the writing would: the key a name is too long for is
// the line key when its own plan file name is, else the train key.
void nomi_scrivibili(const RichiestaCompila& r) {
    const size_t massimo = piattaforma::nome_piu_lungo(r.directory);
    const std::string& linea = *r.chiave_linea;
    const std::string& treno = *r.chiave_treno;
    std::vector<std::string> nomi{nome_file_oggetti(linea, treno), nome_file_celle(linea, treno)};
    if (r.tracciato) nomi.insert(nomi.begin(), nome_file_tracciato(linea));
    for (const std::string& nome : nomi) {
        if (nome.size() <= massimo) continue;
        const bool colpa_linea = nome_file_tracciato(linea).size() > massimo;
        std::string motivo = colpa_linea ? "--line-key '" + linea : "--train-key '" + treno;
        motivo += "' makes the file name '" + nome + "' " + std::to_string(nome.size()) + " bytes long, above the ";
        motivo += std::to_string(massimo) + " a file written in ";
        motivo += (r.directory.empty() ? "." : r.directory) + " can have";
        throw std::invalid_argument(motivo);
    }
}

void risolvi_chiavi(RichiestaCompila& r) {
    if (!r.chiave_linea) {
        r.chiave_linea = chiave_linea_da_nome(piattaforma::nome_in_percorso(r.file[0]));
        if (!r.chiave_linea)
            throw std::invalid_argument("the line key cannot be told from '" + r.file[0] +
                                        "' (not named LINE_linea.txt): give --line-key");
    }
    r.chiave_linea = chiave_valida(*r.chiave_linea, "--line-key");
    if (!r.chiave_treno) {
        r.chiave_treno = chiave_treno_da_nome(piattaforma::nome_in_percorso(r.file[1]), *r.chiave_linea);
        if (!r.chiave_treno)
            throw std::invalid_argument("the train key cannot be told from '" + r.file[1] + "' (not named " +
                                        *r.chiave_linea + "_TRAIN-.txt): give --train-key");
    }
    r.chiave_treno = chiave_valida(*r.chiave_treno, "--train-key");
    nomi_scrivibili(r);
}

void riepilogo(const Modello& m, const std::vector<std::string>& scritti, bool scrivi) {
    for (const std::string& percorso : scritti)
        std::cout << "wrote " << percorso << " (" << piattaforma::dimensione(percorso) << " bytes)\n";
    auto quanti = [&](OrigineOggetto::Tipo tipo) {
        return std::ranges::count(m.stato.origini, tipo, &OrigineOggetto::tipo);
    };
    std::cout << "compiled " << m.celle.size() << " cells, " << quanti(OrigineOggetto::Tipo::stazione) << " stations, "
              << quanti(OrigineOggetto::Tipo::segnale) << " signals, " << quanti(OrigineOggetto::Tipo::rallentamento)
              << " slowdowns, " << std::ranges::count(m.celle, CELLA_CARTELLO, &Cella::tipo) << " text signs\n";
    if (!scrivi) std::cout << "nothing written (--check)\n";
}

int compila(const RichiestaCompila& r) {
    SorgenteAutore linea{r.file[0], {}};
    SorgenteAutore treno{r.file[1], {}};
    bool carattere_errato = false;
    for (SorgenteAutore* s : {&linea, &treno}) {
        TestoConvertito convertito = converti_in_1252(piattaforma::leggi(s->percorso));
        s->testo = std::move(convertito.testo);
        if (convertito.errore) {
            std::cerr << diagnostica_carattere(*s, *convertito.errore);
            carattere_errato = true;
        }
    }
    if (carattere_errato) return USCITA_SCENARIO;

    Modello m;
    m.stato.chiave_linea = *r.chiave_linea;
    m.stato.chiave_treno = *r.chiave_treno;
    const SorgentiDescrizione sorgenti{linea.percorso, treno.percorso, false, linea.testo, treno.testo};
    const EsitoPercorso esito = compila_percorso(m, r.tracciato ? 1 : 0, sorgenti);
    std::cerr << diagnostiche_compilazione(esito, m.stato, linea, treno);

    const OpzioniScrittura opzioni{.directory = r.directory, .scrivi = r.scrivi, .forza = r.forza};
    const bool errore = esito.codice_lettura != 0 || esito.codice_riservato != 0;
    if (da_scrivere(esito, opzioni)) {
        riepilogo(m, scrivi_file_binari(m, r.directory), true);
    } else if (!r.scrivi && !errore) {
        riepilogo(m, {}, false);
    }
    return errore ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

// One compile with its failures turned into the exit status.
int compila_riportando(const RichiestaCompila& r) {
    try {
        return compila(r);
    } catch (const piattaforma::ErroreFile& e) {
        std::cerr << "compattatore compile: " << e.what() << "\n";
        return USCITA_FILE;
    } catch (const std::length_error& e) {
        // A text too long for its 16-bit length prefix cannot be encoded.
        std::cerr << "compattatore compile: error: " << e.what() << "\n";
        return USCITA_SCENARIO;
    }
}

}  // namespace

int esegui_compila(std::span<const std::string_view> argomenti) {
    RichiestaCompila richiesta;
    try {
        richiesta = leggi_argomenti(argomenti);
        if (richiesta.aiuto) {
            std::cout << AIUTO;
            return USCITA_RIUSCITA;
        }
        risolvi_chiavi(richiesta);
    } catch (const std::invalid_argument& e) {
        std::cerr << "compattatore compile: " << e.what() << "\nTry 'compattatore compile --help'.\n";
        return USCITA_USO;
    }
    if (richiesta.sorveglia) return compila_sorvegliando(richiesta.file, [&] { return compila_riportando(richiesta); });
    return compila_riportando(richiesta);
}

}  // namespace compattatore
