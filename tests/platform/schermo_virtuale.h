// A virtual X screen (Xvfb) for the window tests: the top-level windows on it
// and pictures of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/processo.h"

struct _XDisplay;

namespace compattatore::prova {

using IdFinestra = unsigned long;

struct Rettangolo {
    int x, y, larghezza, altezza;
    bool contiene(int px, int py) const { return px >= x && px < x + larghezza && py >= y && py < y + altezza; }
};

struct Immagine {
    int larghezza = 0, altezza = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB, row by row
    // Dark enough to be text drawn on the light grey background.
    bool scuro(int x, int y) const;
    // The smallest rectangle holding every dark pixel (all zero when none).
    Rettangolo riquadro_scuro() const;
};

class SchermoVirtuale {
public:
    // Starts Xvfb on a display number it chooses; `cartella` holds its output.
    SchermoVirtuale(const std::string& xvfb, const std::string& cartella);
    ~SchermoVirtuale();

    const std::string& display() const { return display_; }  // ":N"
    // Mapped top-level windows and their size.
    std::vector<IdFinestra> finestre_visibili();
    Rettangolo geometria(IdFinestra finestra);
    Immagine cattura(IdFinestra finestra);

private:
    std::unique_ptr<ProcessoFiglio> server_;
    std::string display_;
    _XDisplay* connessione_ = nullptr;
};

}  // namespace compattatore::prova
