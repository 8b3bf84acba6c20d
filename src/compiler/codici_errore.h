// Every code a compilation can end with, by name, with what it means in
// words and how it is treated. The reader, the recorders, the finishing pass
// and every report name codes through this one table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace compattatore {

inline constexpr int32_t ERRORE_LUNGHEZZA = 1;              // line longer than 1000000 m
inline constexpr int32_t ERRORE_PROGRESSIVA = 2;            // progressive off a multiple of 50
inline constexpr int32_t ERRORE_INIZIO_RIPETIZIONE = 3;     // repetition start off a multiple of 50
inline constexpr int32_t ERRORE_FINE_RIPETIZIONE = 4;       // repetition end off a multiple of 50
inline constexpr int32_t ERRORE_CODICI_RIPETIZIONE = 5;     // repetition keyword without 4 or 9
inline constexpr int32_t ERRORE_CARTELLO_OCCUPATO = 6;      // text sign on a taken cell
inline constexpr int32_t ERRORE_ABBATTIMENTO_OCCUPATO = 7;  // abbattimento on a taken cell
inline constexpr int32_t ERRORE_POSIZIONE_STAZIONE = 8;     // station off a multiple of 50
inline constexpr int32_t ERRORE_MARCIAPIEDE = 9;            // platform off a multiple of 100
inline constexpr int32_t ERRORE_TABELLA_PIENA = 10;         // stations reach the text signs
inline constexpr int32_t AVVISO_CODICE_SEGNALE = 11;        // finishing pass: before a signal
inline constexpr int32_t AVVISO_FINESTRA_INIZIO = 12;       // finishing pass: before a slowdown start
inline constexpr int32_t AVVISO_CODICE_INTERNO = 13;        // finishing pass: inside or after a slowdown
inline constexpr int32_t ERRORE_OLTRE_LINEA = 15;           // a record beyond the cells
inline constexpr int32_t ERRORE_SEGNALE_OCCUPATO = 16;
inline constexpr int32_t ERRORE_AVVISO_OCCUPATO = 17;      // slowdown warning cell
inline constexpr int32_t ERRORE_INIZIO_OCCUPATO = 18;      // slowdown start cell
inline constexpr int32_t ERRORE_FINE_OCCUPATA = 19;        // slowdown end cell
inline constexpr int32_t ERRORE_PREAVVISO_OCCUPATO = 20;   // slowdown approach cells
inline constexpr int32_t ERRORE_INDICATORE_OCCUPATO = 21;  // speed board
inline constexpr int32_t ERRORE_STAZIONI_VICINE = 22;
inline constexpr int32_t ERRORE_FERMATA_ALL_INIZIO = 24;
inline constexpr int32_t ERRORE_LETTURA = 25;  // any other failure while reading
inline constexpr int32_t ERRORE_LINEA_ASSENTE = 101;
inline constexpr int32_t ERRORE_SENZA_GENERALE = 102;
inline constexpr int32_t ERRORE_CURVA = 103;
inline constexpr int32_t ERRORE_CAMPO_RISERVATO_UNO = 1250;  // valori[0] of 85, dato1 of cell 1, an object in cell 1
inline constexpr int32_t ERRORE_CAMPO_RISERVATO_DUE = 1251;  // orario of 85 or dato2 of cell 1

// The one notion of severity, for a code of the table as for a diagnostic
// that has none.
enum class Livello {
    errore,  // the scenario is not whole: nothing is written unless forced
    avviso,  // the files are written as they are
};

struct VoceCodice {
    int32_t codice;
    Livello livello;
    // A reserved header field is set: the normal run shows the bare code in
    // the error box instead of a line among its messages, and nothing is
    // written even when forced.
    bool riservato;
    bool ha_posizione;  // a diagnostic of this code gives the record's position in metres
    std::string_view significato;
};

// The entry of `codice`; none for a number no part of the program sets.
std::optional<VoceCodice> voce_codice(int32_t codice);

}  // namespace compattatore
