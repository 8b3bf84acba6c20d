#include "run/argomenti_file.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "compiler/testo_1252.h"

namespace compattatore {

std::string chiave_del_comando(const std::string& chiave, const char* opzione) {
    TestoConvertito convertito = converti_in_1252(chiave_valida(chiave, opzione));
    if (convertito.errore)
        throw std::invalid_argument(std::string(opzione) + " '" + chiave +
                                    "' holds a character Windows-1252 cannot hold");
    return convertito.testo;
}

int32_t metri_da_km(const std::string& testo) {
    double km = 0;
    auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), km);
    if (errore != std::errc() || fine != testo.data() + testo.size() || !std::isfinite(km) || km < 0 || km > 2000) {
        throw std::invalid_argument("'" + testo + "' is not a distance in km");
    }
    return static_cast<int32_t>(std::nearbyint(km * 1000));
}

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
        richiesta.linea = chiave_del_comando(valore_opzione(argomenti, i), "--line-key");
        return true;
    }
    if (a == "--train-key") {
        richiesta.treno = chiave_del_comando(valore_opzione(argomenti, i), "--train-key");
        return true;
    }
    if (a.starts_with("-")) return false;
    if (directory_data) throw std::invalid_argument("more than one directory given");
    richiesta.directory = std::string(a);
    directory_data = true;
    return true;
}

}  // namespace compattatore
