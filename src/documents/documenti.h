// The five text files of a run, each written whole from its fixed content
// into `directory`. Each throws piattaforma::ErroreFile when the file cannot
// be written. The documents stay and may be synced to the disk; the two
// description files are read back and deleted by the run, so never are.
#pragma once

#include <cstdint>
#include <string>

namespace compattatore {

void dati_linea(const std::string& directory, const std::string& chiave_linea);
// `ritardo`: the same train run that many seconds later (its clock and its
// stations' times moved on), as one more train of the line.
void dati_treno(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
                int32_t ritardo = 0);
// The most seconds the train's run can be moved on with every time of it
// still before midnight, on the day it starts.
int32_t ritardo_massimo_treno();
void dati_note(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
               bool sincronizza = false);
void dati_rallentamenti(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
                        bool sincronizza = false);
void dati_scheda(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
                 bool sincronizza = false);

}  // namespace compattatore
