// Waiting for a few files to change, and for the user to stop the wait: the
// host system's file notifications and its interrupt signals.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace compattatore::piattaforma {

class SorveglianzaFile {
public:
    enum class Evento { cambiamento, interruzione };

    // Watches the directories that hold `percorsi` (and, for a path that is
    // a symbolic link, the directory of the file it leads to), so that a
    // file saved by renaming over it, or deleted and created again, is still
    // followed. It watches the paths, not the directories they named at the
    // start: a directory deleted and made again, or replaced by a link, and a
    // link that now leads elsewhere, are watched anew. While the object
    // lives SIGINT and SIGTERM end a wait instead of the process. Throws
    // ErroreFile when a directory that is there cannot be watched.
    explicit SorveglianzaFile(const std::vector<std::string>& percorsi);
    ~SorveglianzaFile();
    SorveglianzaFile(const SorveglianzaFile&) = delete;
    SorveglianzaFile& operator=(const SorveglianzaFile&) = delete;

    // Blocks until one of the files is written, created, renamed or deleted,
    // or one of the directories is watched anew, and then `quiete` passes
    // with no further such change (an editor's save is a burst of events: it
    // gives one change), or until SIGINT or SIGTERM.
    Evento attendi(std::chrono::milliseconds quiete);

    // The directories watched anew since the last call, as the paths name them.
    std::vector<std::string> riarmate();

private:
    struct Stato;
    std::unique_ptr<Stato> s_;
};

// The local time of day, "HH:MM:SS".
std::string ora_locale();

}  // namespace compattatore::piattaforma
