#include "compiler/lettura.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "compiler/accesso_celle.h"
#include "model/nomi_celle.h"

namespace compattatore {

namespace {

constexpr const char* NOTA_SENZA_CELLE =
    "the rest of the scenario was not checked: without a usable line length there are no cells";

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool contiene(std::string_view voce, std::string_view parola) {
    auto uguali = [](char a, char b) { return minuscola(a) == minuscola(b); };
    return std::search(voce.begin(), voce.end(), parola.begin(), parola.end(), uguali) != voce.end();
}

bool contiene_esatto(std::string_view voce, std::string_view parola) {
    return voce.find(parola) != std::string_view::npos;
}

CampoLetto Lettura::testo(const char* record, const char* campo) {
    CampoLetto c = campi.leggi_testo(record, campo);
    if (c.chiusura_a_capo) {
        avvisa(AVVISO_TESTO_A_CAPO, c.luogo,
               "the quoted text opened here runs over a line end to its closing quote at line " +
                   std::to_string(c.chiusura_a_capo->riga) + ", column " + std::to_string(c.chiusura_a_capo->colonna) +
                   "; the lines between are part of the text");
    }
    return c;
}

void Lettura::leggi_voce() {
    CampoLetto c = testo();
    voce_letta.assign(c.testo);
    voce = c.luogo;
    dopo_voce = campi.segno();
}

std::string_view Lettura::testo_oggetto(const char* record, const char* campo) {
    constexpr size_t MASSIMO = 65535;
    CampoLetto c = testo(record, campo);
    if (c.testo.size() > MASSIMO)
        throw ErroreLettura(std::string(record) + ": field '" + campo + "' is " + std::to_string(c.testo.size()) +
                                " bytes long, above the " + std::to_string(MASSIMO) + " an object record can hold",
                            c.luogo);
    return c.testo;
}

Diagnostica* Lettura::registra(int32_t codice, Luogo luogo, std::string motivo) {
    Diagnostica d = crea_diagnostica(codice, file, luogo, std::move(motivo));
    if (luogo.riga > voce.riga && voce.riga > 0) d.note.push_back({file, voce, "the record begins here"});
    return ultimo_rifiuto = r.diagnostiche.aggiungi(std::move(d));
}

Diagnostica* Lettura::registra(int32_t codice, int32_t posizione, Luogo luogo, std::string motivo) {
    Diagnostica* d = registra(codice, luogo, std::move(motivo));
    if (d != nullptr) d->posizione = posizione;
    return d;
}

void Lettura::conflitto(int32_t codice, int64_t cella, int32_t posizione, Luogo luogo, std::string motivo) {
    Diagnostica* d = registra(codice, posizione, luogo, std::move(motivo));
    const Provenienza* chi = r.provenienze.di(cella);
    if (chi == nullptr || d == nullptr) return;
    const std::string metri = std::to_string(inizio_cella(cella));
    d->note.push_back({chi->file, chi->luogo,
                       "cell " + std::to_string(cella) + " (" + metri + " m) already holds the " +
                           std::string(nome_oggetto(m.celle.at(static_cast<size_t>(cella)).tipo)) + " placed here"});
}

void Lettura::avvisa(std::string_view gruppo, Luogo luogo, std::string motivo) {
    r.diagnostiche.aggiungi(crea_avviso(gruppo, file, luogo, std::move(motivo)));
}

void Lettura::colloca(int64_t cella, const Valore<int32_t>& posizione) {
    r.provenienze.celle[cella] = {file, posizione.luogo, posizione.v};
}

bool Lettura::nel_percorso(int32_t p, int32_t margine, const char* record, Luogo luogo) {
    richiedi_celle(m, record, luogo);
    if (m.ultima_cella() >= (p + static_cast<double>(margine)) / 50) return true;
    registra(ERRORE_OLTRE_LINEA, p, luogo,
             std::string(record) + ": position " + std::to_string(p) + " m needs cells up to (p + " +
                 std::to_string(margine) + ") / 50, beyond the last cell " + std::to_string(m.ultima_cella()));
    return false;
}

void Lettura::voce_ignorata(std::span<const std::string_view> sezioni) {
    const std::string_view v = voce_letta;
    if (v.empty()) return;
    if (v.front() == '[' && v.find(']') != std::string_view::npos) {
        if (std::ranges::find(sezioni, v.substr(0, v.find(']') + 1)) == sezioni.end())
            avvisa(AVVISO_SEZIONE_SCONOSCIUTA, voce,
                   "'" + voce_letta + "' is not a section of this file; the records after it are read all the same");
        return;
    }
    const bool lettera = (v.front() >= 'a' && v.front() <= 'z') || (v.front() >= 'A' && v.front() <= 'Z');
    if (lettera)
        avvisa(AVVISO_RECORD_SCONOSCIUTO, voce, "'" + voce_letta + "' is not a record read here; it is skipped");
}

void Lettura::controlla_8(const Valore<int32_t>& v, const char* cosa) {
    if (v.v >= 0 && v.v <= 255) return;
    avvisa(AVVISO_VALORE_TRONCATO, v.luogo,
           std::string(cosa) + " " + std::to_string(v.v) + " does not fit its 8-bit field; " +
               std::to_string(static_cast<uint8_t>(v.v)) + " is stored instead");
}

void Lettura::controlla_16(const Valore<int32_t>& v, const char* cosa) {
    if (v.v >= INT16_MIN && v.v <= INT16_MAX) return;
    avvisa(AVVISO_VALORE_TRONCATO, v.luogo,
           std::string(cosa) + " " + std::to_string(v.v) + " does not fit its 16-bit field; " +
               std::to_string(static_cast<int16_t>(static_cast<uint16_t>(v.v))) + " is stored instead");
}

void Lettura::controlla_oltre_linea(const Valore<int32_t>& p, const char* record) {
    const int32_t lunghezza = m.oggetti[OGGETTO_DIMENSIONI].fine;
    if (p.v <= lunghezza) return;
    avvisa(AVVISO_OLTRE_LINEA, p.luogo,
           std::string(record) + " at " + std::to_string(p.v) + " m lies beyond the line's end at " +
               std::to_string(lunghezza) + " m, in the run-out");
}

Lettura::Ripristino Lettura::prepara_ripristino() {
    m.registro_celle.prima.clear();
    m.registro_celle.attivo = true;
    r.oggetti_salvati = m.oggetti;
    return {!m.celle_create(), m.tracciato.tacca()};
}

void Lettura::ripristina(const Ripristino& prima) {
    std::vector<std::pair<size_t, Cella>>& cambiate = m.registro_celle.prima;
    if (prima.senza_celle) {
        m.celle = {};  // the record made the cells: none were there
        cambiate.clear();
    }
    // The latest first, so that a cell reached twice ends as it was before both.
    for (; !cambiate.empty(); cambiate.pop_back()) m.celle[cambiate.back().first] = cambiate.back().second;
    m.oggetti.swap(r.oggetti_salvati);
    m.tracciato.torna_a(prima.tracciato);
}

bool Lettura::puo_proseguire(Diagnostica* rifiuto) {
    if (r.diagnostiche.troppi()) return false;
    if (m.celle_create() || !r.celle_attese) return true;
    if (rifiuto != nullptr) rifiuto->note.push_back({file, {}, NOTA_SENZA_CELLE});
    return false;
}

}  // namespace compattatore
