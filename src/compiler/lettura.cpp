#include "compiler/lettura.h"

#include <algorithm>
#include <string>

#include "compiler/accesso_celle.h"

namespace compattatore {

namespace {

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool contiene(std::string_view voce, std::string_view parola) {
    auto uguali = [](char a, char b) { return minuscola(a) == minuscola(b); };
    return std::search(voce.begin(), voce.end(), parola.begin(), parola.end(), uguali) != voce.end();
}

bool contiene_esatto(std::string_view voce, std::string_view parola) {
    return voce.find(parola) != std::string_view::npos;
}

void Lettura::leggi_voce() {
    Campo c = campi.leggi_testo();
    m.stato.voce_letta.assign(c.testo);
    voce = c.luogo;
}

std::string_view Lettura::testo_oggetto(const char* record, const char* campo) {
    constexpr size_t MASSIMO = 65535;
    Campo c = campi.leggi_testo(record, campo);
    if (c.testo.size() > MASSIMO)
        throw ErroreLettura(std::string(record) + ": field '" + campo + "' is " + std::to_string(c.testo.size()) +
                                " bytes long, above the " + std::to_string(MASSIMO) + " an object record can hold",
                            c.luogo);
    return c.testo;
}

void Lettura::registra(int32_t codice, Luogo luogo, std::string motivo) {
    m.stato.codice_errore = codice;
    m.stato.dettaglio = {file, luogo.riga, luogo.colonna, std::move(motivo)};
}

void Lettura::registra(int32_t codice, int32_t posizione, Luogo luogo, std::string motivo) {
    registra(codice, luogo, std::move(motivo));
    m.stato.posizione_errore = posizione;
}

Esito per_ogni_record(Lettura& l, const std::function<Esito()>& record) {
    for (;;) {
        if (l.campi.fine_file()) return Esito::prosegui;
        l.leggi_voce();
        if (l.campi.fine_file()) return Esito::prosegui;
        for (int n = 0; n < 2 && contiene_esatto(l.m.stato.voce_letta, "-"); ++n) {
            l.leggi_voce();
            if (l.campi.fine_file()) return Esito::prosegui;
        }
        if (Esito e = record(); e != Esito::prosegui) return e;
    }
}

bool Lettura::nel_percorso(int32_t p, int32_t margine, const char* record, Luogo luogo) {
    richiedi_celle(m, record, luogo);
    if (m.ultima_cella() >= (p + static_cast<double>(margine)) / 50) return true;
    registra(15, p, luogo,
             std::string(record) + ": position " + std::to_string(p) + " m needs cells up to (p + " +
                 std::to_string(margine) + ") / 50, beyond the last cell " + std::to_string(m.ultima_cella()));
    return false;
}

}  // namespace compattatore
