// Names of every file a scenario is made of, formed from its two keys.
#pragma once

#include <optional>
#include <string>

#include "model/testo_1252.h"

namespace compattatore {

inline std::string nome_descrizione_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_descrizione_treno(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "-.txt";
}
inline std::string nome_note(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_note.txt";
}
inline std::string nome_rallentamenti(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_rallentamenti.txt";
}
inline std::string nome_scheda(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_scheda_treno.txt";
}
// The compiled files' names: the keys are Windows-1252 (as the records hold
// them) and the names UTF-8, as the system and its users spell them.
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

// The keys back from description file names (without directory): the line
// key of "<line>_linea.txt", the train key of "<line>_<train>-.txt".
inline std::optional<std::string> chiave_linea_da_nome(const std::string& nome) {
    const std::string coda = "_linea.txt";
    if (nome.size() <= coda.size() || !nome.ends_with(coda)) return std::nullopt;
    return nome.substr(0, nome.size() - coda.size());
}
inline std::optional<std::string> chiave_treno_da_nome(const std::string& nome, const std::string& linea) {
    const std::string testa = linea + "_";
    const std::string coda = "-.txt";
    if (nome.size() <= testa.size() + coda.size() || !nome.starts_with(testa) || !nome.ends_with(coda))
        return std::nullopt;
    return nome.substr(testa.size(), nome.size() - testa.size() - coda.size());
}

}  // namespace compattatore
