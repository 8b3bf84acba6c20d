#include "support/giro_completo.h"

#include <string_view>

#include "compiler/compila.h"
#include "documents/scrivi_righe.h"
#include "format/file_binari.h"
#include "model/nomi_file.h"
#include "support/diagnostiche_prova.h"

namespace compattatore::prova {

FileBinari compila_testi(const std::string& linea, const std::string& treno, bool tracciato,
                         const ChiaviScenario& chiavi) {
    const SorgentiDescrizione sorgenti{nome_descrizione_linea(chiavi.linea),
                                       nome_descrizione_treno(chiavi.linea, chiavi.treno), linea, treno};
    OpzioniCompilazione opzioni;
    opzioni.chiave_linea = chiavi.linea;
    opzioni.chiave_treno = chiavi.treno;
    opzioni.crea_tracciato = tracciato ? 1 : 0;
    const Compilazione c = compila(sorgenti, opzioni);
    const Modello& m = c.modello;
    FileBinari file;
    const int32_t lettura = codice_lettura(c.diagnostiche);
    file.codice = lettura != 0 ? lettura : codice_riservato(c.diagnostiche).value_or(0);
    const std::vector<Diagnostica> visibili = mostrate(c.diagnostiche);
    file.diagnostiche = visibili.size();
    for (const Diagnostica& d : visibili)
        file.motivi += d.file + ":" + std::to_string(d.luogo.riga) + ": " + d.motivo + "\n";
    for (int32_t codice : codici_finitura(c.diagnostiche)) file.avvisi.push_back(std::to_string(codice));
    if (m.celle.size() <= 1) return file;
    if (tracciato) file.tracciato = codifica_tracciato(m.tracciato);
    file.oggetti = codifica_oggetti(m.oggetti);
    file.celle = codifica_celle(m.celle);
    return file;
}

ScenarioCompilato decodifica(const FileBinari& file, const ChiaviScenario& chiavi) {
    std::optional<ImmagineFile> tracciato;
    if (file.tracciato) tracciato = ImmagineFile{nome_file_tracciato(chiavi.linea), *file.tracciato};
    return decodifica_scenario({nome_file_oggetti(chiavi.linea, chiavi.treno), file.oggetti},
                               {nome_file_celle(chiavi.linea, chiavi.treno), file.celle}, tracciato);
}

std::string testo_di(const std::vector<std::string>& righe) {
    std::vector<std::string_view> tabella(righe.begin(), righe.end());
    return testo_righe(tabella);
}

Giro giro(const FileBinari& file, const ChiaviScenario& chiavi) {
    Giro g;
    g.sorgenti = decompila(decodifica(file, chiavi), chiavi);
    g.ricompilati =
        compila_testi(testo_di(g.sorgenti.linea), testo_di(g.sorgenti.treno), file.tracciato.has_value(), chiavi);
    return g;
}

::testing::AssertionResult giro_esatto(const FileBinari& file, const ChiaviScenario& chiavi) {
    const Giro g = giro(file, chiavi);
    if (!g.sorgenti.scostamenti.empty()) {
        std::string elenco;
        for (const Scostamento& s : g.sorgenti.scostamenti) elenco += s.file + ": " + s.dove + ": " + s.motivo + "\n";
        return ::testing::AssertionFailure() << "places reported:\n" << elenco;
    }
    const FileBinari& r = g.ricompilati;
    if (r.codice != 0) return ::testing::AssertionFailure() << "the written description gives code " << r.codice;
    if (file.diagnostiche == 0 && r.diagnostiche != 0)
        return ::testing::AssertionFailure()
               << "the written description draws " << r.diagnostiche << " diagnostics where the scenario drew none:\n"
               << r.motivi << testo_di(g.sorgenti.linea) << testo_di(g.sorgenti.treno);
    if (r.oggetti != file.oggetti) return ::testing::AssertionFailure() << "the object file differs";
    if (r.celle != file.celle) return ::testing::AssertionFailure() << "the cell file differs";
    if (r.tracciato != file.tracciato) return ::testing::AssertionFailure() << "the plan file differs";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult giro_esatto_se_pulito(const std::string& linea, const std::string& treno, bool tracciato) {
    const ChiaviScenario chiavi{std::string(1, 'L'), std::string(1, 'T')};
    const FileBinari file = compila_testi(linea, treno, tracciato, chiavi);
    if (file.codice != 0) return ::testing::AssertionSuccess();
    return giro_esatto(file, chiavi) << "\nline description:\n" << linea << "train description:\n" << treno;
}

}  // namespace compattatore::prova
