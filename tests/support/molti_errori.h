// The multi-error table's description files: each error file holds four
// errors, one per kind of failure, that the reader must report each once.
// The reader's tests and the language server's share them.
#pragma once

#include <string>

namespace compattatore::prova {

inline const std::string LINEA_PULITA = "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n";
inline const std::string TRENO_PULITO = "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n";

inline const std::string LINEA_ERRATA =
    "[generale]\r\n"
    "lunghezza percorso, 10000\r\n"
    "progressiva chilometrica tre, 1x0, 0, 0\r\n"  // malformed number
    "[pendenze]\r\n"
    "pendenza, 20000, 2\r\n"  // beyond the cells
    "indicatori_vmax, 1000, 60,0,0,0,0,0,0,0\r\n"
    "indicatori_vmax, 1000, 60,0,0,0,0,0,0,0\r\n"  // on the board above
    "curvax, 100, 200\r\n"                         // no curve class
    "pendenza, 100, 2\r\n"
    "[fine]\r\n";
inline const std::string TRENO_ERRATO =
    "[generale]\r\n"
    "velocita, 0, 100\r\n"
    "velocita,  0\r\n"  // speed missing: takes 'segnale'
    "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
    "segnale, 2000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"                       // on the signal above
    "stazione, 1010, 8, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, A\r\n"  // off 50 m
    "rallentamento, 5000, 60, 500, 1, 0, 60\r\n"
    "abbattimento, 5050, 90\r\n"  // on the slowdown's start
    "stazione, 3000, 8, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, B\r\n"
    "[fine]\r\n";

}  // namespace compattatore::prova
