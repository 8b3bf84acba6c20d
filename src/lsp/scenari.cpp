#include "lsp/scenari.h"

#include <algorithm>
#include <set>

#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

bool presente(const std::string& percorso, const DocumentiAperti& aperti) {
    if (aperti.aperto(percorso)) return true;
    try {
        return piattaforma::esiste(percorso);
    } catch (const piattaforma::ErroreFile&) {
        return false;
    }
}

// The names in `directory`, on the disk and open in the editor.
std::set<std::string> nomi_in(const std::string& directory, const DocumentiAperti& aperti) {
    std::set<std::string> nomi;
    try {
        for (std::string& n : piattaforma::elenca(directory)) nomi.insert(std::move(n));
    } catch (const piattaforma::ErroreFile&) {
        // An unreadable directory leaves the open files alone.
    }
    for (const auto& [percorso, testo] : aperti.tutti())
        if (piattaforma::directory_di(percorso) == directory) nomi.insert(piattaforma::nome_in_percorso(percorso));
    return nomi;
}

// The line file of a line key as a file's name spells it (UTF-8, not yet
// the records' Windows-1252).
std::string nome_linea_scritto(const std::string& chiave) { return chiave + std::string(CODA_LINEA); }

}  // namespace

std::optional<GruppoScenari> gruppo_di(const std::string& percorso, const DocumentiAperti& aperti) {
    const std::string directory = piattaforma::directory_di(percorso);
    const std::string nome = piattaforma::nome_in_percorso(percorso);
    GruppoScenari g;
    if (auto chiave = chiave_linea_da_nome(nome)) {
        g.chiave_linea = *chiave;
    } else {
        if (!nome.ends_with("-.txt")) return std::nullopt;
        std::optional<std::string> scelta;
        for (size_t i = nome.find('_'); i != std::string::npos; i = nome.find('_', i + 1)) {
            const std::string chiave = nome.substr(0, i);
            if (!chiave_treno_da_nome(nome, chiave)) continue;
            if (!scelta || presente(piattaforma::unisci(directory, nome_linea_scritto(chiave)), aperti))
                scelta = chiave;
        }
        if (!scelta) return std::nullopt;
        g.chiave_linea = *scelta;
    }
    g.linea = piattaforma::unisci(directory, nome_linea_scritto(g.chiave_linea));
    g.linea_presente = presente(g.linea, aperti);
    for (const std::string& altro : nomi_in(directory, aperti))
        if (chiave_treno_da_nome(altro, g.chiave_linea)) g.treni.push_back(piattaforma::unisci(directory, altro));
    return g;
}

}  // namespace compattatore
