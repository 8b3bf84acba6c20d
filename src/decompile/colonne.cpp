#include "decompile/colonne.h"

#include <algorithm>

namespace compattatore {

void Colonne::riga(std::vector<std::string> campi) { righe_.push_back(std::move(campi)); }

void Colonne::aggiungi_a(std::vector<std::string>& righe) const {
    std::vector<size_t> larghezze;
    for (const auto& campi : righe_) {
        larghezze.resize(std::max(larghezze.size(), campi.size()), 0);
        for (size_t k = 0; k < campi.size(); ++k) larghezze[k] = std::max(larghezze[k], campi[k].size());
    }
    for (const auto& campi : righe_) {
        // A shorter keyword pads the first field, so the columns line up after it.
        std::string riga = campi[0];
        size_t rientro = larghezze[0] - campi[0].size();
        for (size_t k = 1; k < campi.size(); ++k) {
            riga += ",";
            if (ultimo_testo_ && k + 1 == campi.size()) {
                if (!campi[k].empty()) riga += " " + campi[k];
            } else {
                riga += std::string(1 + rientro + larghezze[k] - campi[k].size(), ' ') + campi[k];
            }
            rientro = 0;
        }
        righe.push_back(std::move(riga));
    }
}

std::string campo_testo(const std::string& testo) {
    const bool da_citare = testo.find_first_of(",\r\n") != std::string::npos ||
                           (!testo.empty() && (testo.front() == ' ' || testo.back() == ' ' || testo.front() == '"'));
    if (!da_citare || testo.find('"') != std::string::npos) return testo;
    return "\"" + testo + "\"";
}

}  // namespace compattatore
