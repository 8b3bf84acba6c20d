// Waiting for a few files to change, and for the user to stop the wait: the
// host system's file notifications (inotify) and its interrupt signals.
#pragma once

#include <chrono>
#include <csignal>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace compattatore::piattaforma {

class SorveglianzaFile {
public:
    enum class Evento { cambiamento, interruzione };

    // Watches the directories that hold `percorsi`, so that a file saved by
    // renaming over it, or deleted and created again, is still followed.
    // While the object lives SIGINT and SIGTERM end a wait instead of the
    // process. Throws ErroreFile when a directory cannot be watched.
    explicit SorveglianzaFile(const std::vector<std::string>& percorsi);
    ~SorveglianzaFile();
    SorveglianzaFile(const SorveglianzaFile&) = delete;
    SorveglianzaFile& operator=(const SorveglianzaFile&) = delete;

    // Blocks until one of the files is written, created, renamed or deleted
    // and then `quiete` passes with no further such change (an editor's save
    // is a burst of events: it gives one change), or until SIGINT or SIGTERM.
    Evento attendi(std::chrono::milliseconds quiete);

private:
    bool leggi_eventi();  // whether one of the files was concerned

    int inotify_ = -1;
    int segnali_ = -1;
    sigset_t maschera_precedente_{};
    std::map<int, std::set<std::string>> nomi_;  // watch descriptor -> file names in its directory
};

// The local time of day, "HH:MM:SS".
std::string ora_locale();

}  // namespace compattatore::piattaforma
