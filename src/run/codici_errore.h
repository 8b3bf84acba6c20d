// Every code a compilation can end with, what it means in words and how it is
// treated. The console run, the author's compile command and the window
// backend all describe codes through this one table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace compattatore {

enum class GravitaCodice {
    errore,   // recorded while reading: the scenario is not whole, nothing is written
    avviso,   // recorded by the finishing pass: the files are written as they are
    mostrato, // a reserved header field is set: shown through `errore`, nothing is written
};

struct VoceCodice {
    int32_t codice;
    GravitaCodice gravita;
    bool ha_posizione;  // posizione_errore (metres) is set by this code
    std::string_view significato;
};

// The entry of `codice`; none for 0 or a number no part of the program sets.
std::optional<VoceCodice> voce_codice(int32_t codice);

// Whether a recorded code still lets the binary files be written (11 to 13).
bool e_avviso(int32_t codice);

}  // namespace compattatore
