// The editor's questions about one description file, each answered from
// its text alone (the file's other scenario files only for the swap): the
// hover, completion, signature help, inlay hints, outline, formatting and
// quick fixes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lsp/campi_riga.h"
#include "lsp/documenti.h"
#include "lsp/json_lsp.h"
#include "lsp/schede.h"

namespace compattatore {

// An open description file as the compiler reads it.
struct Documento {
    std::string percorso;
    std::string testo;  // Windows-1252: one byte a character, one UTF-16 unit
    bool linea() const;
};

// One line of the file, split into fields, with the record it holds.
struct RigaRecord {
    std::string_view testo;
    std::vector<CampoRiga> campi;
    const Scheda* scheda = nullptr;  // none: no record's keyword in its first field
};
RigaRecord analizza_riga(std::string_view riga, bool linea);

// A position field's number (rounded as the reader rounds it); none for
// anything else.
std::optional<int32_t> metri_di(std::string_view campo);
// The cell a position lands on by `regola`, as "cell 425 (21,250–21,300 m)"
// and as "cell 425, km 21+250".
int64_t cella_per(int32_t metri, RegolaCella regola);
std::string cella_e_metri(int64_t cella);
std::string cella_e_chilometro(int64_t cella);

// The range from character `da` to `a` of line `riga`, as the protocol
// writes one.
Json intervallo(size_t riga, size_t da, size_t a);
// The lines a request's "range" covers, [da, a), cut at the text's `righe`.
std::pair<size_t, size_t> righe_richieste(const Json& parametri, size_t righe);

struct DomandaDocumento {
    std::string_view metodo;
    Json (*rispondi)(const Documento& documento, const Json& parametri, const DocumentiAperti& aperti);
};

// The answer to `metodo` about a document; null for a method of another kind.
const DomandaDocumento* domanda_per(std::string_view metodo);

// Each answer, given the request's parameters.
Json hover(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json completamento(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json firma(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json suggerimenti_posizione(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json simboli(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json formattazione(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);
Json azioni(const Documento& d, const Json& parametri, const DocumentiAperti& aperti);

}  // namespace compattatore
