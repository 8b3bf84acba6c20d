#include "cli/file_compilati.h"
#include "platform/flussi_standard.h"

#include <algorithm>
#include <cerrno>

#include "cli/cartella_uscita.h"
#include "cli/errore_uso.h"
#include "cli/scenario.h"
#include "cli/stato_uscita.h"
#include "model/nomi_file.h"
#include "model/testo_1252.h"
#include "platform/file.h"

namespace compattatore {

namespace {

// A compiled file on disk, open from the start so that a missing or
// unreadable one is told before any is decoded.
class FileSuDisco : public FileCompilato {
public:
    FileSuDisco(const std::string& directory, const std::string& nome) : file_(piattaforma::unisci(directory, nome)) {}
    const std::string& nome() const override { return file_.percorso(); }
    uint64_t dimensione() const override { return file_.dimensione(); }
    std::string leggi(uint64_t massimo) const override { return file_.leggi(massimo); }

private:
    piattaforma::FileInLettura file_;
};

// The keys of every *.sim file in `directory`, in name order, provided each
// names its own file; none when one cannot be read or names another, or the
// directory cannot be listed (and then the files are for
// leggi_file_compilati to find or refuse as it does).
std::vector<ChiaviScenario> treni_compilati(const std::string& directory) {
    std::vector<std::string> oggetti;
    std::vector<ChiaviScenario> treni;
    try {
        for (const std::string& nome : piattaforma::elenca(directory))
            if (nome.ends_with(".sim")) oggetti.push_back(nome);
        std::ranges::sort(oggetti);
        for (const std::string& nome : oggetti) {
            const FileSuDisco file(directory, nome);
            const TabellaOggetti tabella = leggi_oggetti(file);
            ChiaviScenario chiavi{tabella[OGGETTO_LINEA].nome, tabella[OGGETTO_TRENO].nome};
            if (nome_file_oggetti(chiavi.linea, chiavi.treno) != nome) return {};
            treni.push_back(std::move(chiavi));
        }
    } catch (const ErroreDecodifica&) {
        return {};
    } catch (const piattaforma::ErroreFile&) {
        return {};
    }
    return treni;
}

// The lines of `treni`, each once, in the trains' order.
std::vector<std::string> linee_di(const std::vector<ChiaviScenario>& treni) {
    std::vector<std::string> linee;
    for (const ChiaviScenario& t : treni)
        if (std::ranges::find(linee, t.linea) == linee.end()) linee.push_back(t.linea);
    return linee;
}

// Keys as the user spells them, "A, B, C".
std::string elenco_chiavi(const std::vector<std::string>& chiavi) {
    std::string elenco;
    for (const std::string& chiave : chiavi) {
        if (!elenco.empty()) elenco += ", ";
        elenco += controlli_visibili(da_1252_a_utf8(chiave));
    }
    return elenco;
}

// Trains of several lines in `directory` and no key that tells which line is
// meant.
ErroreUso linee_da_scegliere(const std::string& directory, const std::vector<std::string>& linee,
                             const std::string& rimedio) {
    return ErroreUso(controlli_visibili(directory) + " holds trains of the lines " + elenco_chiavi(linee) +
                         ": choose one with " + rimedio,
                     false);
}

// The trains of `linea` among `treni`.
std::vector<ChiaviScenario> della_linea(std::vector<ChiaviScenario> treni, const std::string& linea) {
    std::erase_if(treni, [&](const ChiaviScenario& t) { return t.linea != linea; });
    return treni;
}

bool oggetti_della_build(const std::string& directory) {
    return piattaforma::esiste(piattaforma::unisci(directory, nome_file_oggetti(CHIAVE_LINEA, CHIAVE_TRENO)));
}

// The keys a lone *.sim file holds in records 85 and 86, provided they
// name that very file; none when there is no *.sim file at all. Several
// trains are refused with the key that tells them apart.
std::optional<ChiaviScenario> chiavi_dall_unico_sim(const std::string& directory) {
    std::vector<std::string> oggetti;
    for (const std::string& nome : piattaforma::elenca(directory)) {
        if (nome.ends_with(".sim")) oggetti.push_back(nome);
    }
    if (oggetti.empty()) return std::nullopt;
    if (oggetti.size() > 1) {
        if (const std::vector<ChiaviScenario> treni = treni_compilati(directory); !treni.empty()) {
            const std::vector<std::string> linee = linee_di(treni);
            if (linee.size() > 1) throw linee_da_scegliere(directory, linee, "--line-key and a train with --train-key");
            throw ErroreUso(controlli_visibili(directory) + " holds " + std::to_string(treni.size()) +
                                " trains of the line " + elenco_chiavi(linee) + ": name one with --train-key",
                            false);
        }
        throw ErroreUso("more than one *.sim file in " + directory + ": name the keys with --line-key and --train-key",
                        false);
    }
    const FileSuDisco file(directory, oggetti.front());
    const TabellaOggetti tabella = leggi_oggetti(file);
    ChiaviScenario chiavi{tabella[OGGETTO_LINEA].nome, tabella[OGGETTO_TRENO].nome};
    if (nome_file_oggetti(chiavi.linea, chiavi.treno) != oggetti.front()) {
        throw ErroreUso(
            "the keys held by " + file.nome() + " do not name it: give them with --line-key and --train-key", false);
    }
    return chiavi;
}

// The keys leggi_file_compilati reads.
ChiaviScenario chiavi_richieste(const RichiestaFile& richiesta) {
    const std::string& directory = richiesta.directory;
    ChiaviScenario chiavi{richiesta.linea.value_or(CHIAVE_LINEA), richiesta.treno.value_or(CHIAVE_TRENO)};
    if (!richiesta.linea && !richiesta.treno && !oggetti_della_build(directory)) {
        const std::optional<ChiaviScenario> trovate = chiavi_dall_unico_sim(directory);
        if (!trovate) throw piattaforma::ErroreFile("no compiled scenario (*.sim file) found in", directory, ENOENT);
        chiavi = *trovate;
    }
    return chiavi;
}

// Every train of the line a command without --train-key looks at: the line
// --line-key names, else the build's when its train's object file is there
// (as for leggi_file_compilati), else the one line compiled in the
// directory. Trains of several lines and none of these is refused.
std::vector<ChiaviScenario> treni_della_linea_scelta(const RichiestaFile& richiesta) {
    std::vector<ChiaviScenario> treni = treni_compilati(richiesta.directory);
    if (richiesta.linea) return della_linea(std::move(treni), *richiesta.linea);
    if (oggetti_della_build(richiesta.directory)) return della_linea(std::move(treni), CHIAVE_LINEA);
    const std::vector<std::string> linee = linee_di(treni);
    if (linee.size() > 1) throw linee_da_scegliere(richiesta.directory, linee, "--line-key");
    return treni;
}

}  // namespace

void linea_del_treno(RichiestaFile& richiesta) {
    if (!richiesta.treno || richiesta.linea) return;
    std::vector<ChiaviScenario> treni = treni_compilati(richiesta.directory);
    std::erase_if(treni, [&](const ChiaviScenario& t) { return t.treno != *richiesta.treno; });
    const std::vector<std::string> linee = linee_di(treni);
    if (linee.size() == 1) richiesta.linea = linee.front();
    if (linee.size() < 2) return;
    // Trains of that key on several lines: the build's line is meant when
    // its train is there, as for keys not given at all.
    if (!oggetti_della_build(richiesta.directory) || std::ranges::find(linee, CHIAVE_LINEA) == linee.end())
        throw linee_da_scegliere(richiesta.directory, linee, "--line-key");
    richiesta.linea = CHIAVE_LINEA;
}

std::vector<ChiaviScenario> treni_richiesti(const RichiestaFile& richiesta) {
    std::vector<ChiaviScenario> treni;
    if (!richiesta.treno) treni = treni_della_linea_scelta(richiesta);
    if (treni.empty()) treni.push_back(chiavi_richieste(richiesta));
    return treni;
}

std::vector<ChiaviScenario> treni_della_linea(const RichiestaFile& richiesta) {
    if (richiesta.treno) return {};
    std::vector<ChiaviScenario> treni = treni_della_linea_scelta(richiesta);
    if (treni.size() < 2) treni.clear();
    return treni;
}

std::string nota_altri_treni(const std::string& comando, const RichiestaFile& richiesta, const ChiaviScenario& letto) {
    if (richiesta.treno) return "";
    const std::vector<ChiaviScenario> treni = della_linea(treni_compilati(richiesta.directory), letto.linea);
    if (treni.size() < 2) return "";
    std::vector<std::string> altri;
    for (const ChiaviScenario& t : treni)
        if (t.treno != letto.treno) altri.push_back(t.treno);
    // A long line's trains would not fit one line of the terminal.
    constexpr size_t MASSIMO_NOMINATI = 5;
    std::string nominati;
    if (altri.size() > MASSIMO_NOMINATI) {
        nominati = ", " + std::to_string(altri.size() - MASSIMO_NOMINATI) + " more";
        altri.resize(MASSIMO_NOMINATI);
    }
    nominati = elenco_chiavi(altri) + nominati;
    return "compattatore " + comando + ": " + controlli_visibili(richiesta.directory) + " holds " +
           std::to_string(treni.size()) + " trains of the line " + elenco_chiavi({letto.linea}) +
           "; --train-key TRAIN shows another (" + nominati + ")\n";
}

OggettiTreno leggi_oggetti_treno(const std::string& directory, const ChiaviScenario& chiavi) {
    const FileSuDisco file(directory, nome_file_oggetti(chiavi.linea, chiavi.treno));
    OggettiTreno letti;
    letti.scenario.oggetti = leggi_oggetti(file);
    letti.letto = file.nome();
    return letti;
}

namespace {

FileCompilati leggi_treno(const std::string& directory, const ChiaviScenario& chiavi, bool con_tracciato) {
    const FileSuDisco oggetti(directory, nome_file_oggetti(chiavi.linea, chiavi.treno));
    const FileSuDisco celle(directory, nome_file_celle(chiavi.linea, chiavi.treno));
    std::optional<FileSuDisco> tracciato;
    const std::string nome_tracciato = nome_file_tracciato(chiavi.linea);
    if (con_tracciato && piattaforma::esiste(piattaforma::unisci(directory, nome_tracciato)))
        tracciato.emplace(directory, nome_tracciato);
    std::vector<std::string> letti{oggetti.nome(), celle.nome()};
    if (tracciato) letti.push_back(tracciato->nome());
    ScenarioCompilato scenario = leggi_scenario(oggetti, celle, tracciato ? &*tracciato : nullptr);
    return {chiavi, std::move(scenario), std::move(letti)};
}

}  // namespace

FileCompilati leggi_file_compilati(const RichiestaFile& richiesta) {
    return leggi_treno(richiesta.directory, chiavi_richieste(richiesta), true);
}

std::vector<FileCompilati> leggi_treni_compilati(const std::string& directory,
                                                 const std::vector<ChiaviScenario>& treni) {
    std::vector<FileCompilati> letti;
    letti.reserve(treni.size());
    for (const ChiaviScenario& chiavi : treni) letti.push_back(leggi_treno(directory, chiavi, letti.empty()));
    return letti;
}

std::string percorso_prodotto(const std::optional<std::string>& uscita, const std::string& predefinito,
                              const std::vector<std::string>& letti) {
    std::string percorso = uscita.value_or(predefinito);
    for (const std::string& letto : letti) {
        if (!piattaforma::stesso_file(percorso, letto)) continue;
        std::string motivo = "the output " + percorso;
        motivo += " is " + letto;
        motivo += ", a file it is made from";
        throw ErroreUso(motivo, false);
    }
    return percorso;
}

int consegna(const std::optional<std::string>& uscita, const std::string& predefinito,
             const std::vector<std::string>& letti, const std::function<std::string()>& prodotto,
             const std::string& nota) {
    if (uscita == "-") {
        piattaforma::scrivi_su_uscita(prodotto());
        piattaforma::scrivi_su_errore(nota);
        return USCITA_RIUSCITA;
    }
    const std::string percorso = percorso_prodotto(uscita, predefinito, letti);
    if (uscita) prepara_cartella_uscita(piattaforma::directory_di(percorso));
    piattaforma::sostituisci(percorso, prodotto());
    piattaforma::scrivi_su_uscita(nota + "wrote " + percorso + "\n");
    return USCITA_RIUSCITA;
}

int consegna_prodotto(const std::optional<std::string>& uscita, const RichiestaFile& richiesta,
                      const FileCompilati& file, const std::string& estensione,
                      const std::function<std::string()>& prodotto, const std::string& nota) {
    return consegna(
        uscita,
        piattaforma::unisci(richiesta.directory, nome_file_scenario(file.chiavi.linea, file.chiavi.treno, estensione)),
        file.letti, prodotto, nota);
}

int con_lettura(const std::string& comando, const std::function<int()>& azione) {
    const std::string prefisso = "compattatore " + comando + ": ";
    try {
        return azione();
    } catch (const ErroreDecodifica& e) {
        piattaforma::scrivi_su_errore(prefisso + e.what() + "\n");
        return USCITA_SCENARIO;
    } catch (const piattaforma::ErroreFile& e) {
        piattaforma::scrivi_su_errore(prefisso + e.what() + "\n");
        return USCITA_FILE;
    }
}

int con_file_compilati(const RichiestaFile& richiesta, const std::string& comando,
                       const std::function<int(const FileCompilati&)>& azione) {
    return con_lettura(comando, [&] { return azione(leggi_file_compilati(richiesta)); });
}

}  // namespace compattatore
