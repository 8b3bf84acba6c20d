#include "view/pagina.h"

#include "draw/grafico_orario.h"
#include "draw/svg.h"
#include "draw/tavolozza.h"
#include "model/testo_1252.h"
#include "scenario/grafico_orario.h"
#include "view/dati_vista.h"
#include "vista_risorse.h"

namespace compattatore {

namespace {

// Inside a script element "</script" ends it and "<!--" changes how the rest
// is read. In JSON a "<" can only stand inside a string, where "\u003c" reads
// the same.
std::string sicuro_in_script(const std::string& json) {
    std::string uscita;
    uscita.reserve(json.size());
    for (char c : json) {
        if (c == '<') {
            uscita += "\\u003c";
        } else {
            uscita += c;
        }
    }
    return uscita;
}

// The drawing's colours as the custom properties the style sheet and the
// script read, so that the page and `draw` share one palette.
std::string proprieta_colori() {
    std::string regola = ":root {";
    for (const colore::Voce& v : colore::TAVOLOZZA) {
        regola += " --";
        regola += v.nome;
        regola += ": ";
        regola += v.valore;
        regola += ";";
    }
    return regola + " }\n";
}

// The page around its data; `titolo` is UTF-8.
std::string pagina(const std::string& titolo, const std::string& json) {
    std::string pagina;
    pagina +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        // Nothing may be fetched: the page holds all it needs.
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src data:\">\n"
        "<title>" +
        svg::testo(titolo) + "</title>\n<style>\n";
    pagina += proprieta_colori();
    pagina += STILE_VISTA;
    pagina += "</style>\n</head>\n<body>\n<script type=\"application/json\" id=\"dati\">";
    pagina += sicuro_in_script(json);
    pagina += "</script>\n<script>\n";
    pagina += SCRIPT_VISTA;
    pagina += "</script>\n</body>\n</html>\n";
    return pagina;
}

}  // namespace

std::string pagina_vista(const ScenarioCompilato& scenario, const ChiaviScenario& chiavi) {
    return pagina(da_1252_a_utf8(chiavi.linea) + " / " + da_1252_a_utf8(chiavi.treno),
                  dati_vista_json(scenario, chiavi));
}

std::string pagina_vista_linea(const std::vector<TrenoVista>& treni) {
    std::vector<Corsa> corse;
    corse.reserve(treni.size());
    for (const TrenoVista& t : treni) corse.push_back(corsa_di(t.scenario, t.chiavi));
    const std::string& linea = treni.front().chiavi.linea;
    return pagina(da_1252_a_utf8(linea) + " / " + std::to_string(treni.size()) + " trains",
                  dati_vista_linea_json(treni, disegna_grafico_orario(linea, corse)));
}

}  // namespace compattatore
