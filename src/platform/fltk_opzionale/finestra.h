// The wait window and the modal message box, drawn with FLTK: what the
// window program shows for the program that starts it.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Window.H>

#include <memory>
#include <string>

namespace compattatore::piattaforma {

class Finestra {
public:
    // Opens the display; null when it cannot be opened. FLTK would end the
    // process itself on a missing display, so the display is opened first
    // and handed over.
    static std::unique_ptr<Finestra> apri();

    ~Finestra();
    Finestra(const Finestra&) = delete;
    Finestra& operator=(const Finestra&) = delete;

    // Shows and paints "Attendere"; returns once it is on the screen.
    void mostra_attesa();
    // Modal, one OK button, no icon; returns once OK (or Return) is pressed.
    static void messaggio(const std::string& testo);

private:
    Finestra();

    Fl_Window finestra_;
    Fl_Box* etichetta_;  // owned by the window
};

}  // namespace compattatore::piattaforma
