// One place that turns a problem found in a description file into the text a
// person reads: "FILE:LINE:COLUMN: error: message", the line, and a caret.
#pragma once

#include <string>
#include <string_view>

namespace compattatore {

struct Diagnostica {
    enum class Livello { errore, avviso };
    Livello livello = Livello::errore;
    std::string file;
    int riga = 0;     // 1-based; 0 when no line can be named
    int colonna = 0;  // 1-based, in characters; 0 when no column can be named
    std::string messaggio;
};

// "FILE:LINE:COLUMN", without the line or the column when it is 0.
std::string posto_nel_file(const std::string& file, int riga, int colonna);

// `sorgente` is the file's Windows-1252 text, used to show the line; it may be
// empty. The message may quote the file's text too: both are shown as UTF-8
// with control characters other than tabs as '?'. The result ends with a
// line end.
std::string formatta_diagnostica(const Diagnostica& d, std::string_view sorgente);

}  // namespace compattatore
