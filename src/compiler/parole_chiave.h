// Every word the two description readers recognise, in one place: the
// section names and the record keywords as authors write them, and what a
// field must contain to be taken as each record. The readers test fields
// against these entries; the format reference must document every one.
#pragma once

#include <array>
#include <string_view>

namespace compattatore {

struct ParolaChiave {
    std::string_view scritta;               // the keyword as authors write it
    std::array<std::string_view, 2> parti;  // what the keyword field must contain (the second may be empty)
    bool maiuscole_distinte = false;        // the test is case-sensitive
};

// Whether a keyword field is taken as the record `parola`.
bool riconosce(std::string_view voce, const ParolaChiave& parola);

// Records start after this section's name, in both files.
inline constexpr std::string_view SEZIONE_GENERALE = "[generale]";

inline constexpr std::array<std::string_view, 7> SEZIONI_LINEA = {
    SEZIONE_GENERALE, "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
inline constexpr std::array<std::string_view, 8> SEZIONI_TRENO = {
    SEZIONE_GENERALE, "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]", "[segnali]", "[codici]", "[fine]"};

// The line file's header records, tested in this order on every field.
inline constexpr ParolaChiave LUNGHEZZA_PERCORSO{"lunghezza percorso", {"percorso", "lunghezza"}};
inline constexpr ParolaChiave PROGRESSIVA_TRE{"progressiva chilometrica tre", {"tre", "progressiva"}, true};
inline constexpr ParolaChiave PROGRESSIVA_DUE{"progressiva chilometrica due", {"due", "progressiva"}, true};
inline constexpr ParolaChiave PROGRESSIVA_UNO{"progressiva chilometrica uno", {"uno", "progressiva"}, true};
inline constexpr ParolaChiave SFONDO_UNO{"sfondo uno", {"sfondo", "uno"}, true};
inline constexpr ParolaChiave SFONDO_DUE{"sfondo due", {"sfondo", "due"}, true};
inline constexpr ParolaChiave SFONDO_TRE{"sfondo tre", {"sfondo", "tre"}, true};
inline constexpr ParolaChiave RIPETIZIONE_SEGNALI{"ripetizione segnali 4 codici", {"segnali", "ripetizione"}, true};

// The line file's body records.
inline constexpr ParolaChiave PENDENZA{"pendenza", {"pendenza", ""}};
inline constexpr ParolaChiave CURVA{"curva", {"curva", ""}};
inline constexpr ParolaChiave MONTAGNA{"montagna", {"montagna", ""}};
inline constexpr ParolaChiave INDICATORI_VMAX{"indicatori_vmax", {"indicatori_v", ""}};
inline constexpr ParolaChiave CARTELLO_INDICATORE{"cartello_indicatore", {"cartello", "indicat"}};

// The train file's records, tested in this order on every field.
inline constexpr ParolaChiave MASSA_FRENATA{"percentuale massa frenata", {"frenata", "massa"}};
inline constexpr ParolaChiave NUMERO_VETTURE{"numero vetture", {"vetture", ""}};
inline constexpr ParolaChiave VELOCITA{"velocita", {"velocit", ""}};
inline constexpr ParolaChiave ADERENZA{"aderenza", {"aderenza", ""}};
inline constexpr ParolaChiave OROLOGIO{"orologio", {"orologio", ""}};
inline constexpr ParolaChiave SABBIA{"sabbia", {"sabbia", ""}};
inline constexpr ParolaChiave SEGNALE{"segnale", {"segnale", ""}};
inline constexpr ParolaChiave RALLENTAMENTO{"rallentamento", {"rallentamento", ""}};
inline constexpr ParolaChiave ABBATTIMENTO{"abbattimento", {"abbattimento", ""}};
inline constexpr ParolaChiave STAZIONE{"stazione", {"stazione", ""}};

inline constexpr std::array PAROLE_LINEA = {
    &LUNGHEZZA_PERCORSO, &PROGRESSIVA_TRE, &PROGRESSIVA_DUE,     &PROGRESSIVA_UNO, &SFONDO_UNO,
    &SFONDO_DUE,         &SFONDO_TRE,      &RIPETIZIONE_SEGNALI, &PENDENZA,        &CURVA,
    &MONTAGNA,           &INDICATORI_VMAX, &CARTELLO_INDICATORE};
inline constexpr std::array PAROLE_INTESTAZIONE = {&LUNGHEZZA_PERCORSO, &PROGRESSIVA_TRE,    &PROGRESSIVA_DUE,
                                                   &PROGRESSIVA_UNO,    &SFONDO_UNO,         &SFONDO_DUE,
                                                   &SFONDO_TRE,         &RIPETIZIONE_SEGNALI};
inline constexpr std::array PAROLE_TRENO = {&MASSA_FRENATA, &NUMERO_VETTURE, &VELOCITA,      &ADERENZA,     &OROLOGIO,
                                            &SABBIA,        &SEGNALE,        &RALLENTAMENTO, &ABBATTIMENTO, &STAZIONE};

// The keywords of a file as authors write them, for "did you mean".
template <size_t N>
constexpr std::array<std::string_view, N> scritte(const std::array<const ParolaChiave*, N>& parole) {
    std::array<std::string_view, N> s{};
    for (size_t i = 0; i < N; ++i) s[i] = parole[i]->scritta;
    return s;
}
inline constexpr auto SCRITTE_LINEA = scritte(PAROLE_LINEA);
inline constexpr auto SCRITTE_TRENO = scritte(PAROLE_TRENO);

}  // namespace compattatore
