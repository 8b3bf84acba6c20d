// Records written as an author lays them out: the fields of one kind of
// record in aligned columns.
#pragma once

#include <string>
#include <vector>

namespace compattatore {

// The rows of one kind of record: the keyword, then its fields. Each field
// column is right-aligned to its widest entry; a last text column (a name, a
// sign text) is left as it is.
class Colonne {
public:
    explicit Colonne(bool ultimo_testo = false) : ultimo_testo_(ultimo_testo) {}
    void riga(std::vector<std::string> campi);
    // Appends the laid-out rows to `righe`.
    void aggiungi_a(std::vector<std::string>& righe) const;

private:
    bool ultimo_testo_;
    std::vector<std::vector<std::string>> righe_;
};

// A text that the reader's text field gives back as it is: quoted when it
// has a comma, a line end, or blanks at either end. A text that needs quotes
// and holds one cannot be written so; it is returned unquoted.
std::string campo_testo(const std::string& testo);

}  // namespace compattatore
