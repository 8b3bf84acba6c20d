#ifdef COMPATTATORE_FINESTRA

#include "platform/schermo_virtuale.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/cartella_temporanea.h"

namespace compattatore::prova {

namespace {

// A window may go away between listing it and reading it; the request then
// fails and the caller sees no window, instead of Xlib ending the tests.
int ignora_errore(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool Immagine::scuro(int x, int y) const {
    uint32_t p = rgb[static_cast<size_t>(y) * larghezza + x];
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 100;
}

Rettangolo Immagine::riquadro_scuro() const {
    int x0 = larghezza, y0 = altezza, x1 = -1, y1 = -1;
    for (int y = 0; y < altezza; ++y) {
        for (int x = 0; x < larghezza; ++x) {
            if (!scuro(x, y)) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

SchermoVirtuale::SchermoVirtuale(const std::string& xvfb, const std::string& cartella) {
    XSetErrorHandler(ignora_errore);
    // -displayfd makes the server pick a free display and print its number.
    std::string numero_file = cartella + "/xvfb-display";
    server_ = std::make_unique<ProcessoFiglio>(
        AvvioProcesso{.argomenti = {xvfb, "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                      .file_uscita = numero_file,
                      .file_errori = cartella + "/xvfb-errors"});
    auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (connessione_ == nullptr) {
        std::string numero = leggi_tutto(numero_file);
        if (!numero.empty() && numero.back() == '\n') {
            numero.pop_back();
            display_ = ':' + numero;
            connessione_ = XOpenDisplay(display_.c_str());
        }
        if (connessione_ == nullptr) {
            if (!server_->in_corso() || std::chrono::steady_clock::now() > fine)
                throw std::runtime_error("Xvfb did not start: " + leggi_tutto(cartella + "/xvfb-errors"));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

SchermoVirtuale::~SchermoVirtuale() {
    if (connessione_ != nullptr) XCloseDisplay(connessione_);
}

std::vector<IdFinestra> SchermoVirtuale::finestre_visibili() {
    Window radice = 0, genitore = 0;
    Window* figli = nullptr;
    unsigned int quanti = 0;
    std::vector<IdFinestra> visibili;
    if (!XQueryTree(connessione_, DefaultRootWindow(connessione_), &radice, &genitore, &figli, &quanti))
        return visibili;
    for (unsigned int i = 0; i < quanti; ++i) {
        XWindowAttributes attributi;
        if (XGetWindowAttributes(connessione_, figli[i], &attributi) && attributi.map_state == IsViewable)
            visibili.push_back(figli[i]);
    }
    if (figli != nullptr) XFree(figli);
    return visibili;
}

Rettangolo SchermoVirtuale::geometria(IdFinestra finestra) {
    XWindowAttributes attributi;
    if (!XGetWindowAttributes(connessione_, finestra, &attributi)) return {0, 0, 0, 0};
    return {attributi.x, attributi.y, attributi.width, attributi.height};
}

Immagine SchermoVirtuale::cattura(IdFinestra finestra) {
    Rettangolo r = geometria(finestra);
    Immagine immagine{r.larghezza, r.altezza,
                      std::vector<uint32_t>(static_cast<size_t>(r.larghezza) * r.altezza, 0xFFFFFF)};
    // Read from the screen, so that a window partly off the screen (a wide
    // message box placed under the pointer) gives its visible part; the rest
    // stays white.
    Window radice = DefaultRootWindow(connessione_), figlio = 0;
    int x0 = 0, y0 = 0;
    if (!XTranslateCoordinates(connessione_, finestra, radice, 0, 0, &x0, &y0, &figlio)) return immagine;
    int da_x = std::max(x0, 0), da_y = std::max(y0, 0);
    int a_x = std::min(x0 + r.larghezza, DisplayWidth(connessione_, DefaultScreen(connessione_)));
    int a_y = std::min(y0 + r.altezza, DisplayHeight(connessione_, DefaultScreen(connessione_)));
    if (a_x <= da_x || a_y <= da_y) return immagine;
    XImage* x = XGetImage(connessione_, radice, da_x, da_y, a_x - da_x, a_y - da_y, AllPlanes, ZPixmap);
    if (x == nullptr) return immagine;
    for (int y = da_y; y < a_y; ++y) {
        for (int px = da_x; px < a_x; ++px) {
            immagine.rgb[static_cast<size_t>(y - y0) * r.larghezza + (px - x0)] =
                static_cast<uint32_t>(XGetPixel(x, px - da_x, y - da_y) & 0xFFFFFF);
        }
    }
    XDestroyImage(x);
    return immagine;
}

}  // namespace compattatore::prova

#endif
