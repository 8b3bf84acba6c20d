// The wait of a watch, the same on every system: a change starts a quiet
// period, and the burst of changes is over once that period passes with no
// further one. A directory made again, or a link that now leads elsewhere,
// tells nothing to a watch on what was there before, so the paths are looked
// at again at every wake and at least every VERIFICA.
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>

namespace compattatore::piattaforma {

class AttesaQuiete {
public:
    static constexpr std::chrono::milliseconds VERIFICA{500};

    explicit AttesaQuiete(std::chrono::milliseconds quiete) : quiete_(quiete) {}

    // How long to wait for the next event; none once the burst is over.
    std::optional<std::chrono::milliseconds> attesa() const {
        if (scadenza_ == NESSUNA) return VERIFICA;
        const auto resta = std::chrono::ceil<std::chrono::milliseconds>(scadenza_ - Orologio::now());
        if (resta.count() <= 0) return std::nullopt;
        return std::min(VERIFICA, resta);
    }

    // A change was seen: the quiet period starts again.
    void cambiamento() { scadenza_ = Orologio::now() + quiete_; }

private:
    using Orologio = std::chrono::steady_clock;
    static constexpr Orologio::time_point NESSUNA = Orologio::time_point::max();  // no change seen yet
    std::chrono::milliseconds quiete_;
    Orologio::time_point scadenza_ = NESSUNA;
};

}  // namespace compattatore::piattaforma
