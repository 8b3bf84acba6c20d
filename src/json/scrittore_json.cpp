#include "json/scrittore_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace compattatore {

std::string stringa_json(std::string_view testo) {
    std::string uscita = "\"";
    for (char ch : testo) {
        switch (ch) {
            case '"': uscita += "\\\""; break;
            case '\\': uscita += "\\\\"; break;
            case '\n': uscita += "\\n"; break;
            case '\r': uscita += "\\r"; break;
            case '\t': uscita += "\\t"; break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    char codice[8];
                    std::snprintf(codice, sizeof codice, "\\u%04x", static_cast<unsigned>(ch));
                    uscita += codice;
                } else {
                    uscita += ch;
                }
        }
    }
    return uscita + "\"";
}

void ScrittoreJson::prima_di_un_valore() {
    if (dopo_chiave_) {
        dopo_chiave_ = false;
        return;
    }
    if (!primo_.empty()) {
        if (!primo_.back()) testo_ += ',';
        primo_.back() = false;
    }
}

void ScrittoreJson::inizio_oggetto() {
    prima_di_un_valore();
    testo_ += '{';
    primo_.push_back(true);
}

void ScrittoreJson::fine_oggetto() {
    primo_.pop_back();
    testo_ += '}';
}

void ScrittoreJson::inizio_lista() {
    prima_di_un_valore();
    testo_ += '[';
    primo_.push_back(true);
}

void ScrittoreJson::fine_lista() {
    primo_.pop_back();
    testo_ += ']';
}

void ScrittoreJson::gia_scritto(std::string_view json) {
    prima_di_un_valore();
    testo_ += json;
}

void ScrittoreJson::chiave(std::string_view nome) {
    prima_di_un_valore();
    testo_ += stringa_json(nome);
    testo_ += ':';
    dopo_chiave_ = true;
}

void ScrittoreJson::valore(std::string_view testo) {
    prima_di_un_valore();
    testo_ += stringa_json(testo);
}

void ScrittoreJson::valore(int64_t numero) {
    prima_di_un_valore();
    testo_ += std::to_string(numero);
}

void ScrittoreJson::valore(bool vero) {
    prima_di_un_valore();
    testo_ += vero ? "true" : "false";
}

void ScrittoreJson::valore(double numero) {
    prima_di_un_valore();
    if (!std::isfinite(numero)) {
        testo_ += "null";
        return;
    }
    char cifre[32];
    char* const fine = std::to_chars(cifre, cifre + sizeof cifre, numero).ptr;
    testo_.append(cifre, fine);
}

void ScrittoreJson::nullo() {
    prima_di_un_valore();
    testo_ += "null";
}

}  // namespace compattatore
