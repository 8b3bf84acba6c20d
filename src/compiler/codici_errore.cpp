#include "compiler/codici_errore.h"

#include <array>

namespace compattatore {

namespace {

using enum GravitaCodice;

constexpr std::array TABELLA = {
    VoceCodice{1, errore, false, "the line is longer than 1000000 m"},
    VoceCodice{2, errore, false, "a kilometric progressive starts or ends off a multiple of 50 m"},
    VoceCodice{3, errore, false, "the signal repetition stretch starts off a multiple of 50 m"},
    VoceCodice{4, errore, false, "the signal repetition stretch ends off a multiple of 50 m"},
    VoceCodice{5, errore, false, "the signal repetition record names neither 4 nor 9 codes"},
    VoceCodice{6, errore, true, "a text sign falls on a cell that is not free"},
    VoceCodice{7, errore, true, "an abbattimento falls on a cell that is not free"},
    VoceCodice{8, errore, true, "a station position is not a multiple of 50 m"},
    VoceCodice{9, errore, true, "a station's platform length is not a multiple of 100 m"},
    VoceCodice{10, errore, false, "too many stations and text signs: the object table is full"},
    VoceCodice{11, avviso, true, "no free cell for the code cell before a signal ahead of a slowdown warning"},
    VoceCodice{12, avviso, true, "no free cell for a code cell before a slowdown start"},
    VoceCodice{13, avviso, true, "no free cell for a code cell inside a slowdown or before the signal after it"},
    VoceCodice{15, errore, true, "a record lies beyond the end of the line; the rest of its file was skipped"},
    VoceCodice{16, errore, true, "a signal falls on a cell that is not free"},
    VoceCodice{17, errore, true, "a slowdown's warning point (1200 m before it) falls on a cell that is not free"},
    VoceCodice{18, errore, true, "a slowdown's start falls on a cell that is not free"},
    VoceCodice{19, errore, true, "a slowdown's end falls on a cell that is not free"},
    VoceCodice{20, errore, true, "a cell before a slowdown's warning point is not free"},
    VoceCodice{21, errore, true, "a maximum-speed board falls on a cell that is not free"},
    VoceCodice{22, errore, true, "a station's zone begins less than 350 m after the previous station's zone"},
    VoceCodice{24, errore, false, "a station's stop zone ends too near the start of the line"},
    VoceCodice{25, errore, false, "a description file could not be read"},
    VoceCodice{101, errore, false, "the line description file does not exist"},
    VoceCodice{102, errore, false, "the line description file has no [generale] section"},
    VoceCodice{103, errore, false, "a curve names no radius class 1 to 6, or the plan runs past 1000000 m"},
    VoceCodice{1250, mostrato, false, "a reserved header field (valori[0] of record 85 or dato1 of cell 1) is set"},
    VoceCodice{1251, mostrato, false, "a reserved header field (orario of record 85 or dato2 of cell 1) is set"},
};

}  // namespace

std::optional<VoceCodice> voce_codice(int32_t codice) {
    for (const VoceCodice& voce : TABELLA)
        if (voce.codice == codice) return voce;
    return std::nullopt;
}

bool e_avviso(int32_t codice) {
    auto voce = voce_codice(codice);
    return voce && voce->gravita == GravitaCodice::avviso;
}

}  // namespace compattatore
