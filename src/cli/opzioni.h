// The command line of every command: options by name, each a flag or one
// that takes the next argument as its value, and the words that are not
// options. --help and -h belong to every command, and so does "--", after
// which every argument is a word, even one that starts with '-'.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

class Opzioni {
public:
    using Azione = std::function<void()>;
    using AzioneValore = std::function<void(const std::string&)>;

    // `nome` alone, e.g. "--force".
    Opzioni& flag(std::string nome, Azione azione);
    // `nome` and the argument after it; without one, "NOME needs `cosa`".
    Opzioni& con_valore(std::string nome, AzioneValore azione, std::string cosa = "a value");
    // Any option that starts with `prefisso`, given what follows it ("-Wno-" and "unknown-record").
    Opzioni& con_prefisso(std::string prefisso, AzioneValore azione);
    // The words that are not options ("-" is a word); without it, a word is a usage error.
    Opzioni& parole(AzioneValore azione);

    // Reads the arguments in order and runs each one's action. True, with
    // what follows unread, when --help or -h comes before "--"; ErroreUso for
    // an option that is not known, a value that is missing or a word that is
    // not expected (and whatever an action throws).
    bool leggi(std::span<const std::string_view> argomenti) const;

private:
    // "; did you mean '--force'?" for a misspelt option, else empty.
    std::string forse(std::string_view argomento) const;

    struct Opzione {
        std::string nome;
        AzioneValore azione;
        bool con_valore;
        bool prefisso;
        std::string cosa;
    };
    const Opzione* trova(std::string_view argomento) const;

    std::vector<Opzione> opzioni_;
    AzioneValore parole_;
};

}  // namespace compattatore
