#include "compiler/memorizza_percorso.h"

#include "compiler/campi_riservati.h"
#include "compiler/codici_errore.h"
#include "format/file_binari.h"
#include "model/nomi_file.h"
#include "platform/file.h"

#include <memory>
#include <optional>
#include <string_view>

namespace compattatore {

namespace {

// A finishing warning at the record whose object it concerns, with that
// record's position and the cell the code concerns.
Diagnostica diagnostica_finitura(const AvvisoFinitura& a, const Provenienze& provenienze) {
    Diagnostica d = crea_errore(a.codice, {}, {}, {});
    d.livello = Livello::avviso;
    d.cella = a.cella;
    if (const Provenienza* p = provenienze.di(a.oggetto)) {
        d.file = p->file;
        d.luogo = p->luogo;
        d.posizione = p->posizione;
    }
    return d;
}

// A reserved field set: where cell 1's object came from, when one is known.
Diagnostica diagnostica_riservata(int32_t codice, const Provenienze& provenienze) {
    Diagnostica d = crea_errore(codice, {}, {}, {});
    if (const Provenienza* p = provenienze.di(1)) {
        d.file = p->file;
        d.luogo = p->luogo;
        d.posizione = p->posizione;
    }
    return d;
}

// Before reading: the plan flag stored, no error, the object table cleared.
void prepara(Modello& m, int32_t crea_tracciato) {
    m.stato.crea_tracciato = crea_tracciato;
    m.stato.codice_errore = 0;
    m.stato.posizione_errore = 0;
    m.oggetti = TabellaOggetti{};
}

}  // namespace

EsitoPercorso compila_percorso(Modello& m, int32_t crea_tracciato, const SorgentiDescrizione& sorgenti,
                               const OpzioniLettura& lettura) {
    prepara(m, crea_tracciato);
    EsitoLettura letto = memorizza_dati(m, sorgenti, lettura);
    return completa_percorso(m, std::move(letto));
}

EsitoPercorso completa_percorso(Modello& m, EsitoLettura letto) {
    EsitoPercorso esito;
    esito.diagnostiche = std::move(letto.diagnostiche);
    esito.provenienze = std::move(letto.provenienze);
    esito.celle_create = m.celle.size() > 1;
    if (!esito.celle_create && m.stato.codice_errore == 0) {
        // A reader that ends without a cell array has always recorded why;
        // should it not, the run must still not pass for a success.
        m.stato.codice_errore = ERRORE_LETTURA;
        esito.diagnostiche.aggiungi(crea_errore(ERRORE_LETTURA, {}, {}, "the line has no cell 1"));
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
    // After a reading error the model is incomplete, and what the pass
    // finds in it says nothing the author can act on.
    if (esito.codice_lettura == 0)
        for (const AvvisoFinitura& a : esito.avvisi)
            esito.diagnostiche.aggiungi(diagnostica_finitura(a, esito.provenienze));
    esito.codice_riservato = controlla_e_timbra(m);
    if (esito.codice_riservato != 0)
        esito.diagnostiche.aggiungi(diagnostica_riservata(esito.codice_riservato, esito.provenienze));
    return esito;
}

bool da_scrivere(const EsitoPercorso& esito, const OpzioniScrittura& opzioni) {
    return opzioni.scrivi && esito.celle_create && esito.codice_riservato == 0 &&
           (esito.codice_lettura == 0 || opzioni.forza);
}

namespace {

// Bytes go on at the end of what the file holds, or from `posizione` on when
// one is given (the plan's second column, written beside the first).
class DestinazioneFile final : public Destinazione {
public:
    explicit DestinazioneFile(piattaforma::FileNuovo& file, std::optional<uint64_t> posizione = std::nullopt)
        : file_(file), posizione_(posizione) {}
    void ricevi(std::string_view byte) override {
        if (!posizione_) return file_.scrivi(byte);
        file_.scrivi_da(*posizione_, byte);
        *posizione_ += byte.size();
    }

private:
    piattaforma::FileNuovo& file_;
    std::optional<uint64_t> posizione_;
};

}  // namespace

std::vector<std::string> scrivi_file_binari(const Modello& m, const std::string& directory, bool sincronizza) {
    const std::string& linea = m.stato.chiave_linea;
    const std::string& treno = m.stato.chiave_treno;
    std::vector<std::unique_ptr<piattaforma::FileNuovo>> nuovi;
    auto scrivi = [&](const std::string& nome, auto codifica) {
        auto& file = nuovi.emplace_back(std::make_unique<piattaforma::FileNuovo>(piattaforma::unisci(directory, nome)));
        codifica(*file);
        file->chiudi(sincronizza);
    };
    if (m.stato.crea_tracciato != 0)
        scrivi(nome_file_tracciato(linea), [&](piattaforma::FileNuovo& file) {
            DestinazioneFile colonna0(file), colonna1(file, byte_colonna_tracciato(m.tracciato));
            scrivi_tracciato(colonna0, colonna1, m.tracciato);
        });
    scrivi(nome_file_oggetti(linea, treno), [&](piattaforma::FileNuovo& file) {
        DestinazioneFile destinazione(file);
        scrivi_oggetti(destinazione, m.oggetti);
    });
    scrivi(nome_file_celle(linea, treno), [&](piattaforma::FileNuovo& file) {
        DestinazioneFile destinazione(file);
        scrivi_celle(destinazione, m.celle);
    });

    std::vector<std::string> scritti;
    for (auto& file : nuovi) {
        file->rinomina();
        scritti.push_back(file->percorso());
    }
    if (sincronizza) piattaforma::sincronizza_directory(directory.empty() ? "." : directory);
    return scritti;
}

EsitoPercorso memorizza_percorso(Modello& m, int32_t crea_tracciato, const FileDescrizione& file,
                                 const OpzioniScrittura& opzioni) {
    prepara(m, crea_tracciato);
    EsitoPercorso esito = completa_percorso(m, memorizza_dati_da_file(m, file));
    if (da_scrivere(esito, opzioni)) esito.file_scritti = scrivi_file_binari(m, opzioni.directory, opzioni.sincronizza);
    return esito;
}

}  // namespace compattatore
