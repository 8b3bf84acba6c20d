// Compile, decompile, compile again: the helpers the decompiler's tests share.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "decompile/decompila.h"

namespace compattatore::prova {

// The three binary files of a compile, as bytes; no plan when not asked for.
struct FileBinari {
    std::optional<std::string> tracciato;
    std::string oggetti;
    std::string celle;
    int32_t codice = 0;               // the reading or reserved-field code; 0 when clean
    std::vector<std::string> avvisi;  // warnings of the finishing pass, as codes
    size_t diagnostiche = 0;          // every error, warning and note reported
    std::string motivi;               // their lines and reasons, one a line
};

// Compiles the two texts in memory with the keys.
FileBinari compila_testi(const std::string& linea, const std::string& treno, bool tracciato,
                         const ChiaviScenario& chiavi);

// The files decoded, as a command finds them.
ScenarioCompilato decodifica(const FileBinari& file, const ChiaviScenario& chiavi);

// "line 12: ..." for the lines of a description, CR LF ended, for failure messages.
std::string testo_di(const std::vector<std::string>& righe);

// What a round trip gave: the decompiled texts, the places found, and the
// files the texts compile to.
struct Giro {
    SorgentiRicostruite sorgenti;
    FileBinari ricompilati;
};
Giro giro(const FileBinari& file, const ChiaviScenario& chiavi);

// The round trip is exact: nothing reported, a clean compile (with no
// diagnostic at all when the scenario drew none), the same bytes.
::testing::AssertionResult giro_esatto(const FileBinari& file, const ChiaviScenario& chiavi);

// For a reader test's two texts: when they compile cleanly, their round trip
// through the decompiler is exact.
::testing::AssertionResult giro_esatto_se_pulito(const std::string& linea, const std::string& treno, bool tracciato);

}  // namespace compattatore::prova
