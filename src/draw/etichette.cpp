#include "draw/etichette.h"

#include <algorithm>
#include <cmath>

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

template <typename F>
bool SpazioEtichette::ogni_cella(const Riquadro& r, F&& f) {
    const auto cella = [](double v) { return static_cast<int64_t>(std::floor(v / CELLA)); };
    for (int64_t i = cella(r.x0); i <= cella(r.x1); ++i) {
        for (int64_t j = cella(r.y0); j <= cella(r.y1); ++j) {
            // The same key as the page's: i * 2^32 + j.
            if (!f(celle_[i * 4294967296 + j])) return false;
        }
    }
    return true;
}

bool SpazioEtichette::prendi(const Riquadro& r) {
    if (r.x0 < area_.x0 || r.y0 < area_.y0 || r.x1 > area_.x1 || r.y1 > area_.y1) return false;
    const bool libero = ogni_cella(r, [&](const std::vector<Riquadro>& presi) {
        return std::none_of(presi.begin(), presi.end(), [&](const Riquadro& q) { return q.tocca(r); });
    });
    if (!libero) return false;
    ogni_cella(r, [&](std::vector<Riquadro>& presi) {
        presi.push_back(r);
        return true;
    });
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
