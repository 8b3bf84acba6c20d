#include "compiler/diagnostiche.h"

#include <algorithm>

namespace compattatore {

Diagnostica crea_messaggio(std::string file, Luogo luogo, std::string motivo) {
    Diagnostica d;
    d.file = std::move(file);
    d.luogo = luogo;
    d.motivo = std::move(motivo);
    return d;
}

Diagnostica crea_diagnostica(int32_t codice, std::string file, Luogo luogo, std::string motivo) {
    Diagnostica d = crea_messaggio(std::move(file), luogo, std::move(motivo));
    d.codice = codice;
    if (auto voce = voce_codice(codice)) d.livello = voce->livello;
    return d;
}

Diagnostica crea_avviso(std::string_view gruppo, std::string file, Luogo luogo, std::string motivo) {
    Diagnostica d = crea_messaggio(std::move(file), luogo, std::move(motivo));
    d.livello = Livello::avviso;
    d.gruppo = gruppo;
    return d;
}

Diagnostica* ElencoDiagnostiche::aggiungi(Diagnostica d) {
    if (d.livello == Livello::errore && al_limite()) troppi_ = true;
    if (troppi_) {
        oltre_limite_.push_back(std::move(d));
        return nullptr;
    }
    voci_.push_back(std::move(d));
    return &voci_.back();
}

const Diagnostica* ElencoDiagnostiche::primo_errore() const {
    auto it = std::ranges::find(voci_, Livello::errore, &Diagnostica::livello);
    return it == voci_.end() ? nullptr : &*it;
}

size_t ElencoDiagnostiche::errori() const {
    return static_cast<size_t>(std::ranges::count(voci_, Livello::errore, &Diagnostica::livello));
}

}  // namespace compattatore
