#include "lsp/campi_riga.h"

namespace compattatore {

std::vector<std::string_view> righe_di(std::string_view testo) {
    std::vector<std::string_view> righe;
    size_t inizio = 0;
    for (size_t i = 0; i < testo.size(); ++i) {
        if (testo[i] != '\r' && testo[i] != '\n') continue;
        righe.push_back(testo.substr(inizio, i - inizio));
        if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
        inizio = i + 1;
    }
    righe.push_back(testo.substr(inizio));
    return righe;
}

std::vector<CampoRiga> campi_di(std::string_view riga) {
    std::vector<CampoRiga> campi;
    size_t i = 0;
    for (;;) {
        while (i < riga.size() && riga[i] == ' ') ++i;
        CampoRiga c{i, i, {}};
        size_t j = i;
        if (j < riga.size() && riga[j] == '"') {
            const size_t chiusa = riga.find('"', j + 1);
            j = chiusa == std::string_view::npos ? riga.size() : chiusa + 1;
            c.fine = j;
        }
        const size_t virgola = riga.find(',', j);
        j = virgola == std::string_view::npos ? riga.size() : virgola;
        if (c.fine == c.inizio) {
            c.fine = j;
            while (c.fine > c.inizio && riga[c.fine - 1] == ' ') --c.fine;
        }
        c.testo = riga.substr(c.inizio, c.fine - c.inizio);
        campi.push_back(c);
        if (virgola == std::string_view::npos) break;
        i = virgola + 1;
    }
    if (campi.size() == 1 && campi[0].testo.empty()) campi.clear();
    return campi;
}

const CampoRiga* campo_a(const std::vector<CampoRiga>& campi, size_t colonna) {
    const CampoRiga* scelto = nullptr;
    for (const CampoRiga& c : campi)
        if (c.inizio <= colonna) scelto = &c;
    return scelto;
}

}  // namespace compattatore
