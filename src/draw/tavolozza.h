// The colours of the route drawing, each written here once: the drawing of
// `draw` takes them as constants, the viewer page as CSS custom properties
// named after them (--binario, ...), so that both look alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace compattatore::colore {

inline constexpr const char* BINARIO = "#1d3557";
inline constexpr const char* PROLUNGAMENTO = "#a8b2bd";
inline constexpr const char* SEGNALE = "#2a9d3f";
inline constexpr const char* RALLENTAMENTO = "#d62828";
inline constexpr const char* AVVISO = "#f77f00";
inline constexpr const char* ABBATTIMENTO = "#6a4c93";
inline constexpr const char* VELOCITA = "#1565c0";
inline constexpr const char* SALITA = "#e76f51";
inline constexpr const char* DISCESA = "#2a9d8f";
// Mountain and tunnel spans by kind 1, 2, 3; the page's text signs take the
// first, its speed boards the speed limit's colour.
inline constexpr std::array<const char*, 3> MONTAGNE = {"#8d6e63", "#37474f", "#9c6ade"};

// Mountain and tunnel spans of kind 1, 2, 3 (others take the last).
inline const char* montagna(int64_t tipo) { return MONTAGNE[static_cast<size_t>(tipo == 1 ? 0 : tipo == 2 ? 1 : 2)]; }

// The trains of a train graph, in turn.
inline constexpr std::array<const char*, 8> CORSE = {BINARIO,      RALLENTAMENTO, SEGNALE,     AVVISO,
                                                     ABBATTIMENTO, DISCESA,       MONTAGNE[2], MONTAGNE[0]};
inline const char* corsa(size_t indice) { return CORSE[indice % CORSE.size()]; }

struct Voce {
    std::string_view nome;
    const char* valore;
};
// Every colour by the name the page knows it by.
inline constexpr std::array<Voce, 12> TAVOLOZZA = {{{"binario", BINARIO},
                                                    {"prolungamento", PROLUNGAMENTO},
                                                    {"segnale", SEGNALE},
                                                    {"rallentamento", RALLENTAMENTO},
                                                    {"avviso", AVVISO},
                                                    {"abbattimento", ABBATTIMENTO},
                                                    {"velocita", VELOCITA},
                                                    {"salita", SALITA},
                                                    {"discesa", DISCESA},
                                                    {"montagna-1", MONTAGNE[0]},
                                                    {"montagna-2", MONTAGNE[1]},
                                                    {"montagna-3", MONTAGNE[2]}}};

}  // namespace compattatore::colore
