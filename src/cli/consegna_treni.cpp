#include "cli/consegna_treni.h"

#include <utility>

#include "platform/file.h"

namespace compattatore {

namespace {

// At most this many trains have their files written before the plan is in
// place, each holding its two temporaries open meanwhile; those ready after
// them keep their bytes until it is, so that a long timetable holds no more
// files open than the system allows.
constexpr size_t PREPARATI_IN_ATTESA = 32;

}  // namespace

ConsegnaTreni::ConsegnaTreni(size_t treni, std::string directory, bool con_tracciato, bool sincronizza)
    : directory_(std::move(directory)),
      sincronizza_(sincronizza),
      treni_(treni),
      tracciato_atteso_(con_tracciato),
      tracciato_al_posto_(!con_tracciato) {}

void ConsegnaTreni::prepara(Treno& t) {
    try {
        t.preparati = std::make_unique<FileTrenoPreparati>(*t.file, directory_, sincronizza_);
    } catch (const piattaforma::ErroreFile& e) {
        t.guasto = e.what();
    }
    t.file.reset();
}

void ConsegnaTreni::poni(size_t i) {
    Treno& t = treni_[i];
    if (t.file) prepara(t);
    if (!t.preparati) return;
    try {
        std::string scritti;
        for (const std::string& p : t.preparati->metti_al_posto())
            scritti += (scritti.empty() ? "; wrote " : ", ") + p + " (" + std::to_string(piattaforma::dimensione(p)) +
                       " bytes)";
        t.scritti = std::move(scritti);
    } catch (const piattaforma::ErroreFile& e) {
        t.guasto = e.what();
    }
    t.preparati.reset();
}

void ConsegnaTreni::metti_tracciato() {
    try {
        const bool scritto = tracciato_->metti_al_posto();
        riga_tracciato_ = (scritto ? "wrote " : "kept ") + tracciato_->percorso() + " (" +
                          std::to_string(piattaforma::dimensione(tracciato_->percorso())) + " bytes" +
                          (scritto ? ")\n" : ", unchanged)\n");
    } catch (const piattaforma::ErroreFile&) {
        guasto_ = std::current_exception();
        rinuncia();
        return;
    }
    tracciato_.reset();
    tracciato_al_posto_ = true;
    da_porre_.insert(da_porre_.end(), in_attesa_.begin(), in_attesa_.end());
    in_attesa_.clear();
}

void ConsegnaTreni::rinuncia() {
    for (const size_t i : in_attesa_) {
        treni_[i].preparati.reset();
        treni_[i].file.reset();
    }
    in_attesa_.clear();
    tracciato_.reset();
}

void ConsegnaTreni::tracciato_pronto(std::unique_ptr<TracciatoPreparato> tracciato, std::exception_ptr guasto) {
    const std::scoped_lock blocco(mutex_);
    tracciato_atteso_ = false;
    tracciato_ = std::move(tracciato);
    guasto_ = std::move(guasto);
    if (guasto_)
        rinuncia();
    else if (!in_attesa_.empty())
        metti_tracciato();
    cambiato_.notify_all();
}

void ConsegnaTreni::treno_pronto(size_t i, FileTreno file) {
    Treno& t = treni_[i];
    t.file = std::move(file);
    bool scrivi_ora = false;
    {
        const std::scoped_lock blocco(mutex_);
        if (guasto_) {
            t.file.reset();
            return;
        }
        scrivi_ora = tracciato_al_posto_ || scritti_prima_ < PREPARATI_IN_ATTESA;
        if (scrivi_ora && !tracciato_al_posto_) ++scritti_prima_;
    }
    // The writing itself, the longer part, while the other threads go on.
    if (scrivi_ora) prepara(t);
    {
        const std::scoped_lock blocco(mutex_);
        if (guasto_) {
            t.preparati.reset();
            t.file.reset();
            return;
        }
        if (!tracciato_al_posto_) {
            // Even a train whose files could not be written counts as one to
            // be written: the plan goes in place for it, and its own failure
            // is reported with the others'.
            in_attesa_.push_back(i);
            if (!tracciato_atteso_) metti_tracciato();
            cambiato_.notify_all();
            if (!tracciato_al_posto_) return;
            // The plan went in place for it: this thread puts it in place
            // too, beside the others waiting.
            std::erase(da_porre_, i);
        }
    }
    poni(i);
}

bool ConsegnaTreni::poni_uno_in_attesa(bool aspetta) {
    size_t i = 0;
    {
        std::unique_lock blocco(mutex_);
        if (aspetta) cambiato_.wait(blocco, [&] { return !da_porre_.empty() || !tracciato_atteso_; });
        if (da_porre_.empty()) return false;
        i = da_porre_.front();
        da_porre_.pop_front();
    }
    poni(i);
    return true;
}

}  // namespace compattatore
