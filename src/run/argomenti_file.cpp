#include "run/argomenti_file.h"

#include <stdexcept>

namespace compattatore {

std::string valore_opzione(std::span<const std::string_view> argomenti, size_t& i) {
    if (i + 1 >= argomenti.size()) throw std::invalid_argument(std::string(argomenti[i]) + " needs a value");
    return std::string(argomenti[++i]);
}

std::string chiave_valida(std::string chiave, const char* opzione) {
    if (chiave.empty() || chiave.find_first_of("/\\") != std::string::npos || chiave == "." || chiave == "..")
        throw std::invalid_argument(std::string(opzione) + " '" + chiave + "' cannot be part of a file name");
    return chiave;
}

bool argomento_file(std::span<const std::string_view> argomenti, size_t& i, RichiestaFile& richiesta,
                    bool& directory_data) {
    const std::string_view a = argomenti[i];
    if (a == "--line-key") {
        richiesta.linea = valore_opzione(argomenti, i);
        return true;
    }
    if (a == "--train-key") {
        richiesta.treno = valore_opzione(argomenti, i);
        return true;
    }
    if (a.starts_with("-")) return false;
    if (directory_data) throw std::invalid_argument("more than one directory given");
    richiesta.directory = std::string(a);
    directory_data = true;
    return true;
}

}  // namespace compattatore
