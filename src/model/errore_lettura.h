// A failure while reading a description file: a malformed or oversized
// number, a read past the end, an index outside an array, an overflow. The
// reader turns every one of them into code 25, keeping where and why.
#pragma once

#include <stdexcept>
#include <string>

namespace compattatore {

// Where a field begins: 1-based line and column, 0 when unknown.
struct Luogo {
    int riga = 0;
    int colonna = 0;
};

class ErroreLettura : public std::runtime_error {
public:
    explicit ErroreLettura(const std::string& motivo, Luogo luogo = {}) : std::runtime_error(motivo), luogo_(luogo) {}
    const Luogo& luogo() const { return luogo_; }
    // Gives a failure raised away from the file (in a recorder) the place of
    // the record that caused it.
    void colloca(Luogo luogo) {
        if (luogo_.riga == 0) luogo_ = luogo;
    }

private:
    Luogo luogo_;
};

}  // namespace compattatore
