// The compile of the longest line computes the plan's rows while it writes
// them and streams the files: its peak memory is a fraction of the plan
// file's size. Holding the rows (16 bytes each, about 0.8 times the file) or
// a whole file in memory fails here.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "linea_generata.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"
#include "support/sanitizzatore.h"

namespace compattatore {
namespace {

TEST(MemoriaLineaMassima, PeakOfTheCompileStaysWithinHalfTheSizeOfThePlanFile) {
    if (prova::CON_ASAN) GTEST_SKIP() << "a sanitizer keeps freed memory and shadows all of it";
    // The kernel counts the starting process's own peak in the child's.
    rusage proprio{};
    getrusage(RUSAGE_SELF, &proprio);

    prova::CartellaTemporanea dir;
    const std::string linea = banco::CHIAVE_LINEA, treno = banco::CHIAVE_TRENO;
    dir.scrivi(nome_descrizione_linea(linea), banco::linea_generata(banco::LUNGHEZZA_MASSIMA));
    dir.scrivi(nome_descrizione_treno(linea, treno), banco::treno_generato(banco::LUNGHEZZA_MASSIMA));

    const auto esito = prova::esegui_programma({"compile", dir.file(nome_descrizione_linea(linea)),
                                                dir.file(nome_descrizione_treno(linea, treno)), "-o", dir.str()});

    ASSERT_EQ(esito.stato, 0) << esito.errori;
    const double piano = static_cast<double>(std::filesystem::file_size(dir.file(nome_file_tracciato(linea))));
    ASSERT_EQ(piano, 20139964.0);
    const double limite = 0.5 * piano;
    if (static_cast<double>(proprio.ru_maxrss) * 1024 > limite)
        GTEST_SKIP() << "this test process already peaked at " << proprio.ru_maxrss << " KiB; run the test alone";
    EXPECT_LE(static_cast<double>(esito.picco_memoria_kib) * 1024, limite)
        << "peak " << esito.picco_memoria_kib << " KiB";
}

}  // namespace
}  // namespace compattatore
