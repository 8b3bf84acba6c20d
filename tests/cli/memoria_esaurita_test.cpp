// Out of memory, under a limit on the address space as `ulimit -v` sets it:
// each command stops with status 3 and says so, leaving the compiled files as
// they were and no output or temporary behind, instead of aborting.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "linea_generata.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"
#include "support/sanitizzatore.h"

namespace compattatore {
namespace {

// Enough for the program to start and to handle the normal run's scenario,
// far from enough for the plan of the longest line (20 MB on disk, as much
// again decoded) or a 24 MB description file.
constexpr size_t LIMITE = size_t{32} << 20;

TEST(MemoriaEsaurita, EachCommandStopsWithStatus3AndLeavesNothingBehind) {
    if (prova::CON_ASAN)
        GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no limit on it can be set";
    prova::CartellaTemporanea compilati;  // the longest line, compiled without a limit
    const std::string linea = banco::CHIAVE_LINEA, treno = banco::CHIAVE_TRENO;
    const std::string file_linea = nome_descrizione_linea(linea), file_treno = nome_descrizione_treno(linea, treno);
    const std::string testo_linea = banco::linea_generata(banco::LUNGHEZZA_MASSIMA);
    compilati.scrivi(file_linea, testo_linea);
    compilati.scrivi(file_treno, banco::treno_generato(banco::LUNGHEZZA_MASSIMA));
    ASSERT_EQ(prova::esegui_programma(
                  {"compile", compilati.file(file_linea), compilati.file(file_treno), "-o", compilati.str()})
                  .stato,
              0);
    // The same line with 24 MB of empty lines after its end.
    prova::CartellaTemporanea grande;
    grande.scrivi(file_linea, testo_linea + std::string(size_t{24} << 20, '\n'));
    grande.scrivi(file_treno, compilati.leggi(file_treno));
    const auto prima = prova::istantanea(compilati.percorso());

    const struct {
        const char* comando;
        std::vector<std::string> argomenti;  // after the command; OUT is the output folder
    } casi[] = {
        {"inspect", {compilati.str()}},
        {"draw", {compilati.str(), "-o", "OUT/linea.svg"}},
        {"view", {compilati.str(), "-o", "OUT/linea.html"}},
        {"decompile", {compilati.str(), "-o", "OUT"}},
        {"compile", {grande.file(file_linea), grande.file(file_treno), "-o", "OUT"}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.comando);
        prova::CartellaTemporanea uscita, raccolta;
        std::vector<std::string> argomenti{PROGRAMMA, c.comando};
        for (std::string a : c.argomenti) {
            if (a.starts_with("OUT")) a.replace(0, 3, uscita.str());
            argomenti.push_back(a);
        }
        prova::ProcessoFiglio processo({.argomenti = argomenti,
                                        .file_uscita = raccolta.file("stdout"),
                                        .file_errori = raccolta.file("stderr"),
                                        .limite_memoria = LIMITE});
        EXPECT_EQ(processo.attendi(std::chrono::minutes(1)), std::optional<int>(3));
        EXPECT_EQ(raccolta.leggi("stderr"),
                  std::string("compattatore ") + c.comando +
                      ": out of memory; the work was stopped and its temporary files removed\n");
        EXPECT_TRUE(std::filesystem::is_empty(uscita.percorso()));
        EXPECT_EQ(prova::istantanea(compilati.percorso()), prima);
    }
}

}  // namespace
}  // namespace compattatore
