#include "platform/fltk_opzionale/finestra.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace compattatore::piattaforma {

namespace {

constexpr const char* TITOLO = "compattatore";
constexpr const char* ETICHETTA = "Attendere";

// The window and its label, in pixels at 96 dots per inch.
constexpr int LARGHEZZA_FINESTRA = 280, ALTEZZA_FINESTRA = 179;
constexpr int X_ETICHETTA = 64, Y_ETICHETTA = 64, LARGHEZZA_ETICHETTA = 177, ALTEZZA_ETICHETTA = 53;

// The label is 24 points bold: 32 pixels at 96 dots per inch. FLTK's bold
// sans face is wider than the face the label was laid out for, and at 32
// pixels "Attendere" overflows the label; the largest size that fits the
// label is used instead, measured in the face actually drawn.
constexpr int PIXEL_ETICHETTA = 32;
// FLTK draws a left-aligned label this many pixels in from either side.
constexpr int RIENTRO_ETICHETTA = 3;
constexpr Fl_Font CARATTERE_ETICHETTA = FL_HELVETICA_BOLD;

int dimensione_che_entra(const char* testo, int larghezza, int altezza) {
    int dimensione = PIXEL_ETICHETTA;
    for (; dimensione > 1; --dimensione) {
        fl_font(CARATTERE_ETICHETTA, dimensione);
        int w = 0, h = 0;
        fl_measure(testo, w, h, 0);
        if (w <= larghezza && h <= altezza) break;
    }
    return dimensione;
}

// Tests set this to keep the painted window on screen for a given number of
// milliseconds before the run goes on, long enough to take its picture.
constexpr const char* PAUSA_DI_PROVA = "COMPATTATORE_PROVA_ATTESA_MS";

void pausa_di_prova() {
    const char* valore = std::getenv(PAUSA_DI_PROVA);
    if (valore == nullptr) return;
    long ms = std::clamp(std::strtol(valore, nullptr, 10), 0L, 60000L);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

std::unique_ptr<Finestra> Finestra::apri() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    fl_open_display(display);
    return std::unique_ptr<Finestra>(new Finestra());
}

// The label is made after the window, which is still open for children.
Finestra::Finestra()
    : finestra_(LARGHEZZA_FINESTRA, ALTEZZA_FINESTRA, TITOLO),
      etichetta_(new Fl_Box(X_ETICHETTA, Y_ETICHETTA, LARGHEZZA_ETICHETTA, ALTEZZA_ETICHETTA, ETICHETTA)) {
    etichetta_->box(FL_NO_BOX);
    etichetta_->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
    etichetta_->labelfont(CARATTERE_ETICHETTA);
    finestra_.end();
}

Finestra::~Finestra() {
    finestra_.hide();
    Fl::flush();
}

// Shown and painted once; the window program then waits for the next request
// without returning to the event loop, so the window keeps this picture until
// the run ends.
void Finestra::mostra_attesa() {
    etichetta_->labelsize(
        dimensione_che_entra(ETICHETTA, LARGHEZZA_ETICHETTA - 2 * RIENTRO_ETICHETTA, ALTEZZA_ETICHETTA));
    finestra_.show();
    finestra_.wait_for_expose();  // shown without it, the window stays grey
    Fl::flush();
    XSync(fl_display, False);
    pausa_di_prova();
}

void Finestra::messaggio(const std::string& testo) {
    fl_close = "OK";
    fl_message_title_default(TITOLO);
    fl_message_icon()->hide();
    fl_message("%s", testo.c_str());
}

}  // namespace compattatore::piattaforma
