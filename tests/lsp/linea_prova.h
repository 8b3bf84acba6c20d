// A short line the server's tests open: one gradient and one speed board,
// enough for hover, hints and outline to have something to name.
#pragma once

#include <string>

namespace compattatore::prova {

inline const std::string LINEA_PROVA =
    "[generale]\r\n"
    "lunghezza percorso, 30000\r\n"
    "[pendenze]\r\n"
    "pendenza, 21225, 2\r\n"
    "[cartelli]\r\n"
    "indicatori_vmax,   21200, 80,0,0,0,0,0,0,0\r\n"
    "[fine]\r\n";

}  // namespace compattatore::prova
