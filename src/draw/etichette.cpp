#include "draw/etichette.h"

#include <algorithm>

namespace compattatore {

namespace {

// Characters, not bytes: a UTF-8 continuation byte adds no width.
double caratteri(std::string_view utf8) {
    return static_cast<double>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

Riquadro SpazioEtichette::riquadro(const PostoEtichetta& posto, std::string_view utf8, double dimensione) {
    // Sans-serif capitals run to about 0.68 em; taking that for every
    // character errs on the side of room.
    const double w = caratteri(utf8) * dimensione * 0.68 + 2, h = dimensione * 1.25;
    const double x0 = posto.ancora == "end" ? posto.x - w : posto.ancora == "middle" ? posto.x - w / 2 : posto.x;
    return {x0, posto.y - dimensione, x0 + w, posto.y - dimensione + h};
}

bool SpazioEtichette::prendi(const Riquadro& r) {
    if (std::any_of(presi_.begin(), presi_.end(), [&](const Riquadro& q) { return q.tocca(r); })) return false;
    presi_.push_back(r);
    return true;
}

std::optional<PostoEtichetta> SpazioEtichette::posa(const std::vector<PostoEtichetta>& posti, std::string_view utf8,
                                                    double dimensione) {
    for (const PostoEtichetta& p : posti) {
        if (prendi(riquadro(p, utf8, dimensione))) return p;
    }
    return std::nullopt;
}

}  // namespace compattatore
