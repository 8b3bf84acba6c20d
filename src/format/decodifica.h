// The inverse of the binary writers: the three compiled files read back into
// the route model, strictly, so that a damaged file is named with the byte
// where its layout breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/modello.h"

namespace compattatore {

// A compiled file that does not follow its layout: which file, the byte
// offset where the fault lies, and what is wrong there.
class ErroreDecodifica : public std::runtime_error {
public:
    ErroreDecodifica(std::string file, size_t posizione, const std::string& motivo);
    const std::string& file() const { return file_; }
    size_t posizione() const { return posizione_; }

private:
    std::string file_;
    size_t posizione_;
};

// The 87 records of the object file; nothing may follow the last.
TabellaOggetti decodifica_oggetti(std::string_view byte, const std::string& file);

// The cells of the cell file, 15 bytes each.
std::vector<Cella> decodifica_celle(std::string_view byte, const std::string& file);

// The plan file of `righe` rows: column 0 of every row, then column 1; each
// value a tag and its bytes, the tag the one its row has (Tracciato::etichetta).
Tracciato decodifica_tracciato(std::string_view byte, const std::string& file, int64_t righe);

// A compiled file as found on disk.
struct ImmagineFile {
    std::string nome;
    std::string byte;
};

// A compiled file yet to be read: its size is known first, so that a file
// larger than its layout allows is refused before its bytes are read.
class FileCompilato {
public:
    virtual ~FileCompilato() = default;
    virtual const std::string& nome() const = 0;
    virtual uint64_t dimensione() const = 0;
    // The file's bytes, `massimo` at most.
    virtual std::string leggi(uint64_t massimo) const = 0;
};

// decodifica_oggetti of the file, refused unread when it is larger than 87
// records with the longest names.
TabellaOggetti leggi_oggetti(const FileCompilato& file);

struct ScenarioCompilato {
    TabellaOggetti oggetti{};
    std::vector<Cella> celle;
    Tracciato tracciato;  // no rows when there is no plan file

    int32_t lunghezza() const { return oggetti[OGGETTO_DIMENSIONI].fine; }
};

// The three files together: the line length held by the object file fixes
// how many cells and plan rows the other two must hold.
ScenarioCompilato decodifica_scenario(const ImmagineFile& oggetti, const ImmagineFile& celle,
                                      const std::optional<ImmagineFile>& tracciato);
// The same read from files whose sizes are checked first: the cell and plan
// files are read only when their size fits the line the object file gives.
ScenarioCompilato leggi_scenario(const FileCompilato& oggetti, const FileCompilato& celle,
                                 const FileCompilato* tracciato);

}  // namespace compattatore
