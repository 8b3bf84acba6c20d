#include "cli/opzioni.h"

#include <vector>

#include "cli/errore_uso.h"
#include "compiler/parola_vicina.h"

namespace compattatore {

Opzioni& Opzioni::flag(std::string nome, Azione azione) {
    opzioni_.push_back({std::move(nome), [a = std::move(azione)](const std::string&) { a(); }, false, false, {}});
    return *this;
}

Opzioni& Opzioni::con_valore(std::string nome, AzioneValore azione, std::string cosa) {
    opzioni_.push_back({std::move(nome), std::move(azione), true, false, std::move(cosa)});
    return *this;
}

Opzioni& Opzioni::con_prefisso(std::string prefisso, AzioneValore azione) {
    opzioni_.push_back({std::move(prefisso), std::move(azione), false, true, {}});
    return *this;
}

Opzioni& Opzioni::parole(AzioneValore azione) {
    parole_ = std::move(azione);
    return *this;
}

const Opzioni::Opzione* Opzioni::trova(std::string_view argomento) const {
    for (const Opzione& o : opzioni_)
        if (o.prefisso ? argomento.starts_with(o.nome) : argomento == o.nome) return &o;
    return nullptr;
}

std::string Opzioni::forse(std::string_view argomento) const {
    std::vector<std::string_view> nomi{"--help"};
    for (const Opzione& o : opzioni_)
        if (!o.prefisso) nomi.emplace_back(o.nome);
    const auto vicina = parola_vicina(argomento, nomi);
    return vicina ? "; did you mean '" + std::string(*vicina) + "'?" : "";
}

bool Opzioni::leggi(std::span<const std::string_view> argomenti) const {
    const auto parola = [this](std::string_view a) {
        if (!parole_) throw ErroreUso("unexpected argument '" + std::string(a) + "'");
        parole_(std::string(a));
    };
    for (size_t i = 0; i < argomenti.size(); ++i) {
        const std::string_view a = argomenti[i];
        if (a == "--") {
            for (const std::string_view dopo : argomenti.subspan(i + 1)) parola(dopo);
            return false;
        }
        if (a == "--help" || a == "-h") return true;
        if (!a.starts_with("-") || a == "-") {
            parola(a);
            continue;
        }
        const Opzione* o = trova(a);
        if (o == nullptr) throw ErroreUso("unknown option '" + std::string(a) + "'" + forse(a));
        if (o->prefisso) {
            o->azione(std::string(a.substr(o->nome.size())));
        } else if (!o->con_valore) {
            o->azione({});
        } else {
            if (i + 1 >= argomenti.size()) throw ErroreUso(std::string(a) + " needs " + o->cosa);
            o->azione(std::string(argomenti[++i]));
        }
    }
    return false;
}

}  // namespace compattatore
