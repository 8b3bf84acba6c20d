// Names of every file a scenario is made of, formed from its two keys.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/testo_1252.h"

namespace compattatore {

// The description files' and the documents' names, from the keys as the
// records hold them (Windows-1252), in UTF-8 as the system and its users
// spell names (the compiled files' names below alike).
inline constexpr std::string_view CODA_LINEA = "_linea.txt";
inline std::string nome_descrizione_linea(const std::string& linea) {
    return da_1252_a_utf8(linea) + std::string(CODA_LINEA);
}
inline std::string nome_descrizione_treno(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + "-.txt";
}
inline std::string nome_note(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + "_note.txt";
}
inline std::string nome_rallentamenti(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + "_rallentamenti.txt";
}
inline std::string nome_scheda(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + "_scheda_treno.txt";
}
// The compiled files' names.
inline std::string nome_file_tracciato(const std::string& linea) { return da_1252_a_utf8(linea) + "_linea.dat"; }
inline std::string nome_file_oggetti(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + ".sim";
}
inline std::string nome_file_celle(const std::string& linea, const std::string& treno) {
    return da_1252_a_utf8(linea + "_" + treno) + ".dat";
}
// A drawing or page of the scenario: LINE_TRAIN.EXT.
inline std::string nome_file_scenario(const std::string& linea, const std::string& treno,
                                      const std::string& estensione) {
    return da_1252_a_utf8(linea + "_" + treno) + estensione;
}

// The keys back from description file names (without directory), as the
// names spell them: the line key of "<line>_linea.txt", the train key of
// "<line>_<train>-.txt".
inline std::optional<std::string> chiave_linea_da_nome(const std::string& nome) {
    if (nome.size() <= CODA_LINEA.size() || !nome.ends_with(CODA_LINEA)) return std::nullopt;
    return nome.substr(0, nome.size() - CODA_LINEA.size());
}
inline std::optional<std::string> chiave_treno_da_nome(const std::string& nome, const std::string& linea) {
    const std::string testa = linea + "_";
    const std::string coda = "-.txt";
    if (nome.size() <= testa.size() + coda.size() || !nome.starts_with(testa) || !nome.ends_with(coda))
        return std::nullopt;
    return nome.substr(testa.size(), nome.size() - testa.size() - coda.size());
}

}  // namespace compattatore
