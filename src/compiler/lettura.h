// What the two description readers share while one file is read: the model,
// the field reader over the file's bytes and the file's path, with the steps
// that record a condition.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "compiler/lettore_campi.h"
#include "compiler/modello.h"

namespace compattatore {

// How reading a file ended: at its end, at a record beyond the cells (code
// 15, which ends only this file), or with a code that ends the reader.
enum class Esito { prosegui, fuori_percorso, interrotta };

// Substring tests on a field: case-insensitive (ASCII) and exact.
bool contiene(std::string_view voce, std::string_view parola);
bool contiene_esatto(std::string_view voce, std::string_view parola);

struct Lettura {
    Lettura(Modello& modello, std::string_view contenuto, const std::string& percorso)
        : m(modello), campi(contenuto), file(percorso) {}

    Modello& m;
    LettoreCampi campi;
    const std::string& file;
    Luogo voce;  // where voce_letta begins

    // The next field into voce_letta.
    void leggi_voce();
    template <class T>
    Valore<T> numero(const char* record, const char* campo) {
        return campi.leggi_numero<T>(record, campo);
    }

    // A text field an object record keeps: its file stores the length in 16
    // bits, so a longer text cannot be compiled.
    std::string_view testo_oggetto(const char* record, const char* campo);

    // Records a code with the field it concerns and why.
    void registra(int32_t codice, Luogo luogo, std::string motivo);
    // The same, for the codes that also keep the record's position.
    void registra(int32_t codice, int32_t posizione, Luogo luogo, std::string motivo);

    // The range check: a record at p needs cells up to (p + margine) / 50;
    // otherwise code 15. Throws when there is no cell array yet.
    bool nel_percorso(int32_t p, int32_t margine, const char* record, Luogo luogo);
};

// The record loop of a file's body, to its end: each field is a record's
// keyword, except that a dash field makes the reader take the next one
// instead (twice at most). Stops at the first record that does not let
// reading go on.
Esito per_ogni_record(Lettura& l, const std::function<Esito()>& record);

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

}  // namespace compattatore
