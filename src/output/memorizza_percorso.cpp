#include "output/memorizza_percorso.h"

#include "compiler/nomi_file.h"
#include "output/campi_riservati.h"
#include "output/file_binari.h"
#include "platform/file.h"

#include <memory>
#include <string_view>

namespace compattatore {

namespace {

constexpr int32_t ERRORE_LETTURA = 25;

}  // namespace

EsitoPercorso compila_percorso(Modello& m, int32_t crea_tracciato, const SorgentiDescrizione& sorgenti) {
    m.stato.crea_tracciato = crea_tracciato;
    m.stato.codice_errore = 0;
    m.oggetti = TabellaOggetti{};
    memorizza_dati(m, sorgenti);
    return completa_percorso(m);
}

EsitoPercorso completa_percorso(Modello& m) {
    EsitoPercorso esito;
    esito.celle_create = m.celle.size() > 1;
    if (!esito.celle_create && m.stato.codice_errore == 0) {
        // A reader that ends without a cell array has always recorded why;
        // should it not, the run must still not pass for a success.
        m.stato.codice_errore = ERRORE_LETTURA;
        if (m.stato.dettaglio.motivo.empty()) m.stato.dettaglio.motivo = "the line has no cell 1";
    }
    esito.codice_lettura = m.stato.codice_errore;
    esito.posizione_lettura = m.stato.posizione_errore;
    if (!esito.celle_create) return esito;

    m.stato.codice_errore = 0;
    esito.avvisi = rifinisci_celle(m);
    if (m.stato.codice_errore == 0) {
        // The model keeps the reader's code when the pass recorded none.
        m.stato.codice_errore = esito.codice_lettura;
        m.stato.posizione_errore = esito.posizione_lettura;
    }
    esito.codice_riservato = controlla_e_timbra(m);
    return esito;
}

bool da_scrivere(const EsitoPercorso& esito, const OpzioniScrittura& opzioni) {
    return opzioni.scrivi && esito.celle_create && esito.codice_riservato == 0 &&
           (esito.codice_lettura == 0 || opzioni.forza);
}

namespace {

class DestinazioneFile final : public Destinazione {
public:
    explicit DestinazioneFile(piattaforma::FileNuovo& file) : file_(file) {}
    void ricevi(std::string_view byte) override { file_.scrivi(byte); }

private:
    piattaforma::FileNuovo& file_;
};

}  // namespace

std::vector<std::string> scrivi_file_binari(const Modello& m, const std::string& directory, bool sincronizza) {
    const std::string& linea = m.stato.chiave_linea;
    const std::string& treno = m.stato.chiave_treno;
    std::vector<std::unique_ptr<piattaforma::FileNuovo>> nuovi;
    auto scrivi = [&](const std::string& nome, auto codifica) {
        auto& file = nuovi.emplace_back(std::make_unique<piattaforma::FileNuovo>(piattaforma::unisci(directory, nome)));
        DestinazioneFile destinazione(*file);
        codifica(destinazione);
        file->chiudi(sincronizza);
    };
    if (m.stato.crea_tracciato != 0)
        scrivi(nome_file_tracciato(linea), [&](Destinazione& d) { scrivi_tracciato(d, m.tracciato); });
    scrivi(nome_file_oggetti(linea, treno), [&](Destinazione& d) { scrivi_oggetti(d, m.oggetti); });
    scrivi(nome_file_celle(linea, treno), [&](Destinazione& d) { scrivi_celle(d, m.celle); });

    std::vector<std::string> scritti;
    for (auto& file : nuovi) {
        file->rinomina();
        scritti.push_back(file->percorso());
    }
    if (sincronizza) piattaforma::sincronizza_directory(directory.empty() ? "." : directory);
    return scritti;
}

EsitoPercorso memorizza_percorso(Modello& m, int32_t crea_tracciato, const SorgentiDescrizione& sorgenti,
                                 const OpzioniScrittura& opzioni) {
    EsitoPercorso esito = compila_percorso(m, crea_tracciato, sorgenti);
    if (da_scrivere(esito, opzioni)) esito.file_scritti = scrivi_file_binari(m, opzioni.directory, opzioni.sincronizza);
    return esito;
}

}  // namespace compattatore
