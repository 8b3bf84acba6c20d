#include "compiler/lettura.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "compiler/accesso_celle.h"
#include "compiler/parola_vicina.h"
#include "compiler/parole_chiave.h"
#include "model/nomi_celle.h"

namespace compattatore {

namespace {

constexpr const char* NOTA_SENZA_CELLE =
    "the rest of the scenario was not checked: without a usable line length there are no cells";

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool contiene(std::string_view voce, std::string_view parola) {
    if (parola.empty()) return true;
    if (parola.size() > voce.size()) return false;
    // Only where the first letter matches is the rest compared: every
    // record's keyword is tested against each keyword part this way.
    const char prima = minuscola(parola.front());
    for (size_t i = 0; i + parola.size() <= voce.size(); ++i) {
        if (minuscola(voce[i]) != prima) continue;
        size_t j = 1;
        while (j < parola.size() && minuscola(voce[i + j]) == minuscola(parola[j])) ++j;
        if (j == parola.size()) return true;
    }
    return false;
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
    if (c.luogo.riga > voce.riga) {
        const auto chiave = [&](const ParolaChiave* p) { return riconosce(c.testo, *p); };
        if (std::ranges::any_of(PAROLE_LINEA, chiave) || std::ranges::any_of(PAROLE_TRENO, chiave))
            throw ErroreLettura(std::string(record) + ": a field is missing: the " +
                                    (std::string_view(campo) == "nome" ? "name" : "text") +
                                    " took the next record's keyword '" + std::string(c.testo) + "'",
                                c.luogo);
    }
    riga_testo = c.luogo.riga;
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

Diagnostica* Lettura::avvisa(std::string_view gruppo, Luogo luogo, std::string motivo) {
    return r.diagnostiche.aggiungi(crea_avviso(gruppo, file, luogo, std::move(motivo)));
}

void Lettura::colloca(int64_t cella, const Valore<int32_t>& posizione) {
    r.provenienze.celle[cella] = {file, posizione.luogo, posizione.v};
}

bool Lettura::nel_percorso(int32_t p, int32_t margine, const char* record, Luogo luogo) {
    richiedi_celle(m, record, luogo);
    // Before the line's start there is no cell; the nearest ones would take
    // the record without a word.
    if (p < 0)
        throw ErroreLettura(
            std::string(record) + ": position " + std::to_string(p) + " m is before the start of the line", luogo);
    if (m.ultima_cella() >= (p + static_cast<double>(margine)) / 50) return true;
    if (r.recupera && r.oltre_linea && r.oltre_linea->file == file) {
        Diagnostica& prima = r.diagnostiche.voce(r.oltre_linea->voce);
        const int32_t altri = ++r.oltre_linea->altri;
        std::string conto = std::to_string(altri) + (altri == 1 ? " more record lies" : " more records lie") +
                            " beyond the end of the line in this file";
        if (altri == 1)
            prima.note.push_back({file, {}, std::move(conto)});
        else
            prima.note.back().testo = std::move(conto);
        return false;
    }
    Diagnostica* d =
        registra(ERRORE_OLTRE_LINEA, p, luogo,
                 std::string(record) + ": position " + std::to_string(p) + " m needs cells up to (p + " +
                     std::to_string(margine) + ") / 50, beyond the last cell " + std::to_string(m.ultima_cella()));
    if (d == nullptr) return false;
    if (!r.file_lunghezza.empty())
        d->note.push_back({r.file_lunghezza, r.luogo_lunghezza,
                           "the line is " + std::to_string(m.oggetti[OGGETTO_DIMENSIONI].fine) + " m long, set here"});
    if (r.recupera) r.oltre_linea = Raccolta::OltreLinea{file, r.diagnostiche.voci().size() - 1, 0};
    return false;
}

void Lettura::punto_decimale(const char* record, const char* campo, int64_t letto, Luogo luogo,
                             std::string_view scritto) {
    const std::string_view decimali = scritto.substr(scritto.find('.') + 1);
    const bool intero = decimali.find_first_not_of('0') == std::string_view::npos;
    if (intero && decimali.size() != 3) return;
    const std::string testo(scritto);
    avvisa(AVVISO_VALORE_TRONCATO, luogo,
           std::string(record) + ": field '" + campo + "' " + testo + " is stored as " + std::to_string(letto) +
               (intero ? ": a point is a decimal point, not a thousands separator" : ": numbers are whole"));
}

void Lettura::sconosciuta(std::string_view gruppo, std::string motivo, std::span<const std::string_view> note) {
    std::optional<std::string_view> vicina = parola_vicina(voce_letta, note);
    if (vicina == std::string_view(voce_letta)) vicina.reset();  // a known word out of its place
    if (vicina) {
        const bool maiuscole = vicina->size() == voce_letta.size() && contiene(*vicina, voce_letta);
        motivo += maiuscole ? "; it differs from '" + std::string(*vicina) + "' only in case, which counts here"
                            : "; did you mean '" + std::string(*vicina) + "'?";
    }
    Diagnostica* d = r.diagnostiche.aggiungi(crea_avviso(gruppo, file, voce, std::move(motivo)));
    if (d != nullptr && vicina)
        d->sostituzione = Sostituzione{voce, static_cast<int>(voce_letta.size()), std::string(*vicina)};
}

void Lettura::voce_ignorata(std::span<const std::string_view> sezioni, std::span<const std::string_view> parole) {
    const std::string_view v = voce_letta;
    if (v.empty()) return;
    if (v.front() == '[' && v.find(']') != std::string_view::npos) {
        if (std::ranges::find(sezioni, v.substr(0, v.find(']') + 1)) == sezioni.end())
            sconosciuta(
                AVVISO_SEZIONE_SCONOSCIUTA,
                "'" + voce_letta + "' is not a section of this file; the records after it are read all the same",
                sezioni);
        return;
    }
    const auto cifra = [](char c) { return c >= '0' && c <= '9'; };
    const size_t punto = v.find('.');
    const bool numero = cifra(v.front()) && std::ranges::all_of(v.substr(0, punto), cifra) &&
                        (punto == std::string_view::npos || std::ranges::all_of(v.substr(punto + 1), cifra));
    if (numero && voce.riga != riga_ignorata)
        throw ErroreLettura(
            "unexpected field '" + voce_letta + "' after the record; numbers are whole, with no decimal part", voce);
    if (!numero) riga_ignorata = voce.riga;
    const bool lettera = (v.front() >= 'a' && v.front() <= 'z') || (v.front() >= 'A' && v.front() <= 'Z');
    if (!lettera) return;
    std::string motivo = "'" + voce_letta + "' is not a record read here; it is skipped";
    if (voce.riga == riga_testo) motivo += " (a text with a comma in it is written in double quotes)";
    sconosciuta(AVVISO_RECORD_SCONOSCIUTO, std::move(motivo), parole);
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

Oggetto& Lettura::oggetto(int indice) {
    Oggetto& o = m.oggetti.at(static_cast<size_t>(indice));
    if (m.registro_celle.attivo) r.oggetti_prima.emplace_back(static_cast<size_t>(indice), o);
    return o;
}

Lettura::Ripristino Lettura::prepara_ripristino() {
    m.registro_celle.prima.clear();
    m.registro_celle.attivo = true;
    r.oggetti_prima.clear();
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
    for (; !r.oggetti_prima.empty(); r.oggetti_prima.pop_back())
        m.oggetti[r.oggetti_prima.back().first] = std::move(r.oggetti_prima.back().second);
    m.tracciato.torna_a(prima.tracciato);
}

bool Lettura::puo_proseguire(Diagnostica* rifiuto) {
    if (r.diagnostiche.troppi()) return false;
    if (m.celle_create() || !r.celle_attese) return true;
    if (rifiuto != nullptr) rifiuto->note.push_back({file, {}, NOTA_SENZA_CELLE});
    return false;
}

}  // namespace compattatore
