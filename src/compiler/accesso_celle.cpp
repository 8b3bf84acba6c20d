#include "compiler/accesso_celle.h"

#include <algorithm>
#include <string>

namespace compattatore {

void richiedi_celle(const Modello& m, std::string_view record, Luogo luogo) {
    if (!m.celle_create())
        throw ErroreLettura(std::string(record) + ": the line description has no 'lunghezza percorso' record before it",
                            luogo);
}

Cella& cella(Modello& m, int64_t indice, std::string_view record, int32_t posizione, Luogo luogo) {
    richiedi_celle(m, record, luogo);
    if (indice < 0)
        throw ErroreLettura(
            std::string(record) + ": position " + std::to_string(posizione) + " m is before the start of the line",
            luogo);
    if (indice > m.ultima_cella())
        throw ErroreLettura(std::string(record) + ": position " + std::to_string(posizione) + " m reaches cell " +
                                std::to_string(indice) + ", beyond the last cell " + std::to_string(m.ultima_cella()),
                            luogo);
    Cella& c = m.celle[static_cast<size_t>(indice)];
    if (m.registro_celle.attivo) m.registro_celle.prima.emplace_back(static_cast<size_t>(indice), c);
    return c;
}

void riempi_celle(Modello& m, int32_t& indice, int64_t fino, uint8_t Cella::*campo, uint8_t valore,
                  std::string_view record, int32_t posizione, Luogo luogo) {
    // The first cell through cella(), with its checks; the cells after it
    // up to the last of the line at once, as a profile covers thousands;
    // the one past the last through cella() again, which refuses it.
    cella(m, indice, record, posizione, luogo).*campo = valore;
    ++indice;
    const int64_t fine = std::min<int64_t>(fino, m.ultima_cella() + int64_t{1});
    for (; indice < fine; ++indice) {
        Cella& c = m.celle[static_cast<size_t>(indice)];
        if (m.registro_celle.attivo) m.registro_celle.prima.emplace_back(static_cast<size_t>(indice), c);
        c.*campo = valore;
    }
    if (indice < fino) cella(m, indice, record, posizione, luogo);
}

}  // namespace compattatore
