// Located diagnostics: every condition the reader, the recorders and the
// finishing pass find, with its file, line, column and the record's position,
// collected in one list in the order found. The run layer formats the list,
// as text or JSON, in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/codici_errore.h"
#include "model/errore_lettura.h"
#include "model/testo_1252.h"

namespace compattatore {

// A further place that explains a diagnostic: where its record begins, who
// holds a contested cell.
struct Nota {
    std::string file;
    Luogo luogo;
    std::string testo;
};

// A fix an editor can apply as it stands: the `lunghezza` bytes at `luogo`,
// on one line, become `testo` (a misspelt keyword becomes the known one).
struct Sostituzione {
    Luogo luogo;
    int lunghezza = 0;
    std::string testo;
    bool operator==(const Sostituzione&) const = default;
};

struct Diagnostica {
    Livello livello = Livello::errore;
    std::optional<int32_t> codice;     // the code table's code; none for a reader's warning or a decompile message
    std::string_view gruppo;           // a reader's warning's kind, as in -Wunknown-record; empty otherwise
    std::string file;                  // empty: the scenario as a whole
    Luogo luogo;                       // 0 where no line or column can be named
    std::optional<int32_t> posizione;  // metres, as the record wrote it
    std::optional<int64_t> cella;      // the cell a finishing warning concerns
    std::string motivo;                // what failed, in words (empty when the code says it all)
    std::vector<Nota> note;
    std::optional<Sostituzione> sostituzione;  // the "did you mean" of the message, as an edit
};

// The condition of code `codice`, at `luogo` of `file` (empty: the scenario
// as a whole), with the severity the code table gives it (an error for a
// number not in the table).
Diagnostica crea_diagnostica(int32_t codice, std::string file, Luogo luogo, std::string motivo);
// An error no code names: what decompiling found.
Diagnostica crea_messaggio(std::string file, Luogo luogo, std::string motivo);
// A warning of the reader of kind `gruppo`.
Diagnostica crea_avviso(std::string_view gruppo, std::string file, Luogo luogo, std::string motivo);

// Kinds of the reader's warnings about what it drops or bends without a
// word, or about records that disagree with each other; each is silenced by
// -Wno-KIND and made an error by -Werror=KIND.
inline constexpr std::string_view AVVISO_RECORD_SCONOSCIUTO = "unknown-record";
inline constexpr std::string_view AVVISO_SEZIONE_SCONOSCIUTA = "unknown-section";
inline constexpr std::string_view AVVISO_TRATTO_ROVESCIATO = "reversed-span";
inline constexpr std::string_view AVVISO_OLTRE_LINEA = "beyond-line";
// A value the compiled files cannot hold as written: an error unless
// -Wno-error=value-truncated.
inline constexpr std::string_view AVVISO_VALORE_TRONCATO = "value-truncated";
inline constexpr std::string_view AVVISO_TESTO_A_CAPO = "multiline-text";
inline constexpr std::string_view AVVISO_FUORI_ORDINE = "out-of-order";
inline constexpr std::string_view AVVISO_SOVRAPPOSTI = "overlap";
inline constexpr std::string_view AVVISO_ORARIO_INDIETRO = "time-backwards";
inline constexpr std::string_view AVVISO_SOPRA_LIMITE = "board-above-limit";
inline constexpr std::string_view GRUPPI_AVVISO[] = {
    AVVISO_RECORD_SCONOSCIUTO, AVVISO_SEZIONE_SCONOSCIUTA, AVVISO_TRATTO_ROVESCIATO, AVVISO_OLTRE_LINEA,
    AVVISO_VALORE_TRONCATO,    AVVISO_TESTO_A_CAPO,        AVVISO_FUORI_ORDINE,      AVVISO_SOVRAPPOSTI,
    AVVISO_ORARIO_INDIETRO,    AVVISO_SOPRA_LIMITE};
// The kinds not shown unless -WKIND asks for them: what they find is as
// often meant as mistaken.
inline constexpr std::string_view GRUPPI_SPENTI[] = {AVVISO_SOPRA_LIMITE};
// The kinds that are errors unless -Wno-error=KIND: the compiled files would
// hold something else than what was written.
inline constexpr std::string_view GRUPPI_ERRORE[] = {AVVISO_VALORE_TRONCATO};

// A character that Windows-1252 cannot hold, at its line and column of
// `file` (code 25).
Diagnostica diagnostica_carattere(std::string file, const CarattereNonRappresentabile& carattere);

// What a diagnostic says: the code's meaning, the record's position in
// metres and the cell concerned ("at 21200 m (cell 425, 21250-21300 m)"),
// the reader's reason; a warning of the reader, its reason.
std::string significato_diagnostica(const Diagnostica& d);

// A diagnostic's message: the code's meaning, the record's position in
// metres and the cell concerned ("at 21200 m (cell 425, 21250-21300 m)"),
// the reader's reason, then "[E<code>]" or the warning's "[-W<kind>]".
std::string messaggio_diagnostica(const Diagnostica& d);

// The diagnostics a report shows: all of them but the reader's warnings of
// the kinds in `silenziati`.
std::vector<Diagnostica> da_mostrare(const std::vector<Diagnostica>& voci,
                                     const std::set<std::string, std::less<>>& silenziati);

class ElencoDiagnostiche {
public:
    // At most `massimo_errori` errors are kept (0: no limit); one more marks
    // the list as full, and reading stops.
    ElencoDiagnostiche() = default;
    explicit ElencoDiagnostiche(size_t massimo_errori) : massimo_(massimo_errori) {}

    // The diagnostic as kept, to add to it at once; null when it is an
    // error beyond the limit, or comes after one: that one is set aside.
    Diagnostica* aggiungi(Diagnostica d);
    // What is reported, in the order found.
    const std::vector<Diagnostica>& voci() const { return voci_; }
    // The `indice`th reported, to add to it later.
    Diagnostica& voce(size_t indice) { return voci_.at(indice); }
    // What was found once the list was full: never reported, but still part
    // of the outcome (a reserved field set stops the writing all the same).
    const std::vector<Diagnostica>& oltre_limite() const { return oltre_limite_; }
    const Diagnostica* primo_errore() const;
    size_t errori() const;
    // True once an error beyond the limit was met.
    bool troppi() const { return troppi_; }
    // True once the limit is reached: a further error would be one too many.
    bool al_limite() const { return massimo_ != 0 && errori() >= massimo_; }

private:
    std::vector<Diagnostica> voci_;
    std::vector<Diagnostica> oltre_limite_;
    size_t massimo_ = 0;
    bool troppi_ = false;
};

}  // namespace compattatore
