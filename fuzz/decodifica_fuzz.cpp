// libFuzzer target: a compiled set read back as `inspect`, `draw`, `view` and
// `decompile` read it: the three files decoded together, then the report in
// both forms, the drawing, the viewer page and the decompiled descriptions.
//
// An input is one byte whose low bit says whether there is a plan file, the
// object file's length (4 bytes, little-endian) and its bytes, the cell file's
// length and its bytes, then the plan file (the rest of the input). A length
// beyond what is left takes what is left, so that every input is a set.
//
// A set the decoder refuses must be refused with ErroreDecodifica, which the
// commands report as a damaged file; a set it accepts must go through every
// command's work with no other exception and nothing the sanitizers report.
// The decompiler may say a set it accepted is damaged too (values no
// description could give), with the same exception.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decompile/decompila.h"
#include "draw/disegno.h"
#include "format/decodifica.h"
#include "inspect/forme_rapporto.h"
#include "scenario/rapporto.h"
#include "view/pagina.h"

namespace {

using namespace compattatore;

// The next part of the input: a 4-byte length, then that many bytes (or all that is left).
std::string_view parte(std::string_view& resto) {
    uint32_t lunghezza = 0;
    for (size_t i = 0; i < 4 && !resto.empty(); ++i) {
        lunghezza |= static_cast<uint32_t>(static_cast<unsigned char>(resto.front())) << (8 * i);
        resto.remove_prefix(1);
    }
    const std::string_view p = resto.substr(0, lunghezza);
    resto.remove_prefix(p.size());
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    if (dimensione == 0) return -1;  // not an input: no flag byte
    const bool con_tracciato = (dati[0] & 1) != 0;
    std::string_view resto(reinterpret_cast<const char*>(dati + 1), dimensione - 1);
    const ImmagineFile oggetti{"L_T.sim", std::string(parte(resto))};
    const ImmagineFile celle{"L_T.dat", std::string(parte(resto))};
    std::optional<ImmagineFile> tracciato;
    if (con_tracciato) tracciato = ImmagineFile{"L_linea.dat", std::string(resto)};

    const ChiaviScenario chiavi{"L", "T"};
    try {
        const ScenarioCompilato scenario = decodifica_scenario(oggetti, celle, tracciato);
        const Rapporto rapporto = costruisci_rapporto(scenario, chiavi, {});
        rapporto_testo(rapporto);
        rapporto_json(rapporto);
        disegna_scenario(scenario, chiavi);
        pagina_vista(scenario, chiavi);
        decompila(scenario, chiavi);
    } catch (const ErroreDecodifica&) {
        // A damaged set, named as the commands name it.
    }
    return 0;
}
