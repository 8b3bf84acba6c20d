// The temporaries being written, for the handler of SIGINT, SIGTERM and
// SIGHUP, which removes them before the program ends by the signal. Any
// thread may write temporaries; the signals are handled on one that does
// not hold them back (the main thread: the others call
// segnali_al_principale), and the handler lets every step in progress on
// the other threads end before it removes what is registered.
#pragma once

#include <string>

namespace compattatore::piattaforma {

// While alive, the three signals wait: a temporary is created and
// registered, or a set of files renamed and dropped, as one step, which the
// handler, should a signal come on another thread, lets end.
class SegnaliSospesi {
public:
    SegnaliSospesi();
    ~SegnaliSospesi();
    SegnaliSospesi(const SegnaliSospesi&) = delete;
    SegnaliSospesi& operator=(const SegnaliSospesi&) = delete;
};

// For a thread the program starts: the three signals never stop it, so that
// they reach the main thread, whose handler waits for this one's steps.
void segnali_al_principale();

// Sends the signal to the whole program, as a user's kill would: whichever
// thread asks, the thread that handles it does.
void segnala_al_programma(int segnale);

// Registers a path for removal on a signal; gives its place, or -1 when all
// places are taken (the temporary then stays if a signal comes). Safe on any
// thread.
int registra_temporaneo(const std::string& percorso);
void rilascia_temporaneo(int posto);

}  // namespace compattatore::piattaforma
