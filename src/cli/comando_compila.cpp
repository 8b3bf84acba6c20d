#include "cli/comando_compila.h"
#include "cli/cartella_uscita.h"
#include "cli/opzioni.h"
#include "cli/testo_utente.h"
#include "platform/flussi_standard.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/argomenti_file.h"
#include "cli/attesa_directory.h"
#include "cli/compila_treni.h"
#include "cli/errore_uso.h"
#include "cli/resoconto_compila.h"
#include "cli/sorgenti_protette.h"
#include "cli/sorveglia.h"
#include "cli/stato_uscita.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/parola_vicina.h"
#include "model/nomi_file.h"
#include "model/testo_1252.h"
#include "platform/blocco_directory.h"
#include "platform/file.h"

namespace compattatore {

namespace {

constexpr const char* AIUTO =
    "Usage: compattatore compile LINE_FILE TRAIN_FILE... [-o DIR] [--line-key KEY] [--train-key KEY]\n"
    "       compattatore compile --all DIR [-o DIR] [options]\n"
    "                            [--no-plan] [--check] [--force] [--sync] [--max-errors N]\n"
    "                            [--diagnostics text|json] [-Wno-KIND] [-Werror[=KIND]]\n"
    "                            [-Wno-error=KIND] [--watch]\n"
    "\n"
    "Compiles a line description file and a train description file into the plan\n"
    "(LINE_linea.dat), object (LINE_TRAIN.sim) and cell (LINE_TRAIN.dat) files.\n"
    "The two files are only read, never changed or deleted. A UTF-8 file is\n"
    "converted to Windows-1252; any other file is taken byte for byte. The keys\n"
    "come from the names LINE_linea.txt and LINE_TRAIN-.txt, or from the options.\n"
    "\n"
    "Several train files of one line are compiled at once: the line is read and\n"
    "its plan written once (only when its bytes changed), each train on its own,\n"
    "side by side. A train with an error writes nothing; the others are written.\n"
    "The diagnostics are one report (the line file's once); the summary has one\n"
    "line per train.\n"
    "\n"
    "  --all DIR        the line file found in DIR (the only LINE_linea.txt there)\n"
    "                   and every train file of that line in DIR\n"
    "  -o DIR           write the binary files into DIR (default: the current directory)\n"
    "  --line-key KEY   the line key, when LINE_FILE is not named KEY_linea.txt\n"
    "  --train-key KEY  the train key, when TRAIN_FILE is not named LINE_KEY-.txt\n"
    "  --no-plan        compile without the plan (no LINE_linea.dat)\n"
    "  --check          compile and report, write nothing\n"
    "  --force          write the binary files despite an error in the scenario\n"
    "  --sync           sync each binary file to the disk before it replaces the old one\n"
    "  --max-errors N   stop after N errors (default 20; 0: no limit)\n"
    "  --diagnostics F  'text' (default, on standard error) or 'json' (one document\n"
    "                   on standard output; the list of files written goes to\n"
    "                   standard error)\n"
    "  -WKIND           warn about KIND, one of those off unless asked for\n"
    "  -Wno-KIND        do not warn about KIND (the kinds are below)\n"
    "  -Werror          make every warning an error; -Werror=KIND: those of KIND\n"
    "  -Wno-error=KIND  keep KIND a warning (value-truncated is an error unless so)\n"
    "  --watch          compile again each time a source file changes, until Ctrl-C\n"
    "  --help           show this text\n"
    "  --               end the options: each argument after it is a file, even -NAME\n"
    "\n"
    "Every error of the scenario is reported, each once, in file order (the line\n"
    "file first), as 'FILE:LINE:COLUMN: error: MEANING [ECODE]' with the line and a\n"
    "caret under the field, and notes where the record begins or which record\n"
    "holds a contested cell. Warnings are codes 11 to 13 (after which the files are\n"
    "still written) and what the reader skips or bends ('[-WKIND]'). The last line\n"
    "counts them: 'N errors, M warnings'.\n"
    "\n"
    "Warning kinds, each with an example:\n"
    "  value-truncated  a value the files cannot hold as written, and what is\n"
    "                   stored: 'pendenza, 2000, -280' stores -24 per mille\n"
    "  unknown-record   'pendnza, 100, 2': did you mean 'pendenza'?\n"
    "  unknown-section  '[segnalli]': did you mean '[segnali]'?\n"
    "  reversed-span    'montagna, 3000, 2000, 1', a curve of negative length\n"
    "  beyond-line      an object past the line's end, in the run-out\n"
    "  multiline-text   a quoted text running over a line end (a quote left open)\n"
    "  out-of-order     a gradient, speed or adhesion before the one before it\n"
    "  overlap          a curve starting before the previous one ends; a mountain\n"
    "                   doing so with a kind other than 3, which it is stored as\n"
    "  time-backwards   a station's time before the previous station's\n"
    "  board-above-limit (off unless -Wboard-above-limit) a board showing more\n"
    "                   than the train's own limit where it stands: 'velocita,\n"
    "                   900, 90' under a board of 120 km/h\n"
    "\n"
    "Exit status of compile: 0 compiled (warnings allowed), 1 the scenario has an\n"
    "error (also with --force), 2 usage error (a compiled file that would replace\n"
    "LINE_FILE or TRAIN_FILE included), 3 a file could not be read or written (a\n"
    "missing LINE_FILE or TRAIN_FILE included).\n";

struct RichiestaCompila {
    std::vector<std::string> file;  // the line file, then the train file
    std::string directory;          // empty: the current directory
    std::optional<std::string> chiave_linea;
    std::optional<std::string> chiave_treno;
    std::optional<std::string> tutti;  // --all DIR
    bool tracciato = true;
    bool scrivi = true;
    bool forza = false;
    bool sincronizza = false;
    bool aiuto = false;
    ResocontoCompila resoconto;
    bool sorveglia = false;
};

size_t numero_errori(std::string_view testo) {
    size_t n = 0;
    if (testo.empty() || testo.size() > 9 || !std::ranges::all_of(testo, [](char c) { return c >= '0' && c <= '9'; }))
        throw ErroreUso("--max-errors needs a whole number, not '" + std::string(testo) + "'");
    for (char c : testo) n = n * 10 + static_cast<size_t>(c - '0');
    return n;
}

std::string_view gruppo_noto(std::string_view gruppo, const char* azione) {
    if (std::ranges::find(GRUPPI_AVVISO, gruppo) == std::end(GRUPPI_AVVISO)) {
        const auto vicino = parola_vicina(gruppo, GRUPPI_AVVISO);
        throw ErroreUso("no warning kind '" + std::string(gruppo) + "' to " + azione +
                        (vicino ? "; did you mean '" + std::string(*vicino) + "'?" : ""));
    }
    return gruppo;
}

// -Wno-KIND, and -Wno-error and -Wno-error=KIND, which it also reads.
void silenzia(RichiestaCompila& r, std::string_view gruppo) {
    if (gruppo == "error")
        r.resoconto.avvisi_errori = false;
    else if (gruppo.starts_with("error="))
        r.resoconto.declassa(gruppo_noto(gruppo.substr(6), "keep as a warning"));
    else
        r.resoconto.silenziati.emplace(gruppo_noto(gruppo, "silence"));
}

RichiestaCompila leggi_argomenti(std::span<const std::string_view> argomenti) {
    RichiestaCompila r;
    Opzioni opzioni;
    opzioni.con_valore("-o", [&](const std::string& v) { r.directory = v; })
        .con_valore("--line-key", [&](const std::string& v) { r.chiave_linea = v; })
        .con_valore("--train-key", [&](const std::string& v) { r.chiave_treno = v; })
        .con_valore("--all", [&](const std::string& v) { r.tutti = v; })
        .flag("--no-plan", [&] { r.tracciato = false; })
        .flag("--check", [&] { r.scrivi = false; })
        .flag("--force", [&] { r.forza = true; })
        .flag("--sync", [&] { r.sincronizza = true; })
        .flag("--watch", [&] { r.sorveglia = true; })
        .con_valore("--max-errors", [&](const std::string& v) { r.resoconto.massimo_errori = numero_errori(v); })
        .con_valore("--diagnostics",
                    [&](const std::string& forma) {
                        if (forma != "text" && forma != "json")
                            throw ErroreUso("--diagnostics takes 'text' or 'json', not '" + forma + "'");
                        r.resoconto.forma = forma == "json" ? FormaDiagnostiche::json : FormaDiagnostiche::testo;
                    })
        .con_prefisso("-Wno-", [&](const std::string& gruppo) { silenzia(r, gruppo); })
        .flag("-Werror", [&] { r.resoconto.avvisi_errori = true; })
        .con_prefisso("-Werror=",
                      [&](const std::string& gruppo) { r.resoconto.promuovi(gruppo_noto(gruppo, "make an error")); })
        .con_prefisso(
            "-W",
            [&](const std::string& gruppo) { r.resoconto.silenziati.erase(std::string(gruppo_noto(gruppo, "show"))); })
        .parole([&](const std::string& file) { r.file.push_back(file); });
    r.aiuto = opzioni.leggi(argomenti);
    if (r.directory == "-") throw ErroreUso("-o takes the directory of the binary files; '-' is none");
    if (r.aiuto) return r;
    if (r.tutti && !r.file.empty()) throw ErroreUso("--all DIR takes no LINE_FILE or TRAIN_FILE");
    if (!r.tutti && r.file.size() < 2) throw ErroreUso("needs LINE_FILE and TRAIN_FILE");
    if (r.file.size() > 2 && r.chiave_treno) throw ErroreUso("--train-key names one train; several are given");
    return r;
}

// The names of the files a compile writes must fit the output directory, and
// --check refuses what the writing would: the key a name is too long for is
// the line key when its own plan file name is, else the train key.
// `nome_linea`, `nome_treno`: what gave each key, for the message.
void nomi_scrivibili(const RichiestaCompila& r, const char* nome_linea, const char* nome_treno) {
    const size_t massimo = piattaforma::nome_piu_lungo(r.directory);
    const std::string& linea = *r.chiave_linea;
    const std::string& treno = *r.chiave_treno;
    std::vector<std::string> nomi{nome_file_oggetti(linea, treno), nome_file_celle(linea, treno)};
    if (r.tracciato) nomi.insert(nomi.begin(), nome_file_tracciato(linea));
    for (const std::string& nome : nomi) {
        if (nome.size() <= massimo) continue;
        const bool colpa_linea = nome_file_tracciato(linea).size() > massimo;
        std::string motivo = colpa_linea ? std::string(nome_linea) + " '" + da_1252_a_utf8(linea)
                                         : std::string(nome_treno) + " '" + da_1252_a_utf8(treno);
        motivo += "' makes the file name '" + nome + "' " + std::to_string(nome.size()) + " bytes long, above the ";
        motivo += std::to_string(massimo) + " a file written in ";
        motivo += (r.directory.empty() ? "." : r.directory) + " can have";
        throw ErroreUso(motivo);
    }
}

// The train key "linea" would make the cell file the line's plan file, in
// either case as the simulator's file system takes names: one would replace
// the other, and a plan file left from an earlier compile would read as the
// cells. `nome_treno`: what gave the key, for the message.
void nomi_distinti(const RichiestaCompila& r, const char* nome_treno) {
    if (!uguali_senza_maiuscole(*r.chiave_treno, "linea")) return;
    throw ErroreUso(std::string(nome_treno) + " '" + da_1252_a_utf8(*r.chiave_treno) + "' makes the cell file '" +
                    nome_file_celle(*r.chiave_linea, *r.chiave_treno) + "' and the plan file '" +
                    nome_file_tracciato(*r.chiave_linea) + "' one file: choose another train key");
}

// A key that cannot be told because a train file came first: the hint to
// swap them, when a file after the first is named as a line file.
std::string scambiati(const std::vector<std::string>& file) {
    if (chiave_linea_da_nome(piattaforma::nome_in_percorso(file[0]))) return "";
    for (size_t i = 1; i < file.size(); ++i)
        if (chiave_linea_da_nome(piattaforma::nome_in_percorso(file[i])))
            return "; '" + controlli_visibili(file[i]) +
                   "' is named as a line file: the files seem swapped (the line file comes first)";
    return "";
}

// `uno_di_molti`: the train is one of several, whose keys can come only
// from their files' names.
void risolvi_chiavi(RichiestaCompila& r, bool uno_di_molti = false) {
    const char* nome_linea = r.chiave_linea ? "--line-key" : "the line key";
    const char* nome_treno = r.chiave_treno ? "--train-key" : "the train key";
    if (!r.chiave_linea) {
        r.chiave_linea = chiave_linea_da_nome(piattaforma::nome_in_percorso(r.file[0]));
        if (!r.chiave_linea)
            throw ErroreUso("the line key cannot be told from '" + controlli_visibili(r.file[0]) +
                            "' (not named LINE_linea.txt): give --line-key" + scambiati(r.file));
    }
    // The train file's name is matched with the line key as spelled here,
    // before the keys are converted for the records.
    if (!r.chiave_treno) {
        r.chiave_treno = chiave_treno_da_nome(piattaforma::nome_in_percorso(r.file[1]), *r.chiave_linea);
        if (!r.chiave_treno)
            throw ErroreUso("the train key cannot be told from '" + controlli_visibili(r.file[1]) + "' (not named " +
                            controlli_visibili(*r.chiave_linea) + "_TRAIN-.txt): " +
                            (uno_di_molti ? "name it so, as each of several trains takes its key from its file's name"
                                          : "give --train-key") +
                            scambiati(r.file));
    }
    r.chiave_linea = chiave_del_comando(*r.chiave_linea, nome_linea);
    r.chiave_treno = chiave_del_comando(*r.chiave_treno, nome_treno);
    nomi_scrivibili(r, nome_linea, nome_treno);
    nomi_distinti(r, nome_treno);
}

void proteggi_sorgenti(const RichiestaCompila& r) {
    if (!r.scrivi) return;
    const std::string& linea = *r.chiave_linea;
    const std::string& treno = *r.chiave_treno;
    std::vector<std::string> uscite = {piattaforma::unisci(r.directory, nome_file_oggetti(linea, treno)),
                                       piattaforma::unisci(r.directory, nome_file_celle(linea, treno))};
    if (r.tracciato) uscite.push_back(piattaforma::unisci(r.directory, nome_file_tracciato(linea)));
    rifiuta_uscite_sulle_sorgenti(uscite, r.file);
}

// What was written and compiled, for standard output unless that holds the
// JSON diagnostics.
std::string riepilogo(const Modello& m, const Provenienze& p, const std::vector<std::string>& scritti, bool scrivi) {
    std::string testo;
    for (const std::string& percorso : scritti)
        testo += "wrote " + percorso + " (" + std::to_string(piattaforma::dimensione(percorso)) + " bytes)\n";
    testo += conteggi_compilazione(m, p) + "\n";
    if (!scrivi) testo += "nothing written (--check)\n";
    return testo;
}

int compila(const RichiestaCompila& r) {
    std::vector<SorgenteAutore> testi{{r.file[0], {}}, {r.file[1], {}}};
    std::vector<Diagnostica> illeggibili;
    for (SorgenteAutore& s : testi)
        if (std::optional<Diagnostica> d = leggi_sorgente(s)) illeggibili.push_back(std::move(*d));
    // JSON diagnostics are the output a program reads; the listing then goes to standard error.
    const bool json = r.resoconto.forma == FormaDiagnostiche::json;
    const auto diagnostiche = json ? piattaforma::scrivi_su_uscita : piattaforma::scrivi_su_errore;
    const auto elenco = json ? piattaforma::scrivi_su_errore : piattaforma::scrivi_su_uscita;
    if (!illeggibili.empty()) {
        diagnostiche(resoconto_diagnostiche(illeggibili, false, testi, r.resoconto));
        return USCITA_SCENARIO;
    }

    const SorgentiDescrizione sorgenti{testi[0].percorso, testi[1].percorso, testi[0].testo, testi[1].testo};
    const Compilazione c =
        compila(sorgenti, {.chiave_linea = *r.chiave_linea,
                           .chiave_treno = *r.chiave_treno,
                           .crea_tracciato = r.tracciato ? 1 : 0,
                           .lettura = {.tutti_gli_errori = true, .massimo_errori = r.resoconto.massimo_errori},
                           .forza = r.forza && r.scrivi});
    diagnostiche(resoconto_diagnostiche(c.diagnostiche.voci(), c.diagnostiche.troppi(), testi, r.resoconto));

    const OpzioniScrittura opzioni{.directory = r.directory, .scrivi = r.scrivi, .forza = r.forza};
    // A reserved field set is an error too, even when the list was full before it.
    const bool promossi = avvisi_promossi(c.diagnostiche.voci(), r.resoconto);
    const bool errore = c.diagnostiche.errori() != 0 || codice_riservato(c.diagnostiche) || promossi;
    if (da_scrivere(c, opzioni) && (!promossi || r.forza)) {
        prepara_cartella_uscita(r.directory);
        const piattaforma::BloccoDirectory blocco(r.directory, [&] { attesa_directory(r.directory); });
        elenco(riepilogo(c.modello, c.provenienze, scrivi_file_binari(c.modello, r.directory, r.sincronizza), true));
    } else if (!r.scrivi && !errore) {
        elenco(riepilogo(c.modello, c.provenienze, {}, false));
    }
    return errore ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

// --all DIR: the only line file in DIR, then every train file of its line
// there, in name order.
void trova_file(RichiestaCompila& r) {
    std::vector<std::string> nomi = piattaforma::elenca(*r.tutti);
    std::ranges::sort(nomi);
    std::optional<std::string> linea;
    for (const std::string& nome : nomi) {
        if (!chiave_linea_da_nome(nome)) continue;
        if (linea)
            throw ErroreUso("more than one line file (*_linea.txt) in " + controlli_visibili(*r.tutti) + ": " +
                                controlli_visibili(*linea) + " and " + controlli_visibili(nome),
                            false);
        linea = nome;
    }
    if (!linea) throw ErroreUso("no line file (*_linea.txt) in " + controlli_visibili(*r.tutti), false);
    const std::string chiave = r.chiave_linea.value_or(*chiave_linea_da_nome(*linea));
    r.file.push_back(piattaforma::unisci(*r.tutti, *linea));
    for (const std::string& nome : nomi)
        if (chiave_treno_da_nome(nome, chiave)) r.file.push_back(piattaforma::unisci(*r.tutti, nome));
    if (r.file.size() < 2)
        throw ErroreUso(
            "no train file (" + controlli_visibili(chiave) + "_TRAIN-.txt) in " + controlli_visibili(*r.tutti), false);
    if (r.file.size() > 2 && r.chiave_treno) throw ErroreUso("--train-key names one train; several are found");
}

// Two trains whose keys differ only in the case of letters would write the
// same files on the simulator's file system, each over the other's.
void rifiuta_chiave_ripetuta(const std::vector<TrenoDaCompilare>& gia, const TrenoDaCompilare& nuovo) {
    const auto uguale = std::ranges::find_if(
        gia, [&](const TrenoDaCompilare& t) { return uguali_senza_maiuscole(t.chiave, nuovo.chiave); });
    if (uguale == gia.end()) return;
    const std::string chiave = da_1252_a_utf8(nuovo.chiave);
    const std::string file = "'" + controlli_visibili(uguale->file) + "' and '" + controlli_visibili(nuovo.file) + "'";
    if (uguale->chiave == nuovo.chiave) throw ErroreUso("the train key '" + chiave + "' is given twice, by " + file);
    throw ErroreUso("the train keys '" + da_1252_a_utf8(uguale->chiave) + "' and '" + chiave + "' of " + file +
                    " differ only in the case of letters, and would name the same files on Windows: choose "
                    "keys that differ otherwise");
}

// Many trains: each one's keys told and checked as a compile of it alone
// would, then every output kept off every source and off the other trains'.
RichiestaTreni richiesta_treni(const RichiestaCompila& r) {
    RichiestaTreni treni{.file_linea = r.file[0],
                         .chiave_linea = {},
                         .treni = {},
                         .directory = r.directory,
                         .tracciato = r.tracciato,
                         .scrivi = r.scrivi,
                         .forza = r.forza,
                         .sincronizza = r.sincronizza,
                         .resoconto = r.resoconto};
    std::vector<std::string> uscite;
    for (size_t i = 1; i < r.file.size(); ++i) {
        RichiestaCompila una = r;
        una.file = {r.file[0], r.file[i]};
        risolvi_chiavi(una, true);
        treni.chiave_linea = *una.chiave_linea;
        rifiuta_chiave_ripetuta(treni.treni, {r.file[i], *una.chiave_treno});
        treni.treni.push_back({r.file[i], *una.chiave_treno});
        uscite.push_back(piattaforma::unisci(r.directory, nome_file_oggetti(*una.chiave_linea, *una.chiave_treno)));
        uscite.push_back(piattaforma::unisci(r.directory, nome_file_celle(*una.chiave_linea, *una.chiave_treno)));
    }
    if (r.tracciato) uscite.push_back(piattaforma::unisci(r.directory, nome_file_tracciato(treni.chiave_linea)));
    if (r.scrivi) rifiuta_uscite_sulle_sorgenti(uscite, r.file);
    return treni;
}

// `passo` with a file that cannot be read, written or listed turned into
// its message and the exit status.
int riportando_i_file(const auto& passo) {
    try {
        return passo();
    } catch (const piattaforma::ErroreFile& e) {
        piattaforma::scrivi_su_errore(std::string("compattatore compile: ") + e.what() + "\n");
        return USCITA_FILE;
    }
}

}  // namespace

int esegui_compila(std::span<const std::string_view> argomenti) {
    RichiestaCompila richiesta = leggi_argomenti(argomenti);
    if (richiesta.aiuto) return mostra_testo(AIUTO);
    // One train is the compile it always was, plan and all in one set.
    std::optional<RichiestaTreni> treni;
    const int preparata = riportando_i_file([&] {
        if (richiesta.tutti) trova_file(richiesta);  // a folder that cannot be listed is status 3
        if (richiesta.file.size() > 2) {
            treni = richiesta_treni(richiesta);
        } else {
            risolvi_chiavi(richiesta);
            proteggi_sorgenti(richiesta);
        }
        return USCITA_RIUSCITA;
    });
    if (preparata != USCITA_RIUSCITA) return preparata;
    const auto una_volta = [&] {
        return riportando_i_file([&] { return treni ? compila_treni(*treni) : compila(richiesta); });
    };
    if (richiesta.sorveglia) return compila_sorvegliando(richiesta.file, una_volta);
    return una_volta();
}

}  // namespace compattatore
