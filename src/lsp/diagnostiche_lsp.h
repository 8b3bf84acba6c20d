// The compiler's diagnostics as the editor shows them: each file of a
// group of scenarios with its own list, said exactly as `compile` says them.
#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostiche.h"
#include "lsp/documenti.h"
#include "lsp/json_lsp.h"
#include "lsp/scenari.h"

namespace compattatore {

// What the client's initialization options set, as `compile`'s options do.
struct OpzioniDiagnostiche {
    // -Wno-KIND, and the kinds off unless -WKIND.
    std::set<std::string, std::less<>> silenziati{std::begin(GRUPPI_SPENTI), std::end(GRUPPI_SPENTI)};
    size_t massimo_errori = 20;  // --max-errors; 0: no limit
    bool tracciato = true;       // false: --no-plan
};

// Every file of `gruppo` (the line file and each train file) with its LSP
// Diagnostic objects, in the order `compile` reports them; the notes become
// related information. The line file's diagnostics found again by the
// scenario of another train file are given once.
std::map<std::string, Json> diagnostiche_gruppo(const GruppoScenari& gruppo, const DocumentiAperti& aperti,
                                                const OpzioniDiagnostiche& opzioni);

// The LSP Range of the field at 1-based `riga` and `colonna` among `righe`
// (Windows-1252, one character a byte, as one UTF-16 unit): from the column
// to the field's end. Line 0 is the start of the file.
Json intervallo_campo(const std::vector<std::string_view>& righe, int riga, int colonna);

}  // namespace compattatore
