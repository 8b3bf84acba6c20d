#include "support/chromium.h"

#include <unistd.h>

#include <sstream>

#include "support/cartella_temporanea.h"

namespace compattatore::prova {

namespace {

// Without the background services switched off, the browser's own
// connections are refused by the hour on a machine without network.
std::vector<std::string> opzioni(const CartellaTemporanea& profilo) {
    std::vector<std::string> o = {"--headless",
                                  "--disable-gpu",
                                  "--disable-quic",
                                  "--no-first-run",
                                  "--disable-background-networking",
                                  "--disable-component-update",
                                  "--disable-sync",
                                  "--hide-scrollbars",
                                  "--user-data-dir=" + profilo.str()};
    // Chromium's sandbox refuses to start as root.
    if (::geteuid() == 0) o.emplace_back("--no-sandbox");
    return o;
}

std::string chromium() {
    for (const char* nome : {"chromium", "chromium-browser"}) {
        std::string p = trova_programma(nome);
        if (!p.empty()) return p;
    }
    return "";
}

std::string url(const std::string& pagina) { return "file://" + pagina; }

}  // namespace

std::optional<std::string> chromium_mancante() {
    const std::string programma = chromium();
    if (programma.empty())
        return "chromium is not installed (Debian: apt-get install --no-install-recommends chromium)";
    CartellaTemporanea lavoro;
    const std::string pagina = lavoro.scrivi("prova.html", "<p id=\"x\">ok</p>");
    CartellaTemporanea profilo;
    auto argomenti = opzioni(profilo);
    argomenti.insert(argomenti.end(), {"--dump-dom", url(pagina)});
    const EsitoProcesso esito = esegui(programma, argomenti);
    if (esito.stato != 0 || esito.uscita.find("<p id=\"x\">ok</p>") == std::string::npos)
        return "chromium cannot run here (status " + std::to_string(esito.stato) + "): " + esito.errori.substr(0, 400);
    return std::nullopt;
}

EsitoProcesso dom_dopo_script(const std::string& pagina, int larghezza, int altezza) {
    CartellaTemporanea profilo;
    auto argomenti = opzioni(profilo);
    argomenti.insert(argomenti.end(), {"--window-size=" + std::to_string(larghezza) + "," + std::to_string(altezza),
                                       "--virtual-time-budget=5000", "--dump-dom", url(pagina)});
    return esegui(chromium(), argomenti);
}

EsitoProcesso fotografia(const std::string& pagina, const std::string& png, int larghezza, int altezza) {
    CartellaTemporanea profilo;
    auto argomenti = opzioni(profilo);
    argomenti.insert(argomenti.end(), {"--window-size=" + std::to_string(larghezza) + "," + std::to_string(altezza),
                                       "--virtual-time-budget=5000", "--screenshot=" + png, url(pagina)});
    return esegui(chromium(), argomenti);
}

std::multimap<std::string, std::string> esito_della_pagina(const std::string& dom) {
    std::multimap<std::string, std::string> valori;
    const auto inizio = dom.find("<pre id=\"esito\">");
    if (inizio == std::string::npos) return valori;
    const auto fine = dom.find("</pre>", inizio);
    std::istringstream righe(dom.substr(inizio, fine - inizio));
    for (std::string riga; std::getline(righe, riga);) {
        // The dump escapes what HTML would read as markup.
        for (const auto& [da, a] : {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&amp;", "&"}}) {
            for (size_t k = riga.find(da); k != std::string::npos; k = riga.find(da, k + 1))
                riga.replace(k, std::string(da).size(), a);
        }
        const auto uguale = riga.find('=');
        if (uguale != std::string::npos) valori.emplace(riga.substr(0, uguale), riga.substr(uguale + 1));
    }
    return valori;
}

}  // namespace compattatore::prova
