// Labels that never overprint: each is placed, most important first, at the
// first of its candidate places where it covers no label already placed,
// and left out when there is none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
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
    // The box a label of `utf8` text at `dimensione` px takes at `posto`,
    // a little generous so that real glyphs stay inside.
    static Riquadro riquadro(const PostoEtichetta& posto, std::string_view utf8, double dimensione);

    // The first free place, now taken; nothing when every place is taken.
    std::optional<PostoEtichetta> posa(const std::vector<PostoEtichetta>& posti, std::string_view utf8,
                                       double dimensione);
    // Takes the box when it is free.
    bool prendi(const Riquadro& r);

private:
    std::vector<Riquadro> presi_;
};

}  // namespace compattatore
