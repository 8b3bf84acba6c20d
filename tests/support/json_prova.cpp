#include "support/json_prova.h"

#include <stdexcept>

namespace compattatore::prova {

namespace {

class Lettore {
public:
    explicit Lettore(std::string_view t) : t_(t) {}

    ValoreJson documento() {
        ValoreJson v = valore();
        spazi();
        if (i_ != t_.size()) errore("text after the document");
        return v;
    }

private:
    [[noreturn]] void errore(const char* cosa) const {
        throw std::runtime_error(std::string("JSON: ") + cosa + " at byte " + std::to_string(i_));
    }
    void spazi() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t')) ++i_;
    }
    bool prendi(char c) {
        spazi();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void atteso(char c) {
        if (!prendi(c)) errore("unexpected character");
    }
    bool parola(std::string_view p) {
        if (t_.substr(i_, p.size()) != p) return false;
        i_ += p.size();
        return true;
    }

    std::string stringa() {
        atteso('"');
        std::string s;
        while (i_ < t_.size() && t_[i_] != '"') {
            char c = t_[i_++];
            if (c != '\\') {
                if (static_cast<unsigned char>(c) < 0x20) errore("control character in a string");
                s.push_back(c);
                continue;
            }
            if (i_ >= t_.size()) errore("cut escape");
            char e = t_[i_++];
            switch (e) {
                case 'n': s.push_back('\n'); break;
                case 't': s.push_back('\t'); break;
                case 'r': s.push_back('\r'); break;
                case 'b': s.push_back('\b'); break;
                case 'f': s.push_back('\f'); break;
                case 'u': {
                    if (i_ + 4 > t_.size()) errore("cut \\u escape");
                    const unsigned u = static_cast<unsigned>(std::stoul(std::string(t_.substr(i_, 4)), nullptr, 16));
                    i_ += 4;
                    if (u >= 0x80) errore("\\u escape beyond ASCII");
                    s.push_back(static_cast<char>(u));
                    break;
                }
                default: s.push_back(e);
            }
        }
        if (i_ >= t_.size()) errore("unterminated string");
        ++i_;
        return s;
    }

    ValoreJson valore() {
        spazi();
        if (i_ >= t_.size()) errore("missing value");
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            std::map<std::string, ValoreJson> oggetto;
            if (prendi('}')) return {oggetto};
            do {
                spazi();
                std::string chiave = stringa();
                atteso(':');
                oggetto.emplace(std::move(chiave), valore());
            } while (prendi(','));
            atteso('}');
            return {oggetto};
        }
        if (c == '[') {
            ++i_;
            std::vector<ValoreJson> lista;
            if (prendi(']')) return {lista};
            do lista.push_back(valore());
            while (prendi(','));
            atteso(']');
            return {lista};
        }
        if (c == '"') return {stringa()};
        if (parola("null")) return {nullptr};
        if (parola("true")) return {true};
        if (parola("false")) return {false};
        size_t usati = 0;
        const double n = std::stod(std::string(t_.substr(i_)), &usati);
        i_ += usati;
        return {n};
    }

    std::string_view t_;
    size_t i_ = 0;
};

}  // namespace

ValoreJson leggi_json(std::string_view testo) { return Lettore(testo).documento(); }

}  // namespace compattatore::prova
