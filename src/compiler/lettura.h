// What the two description readers share while one file is read: the model,
// the field reader over the file's text and the file's path, the diagnostics
// found so far, with the steps that record a condition and the recovery
// after a rejected record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/codici_errore.h"
#include "compiler/diagnostiche.h"
#include "compiler/lettore_campi.h"
#include "compiler/provenienze.h"
#include "model/modello.h"

namespace compattatore {

// How a record or a file ended: read, at a record beyond the cells (code 15,
// which ends only this file), or with a code that ends the reader.
enum class Esito { prosegui, fuori_percorso, interrotta };

// Substring tests on a field: case-insensitive (ASCII) and exact.
bool contiene(std::string_view voce, std::string_view parola);
bool contiene_esatto(std::string_view voce, std::string_view parola);

// What the reading of both files shares. `recupera` false: the first
// rejected record ends the reading, as the model to be written needs; true:
// the record is skipped, as if it had not been there, and reading goes on at
// the next line, so that every error is found in one pass.
struct Raccolta {
    Raccolta(ElencoDiagnostiche& d, Provenienze& p, bool recupera_)
        : diagnostiche(d), provenienze(p), recupera(recupera_) {}

    ElencoDiagnostiche& diagnostiche;
    Provenienze& provenienze;
    bool recupera;
    bool celle_attese = false;  // the length record has been met or passed: no cells, nothing to check against
    // The objects the record being read is writing, as they were before it,
    // for recovery (the cells and the plan are taken back alike).
    std::vector<std::pair<size_t, Oggetto>> oggetti_prima;
    // Where the line's length was set, for the note of a record beyond it.
    Luogo luogo_lunghezza;
    std::string file_lunghezza;
    // The first record beyond the line's end in the file being read, when
    // reading goes on past it: the records beyond it share its cause, so
    // they only add to its count.
    struct OltreLinea {
        std::string file;
        size_t voce = 0;
        int32_t altri = 0;
    };
    std::optional<OltreLinea> oltre_linea;
};

struct Lettura {
    Lettura(Modello& modello, std::string_view contenuto, const std::string& percorso, Raccolta& raccolta)
        : m(modello), campi(contenuto), file(percorso), r(raccolta) {}

    // The reader's cursor: the record readers and recorders read and move
    // these fields directly, so they stay public.
    // NOLINTBEGIN(cppcoreguidelines-non-private-member-variables-in-classes)
    Modello& m;
    LettoreCampi campi;
    const std::string& file;
    Raccolta& r;
    std::string voce_letta;  // the field most recently read
    int riga_testo = 0;      // the line of the last object text read, for the hint to quote one with a comma
    int riga_ignorata = 0;   // the line of the last word skipped: the numbers after it on that line are its own
    Luogo voce;              // where voce_letta begins
    Segno dopo_voce;         // just after it
    // NOLINTEND(cppcoreguidelines-non-private-member-variables-in-classes)

    // The next text field, warning of a quoted one that runs over a line end.
    CampoLetto testo(const char* record = nullptr, const char* campo = nullptr);
    // The next field into voce_letta.
    void leggi_voce();
    // A number; one written with a decimal point that is not a whole
    // number, or that reads as a thousands separator (40.000), is a
    // value-truncated diagnostic.
    template <class T>
    Valore<T> numero(const char* record, const char* campo) {
        Valore<T> v = campi.leggi_numero<T>(record, campo);
        if (!v.scritto.empty()) punto_decimale(record, campo, v.v, v.luogo, v.scritto);
        return v;
    }

    // A text field an object record keeps: its file stores the length in 16
    // bits, so a longer text cannot be compiled. One on a later line than
    // its keyword that reads as a record's keyword is a field missing from
    // the record: the text took the next record, which would vanish.
    std::string_view testo_oggetto(const char* record, const char* campo);

    // Records an error with the field it concerns and why (and the record's
    // position for the codes that keep one). A field on a later line than
    // the record's keyword gets a note at the keyword.
    // Returns the diagnostic as kept (null beyond the error limit).
    Diagnostica* registra(int32_t codice, Luogo luogo, std::string motivo);
    Diagnostica* registra(int32_t codice, int32_t posizione, Luogo luogo, std::string motivo);
    // A record refused because `cella` is taken: the note names the record
    // that took it.
    void conflitto(int32_t codice, int64_t cella, int32_t posizione, Luogo luogo, std::string motivo);
    // A warning about what the reader drops or bends without a word.
    Diagnostica* avvisa(std::string_view gruppo, Luogo luogo, std::string motivo);
    // Object `indice` of the table, to write: while a record may be taken
    // back, as it was is kept first. Every write of a record goes through it.
    Oggetto& oggetto(int indice);
    // `cella` now holds the object of the record at `posizione`.
    void colloca(int64_t cella, const Valore<int32_t>& posizione);

    // The range check: a record at p needs cells up to (p + margine) / 50;
    // otherwise code 15. Throws when there is no cell array yet, or when p
    // is before the line's start.
    bool nel_percorso(int32_t p, int32_t margine, const char* record, Luogo luogo);

    // Runs one record, a failure of the reader recorded as code 25.
    template <class F>
    Esito esegui(F&& record);

    // One record with its recovery: when it is rejected and the whole
    // scenario is checked, the model and the reader's state `stato` go back
    // to what they were before it, and reading resumes at the next line.
    template <class Stato, class F>
    Esito un_record(Stato& stato, F&& record);
    template <class F>
    Esito un_record(F&& record) {
        struct Nessuno {
        } nessuno;
        return un_record(nessuno, record);
    }

    // A field that names no record here: a warning when it looks like a
    // misspelt record or names a section this file does not have, with the
    // nearest known one; a number, which can only be left over from the
    // record before (a decimal comma), is an error.
    void voce_ignorata(std::span<const std::string_view> sezioni, std::span<const std::string_view> parole);
    // A value kept by its low bits in a narrower field: a warning saying
    // what is stored instead.
    void controlla_8(const Valore<int32_t>& v, const char* cosa);
    void controlla_16(const Valore<int32_t>& v, const char* cosa);
    // A point object placed past the line's end, in the run-out cells.
    void controlla_oltre_linea(const Valore<int32_t>& p, const char* record);

private:
    void punto_decimale(const char* record, const char* campo, int64_t letto, Luogo luogo, std::string_view scritto);
    // An unknown-record or unknown-section warning, with its "did you mean".
    void sconosciuta(std::string_view gruppo, std::string motivo, std::span<const std::string_view> note);

    // What the model was before a record, beside the cells the record will
    // log as it changes them.
    struct Ripristino {
        bool senza_celle = false;
        TrattiTracciato::Tacca tracciato;
    };
    Ripristino prepara_ripristino();
    // The model back to what it was before the rejected record.
    void ripristina(const Ripristino& prima);

    // After a rejected record: reading can go on unless there are too many
    // errors or no cells to check the rest against (then a note says so).
    bool puo_proseguire(Diagnostica* rifiuto);
    Diagnostica* ultimo_rifiuto = nullptr;  // the error of the record being read, if any
};

// The record loop of a file's body, to its end: each field is a record's
// keyword, except that a dash field makes the reader take the next one
// instead (twice at most). Stops at the first record that does not let
// reading go on.
template <class Stato, class F>
Esito per_ogni_record(Lettura& l, Stato& stato, F&& record) {
    for (;;) {
        if (l.campi.fine_file()) return Esito::prosegui;
        l.leggi_voce();
        if (l.campi.fine_file()) return Esito::prosegui;
        for (int n = 0; n < 2 && contiene_esatto(l.voce_letta, "-"); ++n) {
            l.leggi_voce();
            if (l.campi.fine_file()) return Esito::prosegui;
        }
        if (Esito e = l.un_record(stato, record); e != Esito::prosegui) return e;
    }
}

// Runs a recorder; a failure inside it is placed at the record's position field.
template <class F>
auto nel_campo(Luogo luogo, F&& registratore) {
    try {
        return registratore();
    } catch (ErroreLettura& e) {
        e.colloca(luogo);
        throw;
    }
}

template <class F>
Esito Lettura::esegui(F&& record) {
    try {
        return record();
    } catch (const ErroreLettura& e) {
        registra(ERRORE_LETTURA, e.luogo(), e.what());
        return Esito::interrotta;
    }
}

template <class Stato, class F>
Esito Lettura::un_record(Stato& stato, F&& record) {
    if (!r.recupera) return esegui(record);
    ultimo_rifiuto = nullptr;
    const Ripristino ripristino = prepara_ripristino();
    const Stato prima = stato;
    const Segno ripresa = dopo_voce;
    const int riga = voce.riga;
    const Esito e = esegui(record);
    m.registro_celle.attivo = false;
    if (e == Esito::prosegui) return e;
    ripristina(ripristino);
    stato = prima;
    if (!puo_proseguire(ultimo_rifiuto)) return Esito::interrotta;
    campi.riprendi_dopo_riga(ripresa, riga);
    return Esito::prosegui;
}

}  // namespace compattatore
