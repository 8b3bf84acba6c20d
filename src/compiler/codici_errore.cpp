#include "compiler/codici_errore.h"

#include <array>

namespace compattatore {

namespace {

using enum Livello;

// Built from the named codes, so that a renumbering moves the entry with its
// name; the checks below keep it in order, one entry per code.
constexpr std::array TABELLA = {
    VoceCodice{ERRORE_LUNGHEZZA, errore, false, false, "the line is longer than 1000000 m"},
    VoceCodice{ERRORE_PROGRESSIVA, errore, false, false,
               "a kilometric progressive starts or ends off a multiple of 50 m"},
    VoceCodice{ERRORE_INIZIO_RIPETIZIONE, errore, false, false,
               "the signal repetition stretch starts off a multiple of 50 m"},
    VoceCodice{ERRORE_FINE_RIPETIZIONE, errore, false, false,
               "the signal repetition stretch ends off a multiple of 50 m"},
    VoceCodice{ERRORE_CODICI_RIPETIZIONE, errore, false, false,
               "the signal repetition record names neither 4 nor 9 codes"},
    VoceCodice{ERRORE_CARTELLO_OCCUPATO, errore, false, true, "a text sign falls on a cell that is not free"},
    VoceCodice{ERRORE_ABBATTIMENTO_OCCUPATO, errore, false, true, "an abbattimento falls on a cell that is not free"},
    VoceCodice{ERRORE_POSIZIONE_STAZIONE, errore, false, true, "a station position is not a multiple of 50 m"},
    VoceCodice{ERRORE_MARCIAPIEDE, errore, false, true, "a station's platform length is not a multiple of 100 m"},
    VoceCodice{ERRORE_TABELLA_PIENA, errore, false, false,
               "too many stations and text signs: the object table is full"},
    VoceCodice{AVVISO_CODICE_SEGNALE, avviso, false, true,
               "no free cell for the code cell before a signal ahead of a slowdown warning"},
    VoceCodice{AVVISO_FINESTRA_INIZIO, avviso, false, true, "no free cell for a code cell before a slowdown start"},
    VoceCodice{AVVISO_CODICE_INTERNO, avviso, false, true,
               "no free cell for a code cell inside a slowdown or before the signal after it"},
    VoceCodice{ERRORE_OLTRE_LINEA, errore, false, true,
               "a record lies beyond the end of the line; the rest of its file was skipped"},
    VoceCodice{ERRORE_SEGNALE_OCCUPATO, errore, false, true, "a signal falls on a cell that is not free"},
    VoceCodice{ERRORE_AVVISO_OCCUPATO, errore, false, true,
               "a slowdown's warning point (1200 m before it) falls on a cell that is not free"},
    VoceCodice{ERRORE_INIZIO_OCCUPATO, errore, false, true, "a slowdown's start falls on a cell that is not free"},
    VoceCodice{ERRORE_FINE_OCCUPATA, errore, false, true,
               "a slowdown's end falls on a cell that is not free, or not after its start"},
    VoceCodice{ERRORE_PREAVVISO_OCCUPATO, errore, false, true, "a cell before a slowdown's warning point is not free"},
    VoceCodice{ERRORE_INDICATORE_OCCUPATO, errore, false, true,
               "a maximum-speed board falls on a cell that is not free"},
    VoceCodice{ERRORE_STAZIONI_VICINE, errore, false, true,
               "a station's zone begins less than 350 m after the previous station's zone"},
    VoceCodice{ERRORE_FERMATA_ALL_INIZIO, errore, false, false,
               "a station's stop zone ends too near the start of the line"},
    VoceCodice{ERRORE_LETTURA, errore, false, false, "a description file could not be read"},
    VoceCodice{ERRORE_LINEA_ASSENTE, errore, false, false, "the line description file does not exist"},
    VoceCodice{ERRORE_SENZA_GENERALE, errore, false, false, "the line description file has no [generale] section"},
    VoceCodice{ERRORE_CURVA, errore, false, false,
               "a curve names no radius class 1 to 6, or the plan runs past 1000000 m"},
    VoceCodice{ERRORE_CAMPO_RISERVATO_UNO, errore, true, false,
               "a reserved header field (valori[0] of record 85 or dato1 of cell 1) is set"},
    VoceCodice{ERRORE_CAMPO_RISERVATO_DUE, errore, true, false,
               "a reserved header field (orario of record 85 or dato2 of cell 1) is set"},
};

constexpr bool in_ordine_senza_doppi() {
    for (size_t i = 1; i < TABELLA.size(); ++i)
        if (TABELLA[i - 1].codice >= TABELLA[i].codice) return false;
    return true;
}
static_assert(in_ordine_senza_doppi(), "one entry per code, in ascending order");
static_assert(TABELLA.front().codice > 0, "no code is 0: a diagnostic without a code has none at all");

}  // namespace

std::optional<VoceCodice> voce_codice(int32_t codice) {
    for (const VoceCodice& voce : TABELLA)
        if (voce.codice == codice) return voce;
    return std::nullopt;
}

}  // namespace compattatore
