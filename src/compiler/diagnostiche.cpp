#include "compiler/diagnostiche.h"

#include <algorithm>
#include <cstdio>

#include "model/modello.h"

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

Diagnostica diagnostica_carattere(std::string file, const CarattereNonRappresentabile& carattere) {
    char codice[16];
    std::snprintf(codice, sizeof codice, "U+%04X", static_cast<unsigned>(carattere.codice));
    return crea_diagnostica(ERRORE_LETTURA, std::move(file), {carattere.riga, carattere.colonna},
                            std::string("the character ") + codice + " has no Windows-1252 byte");
}

namespace {

std::string cella_e_tratto(int64_t cella) {
    return "cell " + std::to_string(cella) + ", " + std::to_string(inizio_cella(cella)) + "-" +
           std::to_string(inizio_cella(cella + 1)) + " m";
}

}  // namespace

std::string significato_diagnostica(const Diagnostica& d) {
    if (!d.codice) return d.motivo;
    auto voce = voce_codice(*d.codice);
    std::string t(voce ? voce->significato : "unknown error");
    if (d.posizione) t += ", at " + std::to_string(*d.posizione) + " m";
    if (d.cella) t += d.posizione ? " (" + cella_e_tratto(*d.cella) + ")" : ", at " + cella_e_tratto(*d.cella);
    if (!d.motivo.empty() && (!voce || d.motivo != voce->significato)) t += ": " + d.motivo;
    return t;
}

std::string messaggio_diagnostica(const Diagnostica& d) {
    // A place no code of the table names (decompile's) carries its reason alone.
    if (!d.codice) return d.gruppo.empty() ? d.motivo : d.motivo + " [-W" + std::string(d.gruppo) + "]";
    return significato_diagnostica(d) + " [E" + std::to_string(*d.codice) + "]";
}

std::vector<Diagnostica> da_mostrare(const std::vector<Diagnostica>& voci,
                                     const std::set<std::string, std::less<>>& silenziati) {
    std::vector<Diagnostica> scelte;
    for (const Diagnostica& d : voci)
        if (d.gruppo.empty() || !silenziati.contains(d.gruppo)) scelte.push_back(d);
    return scelte;
}

}  // namespace compattatore
