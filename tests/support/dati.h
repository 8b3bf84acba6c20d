// The normal run in the tests: the reference copies of its object and cell
// files kept in the test data, and one real run of the built program shared
// by the tests of a test process.
#pragma once

#include <cstdint>
#include <string>

#include "support/processo.h"

namespace compattatore::prova {

// The normal run's description files, kept beside its reference files.
inline const std::string LINEA_NORMALE = "Corvale_Mendra_linea.txt";
inline const std::string TRENO_NORMALE = "Corvale_Mendra_4821-3-.txt";

// Directory of the reference object and cell files.
inline const std::string DIRECTORY_CORSA_NORMALE = std::string(DATI_TEST) + "/normal-run";
inline const std::string FILE_OGGETTI_NORMALE = "Corvale_Mendra_4821-3.sim";
inline const std::string FILE_CELLE_NORMALE = "Corvale_Mendra_4821-3.dat";
inline const std::string FILE_TRACCIATO_NORMALE = "Corvale_Mendra_linea.dat";
// The plan file is too large to keep: its digest pins it.
inline constexpr const char* SHA256_TRACCIATO_NORMALE =
    "198c4a6acd31c1bde5779f2978eb995edb1deaf5ed0c539599511a219f11841b";
// Rows of the normal run's plan: 97000 m of line and 7000 beyond, both ends included.
inline constexpr int64_t RIGHE_TRACCIATO_NORMALE = 97000 + 7001;

// A reference file of the normal run, whole.
std::string dato_normale(const std::string& nome);

struct CorsaNormale {
    std::string directory;  // tests read it and never change it
    EsitoProcesso esito;
};

// A normal run of the built program (`--dir DIR --no-window`), made the first
// time a test of this process asks for it; its directory goes when the
// process ends.
const CorsaNormale& corsa_normale_eseguita();

}  // namespace compattatore::prova
