// The names a compile gives its files, checked before anything is written:
// by compile itself, and by init for the keys it writes the sources under.
#pragma once

#include <span>
#include <string>

namespace compattatore {

// The keys of one compile (Windows-1252, checked); `come_linea` and
// `come_treno` say what gave each key, for a message ("--train-key", "the
// train key" of a file's name, the train init made a key for).
struct ChiaviCompilate {
    const std::string& linea;
    const std::string& treno;
    std::string come_linea;
    std::string come_treno;
};

// Refused with ErroreUso: a name of the compiled files, or one of `altri`
// (written beside them), too long for a file written in `directory` (the
// key blamed is the line key when its plan file's name is, else the train
// key); and a train key that makes the cell file the plan file (the key
// "linea" in any case, as the simulator's file system takes names).
void controlla_nomi_compilati(const ChiaviCompilate& chiavi, const std::string& directory, bool tracciato,
                              std::span<const std::string> altri = {});

}  // namespace compattatore
