// Labels that never overprint: each, most important first, takes the first
// of its candidate boxes that lies inside the area and overlaps (with a
// positive area) no box taken before; with none free it is left out. The
// viewer page (calcoli.Spazio in vista.js) follows the same rule, and
// tests/data/etichette_posa.json holds the cases both must answer alike.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace compattatore {

struct Riquadro {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool tocca(const Riquadro& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
};

// Where a label may go: the anchor point of its baseline and its anchoring
// ("start", "middle", "end").
struct PostoEtichetta {
    double x = 0, y = 0;
    std::string_view ancora = "start";
};

class SpazioEtichette {
public:
    SpazioEtichette() = default;
    // An area `larghezza` by `altezza` from the origin; by default, unbounded.
    SpazioEtichette(double larghezza, double altezza) : area_{0, 0, larghezza, altezza} {}

    // The box a label of `utf8` text at `dimensione` px takes at `posto`,
    // a little generous so that real glyphs stay inside.
    static Riquadro riquadro(const PostoEtichetta& posto, std::string_view utf8, double dimensione);

    // The first free place, now taken; nothing when every place is taken.
    std::optional<PostoEtichetta> posa(const std::vector<PostoEtichetta>& posti, std::string_view utf8,
                                       double dimensione);
    // Takes the box when it is free.
    bool prendi(const Riquadro& r);

private:
    // Taken boxes are filed in square cells of this side, by every cell they
    // cover, so that a box is checked only against those near it.
    static constexpr double CELLA = 64;
    template <typename F>
    bool ogni_cella(const Riquadro& r, F&& f);

    static constexpr double INFINITO = std::numeric_limits<double>::infinity();
    Riquadro area_{-INFINITO, -INFINITO, INFINITO, INFINITO};
    std::unordered_map<int64_t, std::vector<Riquadro>> celle_;
};

}  // namespace compattatore
