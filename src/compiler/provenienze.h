// Where each recorded object came from, kept beside the model while
// compiling (neither the model nor the files hold it): a conflict names the
// record that took the cell first, a finishing warning the record whose cell
// it concerns, and the compile summary counts what was compiled.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "model/errore_lettura.h"

namespace compattatore {

struct Provenienza {
    std::string file;
    Luogo luogo;            // the record's position field
    int32_t posizione = 0;  // metres, as the record wrote it
};

struct Provenienze {
    std::unordered_map<int64_t, Provenienza> celle;  // by cell index: the record whose object it holds
    int stazioni = 0;
    int segnali = 0;
    int rallentamenti = 0;

    const Provenienza* di(int64_t cella) const {
        auto it = celle.find(cella);
        return it == celle.end() ? nullptr : &it->second;
    }
};

}  // namespace compattatore
