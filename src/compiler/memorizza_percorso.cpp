#include "compiler/memorizza_percorso.h"

#include "format/file_binari.h"
#include "format/scrittore_le.h"
#include "model/nomi_file.h"
#include "platform/file.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

namespace compattatore {

bool da_scrivere(const Compilazione& c, const OpzioniScrittura& opzioni) {
    return opzioni.scrivi && c.modello.celle.size() > 1 && !codice_riservato(c.diagnostiche) &&
           (c.diagnostiche.errori() == 0 || opzioni.forza);
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

    std::vector<piattaforma::FileNuovo*> insieme;
    std::vector<std::string> scritti;
    for (auto& file : nuovi) {
        insieme.push_back(file.get());
        scritti.push_back(file->percorso());
    }
    piattaforma::rinomina_insieme(insieme, sincronizza);
    return scritti;
}

FileTreno codifica_file_treno(const Modello& m) {
    return {nome_file_oggetti(m.stato.chiave_linea, m.stato.chiave_treno), codifica_oggetti(m.oggetti),
            nome_file_celle(m.stato.chiave_linea, m.stato.chiave_treno), codifica_celle(m.celle)};
}

FileTrenoPreparati::FileTrenoPreparati(const FileTreno& file, const std::string& directory, bool sincronizza)
    : oggetti_(piattaforma::unisci(directory, file.nome_oggetti)),
      celle_(piattaforma::unisci(directory, file.nome_celle)),
      sincronizza_(sincronizza) {
    oggetti_.scrivi(file.oggetti);
    oggetti_.chiudi(sincronizza);
    celle_.scrivi(file.celle);
    celle_.chiudi(sincronizza);
}

std::vector<std::string> FileTrenoPreparati::metti_al_posto() {
    piattaforma::FileNuovo* insieme[] = {&oggetti_, &celle_};
    piattaforma::rinomina_insieme(insieme, sincronizza_);
    return {oggetti_.percorso(), celle_.percorso()};
}

namespace {

// Bytes handed on to the file, and compared with what the file already at
// the place holds at the same offsets.
class DestinazioneConfrontata final : public Destinazione {
public:
    DestinazioneConfrontata(Destinazione& file, const piattaforma::FileInLettura* vecchio, uint64_t posizione,
                            bool& diverso, uint64_t& fine)
        : file_(file), vecchio_(vecchio), posizione_(posizione), diverso_(diverso), fine_(fine) {}
    void ricevi(std::string_view byte) override {
        file_.ricevi(byte);
        if (!diverso_) diverso_ = vecchio_ == nullptr || vecchio_->leggi_da(posizione_, byte.size()) != byte;
        posizione_ += byte.size();
        fine_ = std::max(fine_, posizione_);
    }

private:
    Destinazione& file_;
    const piattaforma::FileInLettura* vecchio_;
    uint64_t posizione_;
    bool& diverso_;
    uint64_t& fine_;
};

}  // namespace

TracciatoPreparato::TracciatoPreparato(const Modello& m, const std::string& directory, bool sincronizza)
    : percorso_(piattaforma::unisci(directory, nome_file_tracciato(m.stato.chiave_linea))),
      file_(std::make_unique<piattaforma::FileNuovo>(percorso_)),
      sincronizza_(sincronizza) {
    // Anything there that cannot be read as a file (a directory, say) is
    // different, and putting the plan in place then says why it cannot.
    std::optional<piattaforma::FileInLettura> vecchio;
    try {
        if (piattaforma::esiste(percorso_)) vecchio.emplace(percorso_);
    } catch (const piattaforma::ErroreFile&) {
        vecchio.reset();
    }
    const uint64_t inizio_colonna1 = byte_colonna_tracciato(m.tracciato);
    bool diverso = false;
    uint64_t fine = 0;
    DestinazioneFile colonna0(*file_), colonna1(*file_, inizio_colonna1);
    const piattaforma::FileInLettura* confronto = vecchio ? &*vecchio : nullptr;
    DestinazioneConfrontata confrontata0(colonna0, confronto, 0, diverso, fine);
    DestinazioneConfrontata confrontata1(colonna1, confronto, inizio_colonna1, diverso, fine);
    scrivi_tracciato(confrontata0, confrontata1, m.tracciato);
    // No file there is a change even when no byte was laid out.
    cambiato_ = diverso || !vecchio || fine != vecchio->dimensione();
    file_->chiudi(sincronizza);
}

TracciatoPreparato::~TracciatoPreparato() = default;

bool TracciatoPreparato::metti_al_posto() {
    if (!cambiato_) return false;
    piattaforma::FileNuovo* insieme[] = {file_.get()};
    piattaforma::rinomina_insieme(insieme, sincronizza_);
    return true;
}

PercorsoMemorizzato memorizza_percorso(const OpzioniCompilazione& compilazione, const FileDescrizione& file,
                                       const OpzioniScrittura& opzioni) {
    PercorsoMemorizzato r{.compilazione = inizia_compilazione(compilazione), .file_scritti = {}};
    Compilazione& c = r.compilazione;
    EsitoLettura letto = memorizza_dati_da_file(c.modello, file);
    completa_compilazione(c, std::move(letto), opzioni.forza && opzioni.scrivi);
    if (da_scrivere(c, opzioni)) r.file_scritti = scrivi_file_binari(c.modello, opzioni.directory, opzioni.sincronizza);
    return r;
}

}  // namespace compattatore
