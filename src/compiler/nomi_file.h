// Names of every file a scenario is made of, formed from its two keys.
#pragma once

#include <string>

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
inline std::string nome_file_tracciato(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_file_oggetti(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".sim";
}
inline std::string nome_file_celle(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".dat";
}

}  // namespace compattatore
