// The files of a line's many trains written from the threads that compile
// them, while the plan is laid out beside them: each train's set goes in
// place only after the plan, and the plan only once a train is to be
// written, so that a plan that fails leaves every train's old files.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"

namespace compattatore {

class ConsegnaTreni {
public:
    // `con_tracciato`: a plan is laid out and goes first; otherwise each
    // train's set goes in place as soon as it is written.
    ConsegnaTreni(size_t treni, std::string directory, bool con_tracciato, bool sincronizza);

    // The plan laid out, or why it could not be (`guasto`: then no train's
    // set is put in place). Put in place at once when a train is waiting.
    void tracciato_pronto(std::unique_ptr<TracciatoPreparato> tracciato, std::exception_ptr guasto);
    // Train i's files: written under temporary names, and put in place now
    // if the plan is, else when it is.
    void treno_pronto(size_t i, FileTreno file);
    // Puts in place one train's set waiting for it; with `aspetta`, waits
    // while the plan is laid out. False when none is waiting (and, with
    // `aspetta`, none will be for want of the plan).
    bool poni_uno_in_attesa(bool aspetta);

    // Once every train has been handed over and every thread has ended:
    // the plan's failure, if any; what the summary says of the plan (empty
    // when it was not put in place); of train i, "; wrote ..." once its set
    // is in place, and the message of a failure to write it.
    std::exception_ptr guasto_tracciato() const { return guasto_; }
    const std::string& riga_tracciato() const { return riga_tracciato_; }
    const std::string& scritti(size_t i) const { return treni_[i].scritti; }
    const std::optional<std::string>& guasto(size_t i) const { return treni_[i].guasto; }

private:
    struct Treno {
        std::optional<FileTreno> file;  // kept in memory while too many wait written
        std::unique_ptr<FileTrenoPreparati> preparati;
        std::string scritti;
        std::optional<std::string> guasto;
    };
    void prepara(Treno& t);
    void poni(size_t i);
    // With the lock held.
    void metti_tracciato();
    void rinuncia();

    std::string directory_;
    bool sincronizza_;
    std::vector<Treno> treni_;
    std::mutex mutex_;
    std::condition_variable cambiato_;
    bool tracciato_atteso_;
    bool tracciato_al_posto_;
    std::unique_ptr<TracciatoPreparato> tracciato_;
    std::exception_ptr guasto_;
    std::string riga_tracciato_;
    std::deque<size_t> in_attesa_;  // waiting for the plan
    size_t scritti_prima_ = 0;      // trains written before the plan went in place
    std::deque<size_t> da_porre_;   // the plan is in place
};

}  // namespace compattatore
