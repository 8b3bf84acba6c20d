#include "lsp/schede.h"

#include <span>

namespace compattatore {

const std::vector<Scheda>& schede(bool linea) {
    static const std::vector<Scheda> LINEA = {
        {&LUNGHEZZA_PERCORSO, "[generale]", "the length of the line", {"LENGTH"}, {}},
        {&PROGRESSIVA_UNO, "[generale]", "a kilometric progressive", {"INIZIO", "FINE", "POSIZIONE"}, {0, 1}},
        {&PROGRESSIVA_DUE, "[generale]", "a kilometric progressive", {"INIZIO", "FINE", "POSIZIONE"}, {0, 1}},
        {&PROGRESSIVA_TRE, "[generale]", "a kilometric progressive", {"INIZIO", "FINE", "POSIZIONE"}, {0, 1}},
        {&SFONDO_UNO, "[generale]", "a background", {"VALUE"}, {}},
        {&SFONDO_DUE, "[generale]", "a background", {"VALUE"}, {}},
        {&SFONDO_TRE, "[generale]", "a background", {"VALUE"}, {}},
        {&RIPETIZIONE_SEGNALI, "[generale]", "the signal repetition stretch", {"START", "END"}, {0, 1}},
        {&CURVA,
         "[curve]",
         "a curve (curvas1 to curvas6 left, curvad1 to curvad6 right)",
         {"START", "LENGTH"},
         {0},
         RegolaCella::inizio},
        {&PENDENZA, "[pendenze]", "a gradient", {"POSITION", "GRADIENT"}, {0}, RegolaCella::inizio},
        {&MONTAGNA, "[montagne]", "a mountain or tunnel", {"INIZIO", "FINE", "TIPO"}, {0, 1}, RegolaCella::inizio},
        {&INDICATORI_VMAX,
         "[cartelli]",
         "a pair of maximum-speed boards",
         {"POSITION", "VAS", "VBS", "VCS", "STRISCES", "VAD", "VBD", "VCD", "STRISCED"},
         {0}},
        {&CARTELLO_INDICATORE, "[indicazioni]", "a text sign", {"POSITION", "TEXT"}, {0}},
    };
    static const std::vector<Scheda> TRENO = {
        {&NUMERO_VETTURE, "[generale]", "the coaches", {"COUNT"}, {}},
        {&MASSA_FRENATA, "[generale]", "the braked mass", {"PERCENT"}, {}},
        {&SABBIA, "[generale]", "the sand", {"QUANTITY"}, {}},
        {&OROLOGIO, "[generale]", "the start clock", {"HOURS MINUTES SECONDS"}, {}},
        {&ADERENZA, "[aderenze]", "the adhesion", {"POSITION", "VALUE"}, {0}, RegolaCella::inizio},
        {&VELOCITA, "[vel_limite]", "a speed limit", {"POSITION", "SPEED"}, {0}, RegolaCella::inizio},
        {&STAZIONE,
         "[stazioni]",
         "a station",
         {"POSITION", "KIND", "L", "ATTR", "F3", "F2", "V0", "V1", "F0", "V2", "V3", "V4", "F1", "HOURS", "MINUTES",
          "SECONDS", "NAME"},
         {0}},
        {&RALLENTAMENTO,
         "[rallentamenti]",
         "a temporary slowdown",
         {"POSITION", "SPEED", "LENGTH", "F_TT", "F_TA", "D_V"},
         {0}},
        {&SEGNALE,
         "[segnali]",
         "a signal",
         {"POSITION", "SX", "S1", "S2", "S3", "RAPP", "DX", "D1", "D2", "D3", "TEMPO"},
         {0}},
        {&ABBATTIMENTO, "[codici]", "an abbattimento cell", {"POSITION", "VALUE"}, {0}, RegolaCella::inizio},
    };
    return linea ? LINEA : TRENO;
}

const Scheda* scheda_di(std::string_view voce, bool linea) {
    // The reader's order decides between words one field may hold both of.
    const auto& parole =
        linea ? std::span<const ParolaChiave* const>(PAROLE_LINEA) : std::span<const ParolaChiave* const>(PAROLE_TRENO);
    for (const ParolaChiave* p : parole) {
        if (!riconosce(voce, *p)) continue;
        for (const Scheda& s : schede(linea))
            if (s.parola == p) return &s;
    }
    return nullptr;
}

}  // namespace compattatore
