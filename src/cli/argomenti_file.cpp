#include "cli/argomenti_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/errore_uso.h"
#include "model/testo_1252.h"

namespace compattatore {

std::string chiave_del_comando(const std::string& chiave, const char* opzione) {
    TestoConvertito convertito = converti_in_1252(chiave_valida(chiave, opzione));
    if (convertito.errore)
        throw ErroreUso(std::string(opzione) + " '" + chiave + "' holds a character Windows-1252 cannot hold");
    // Bytes that are not UTF-8 stay as they are: the five without a character
    // would all be U+FFFD in the file names, one name for different keys.
    const auto vuoto = std::ranges::find_if(convertito.testo, senza_carattere_1252);
    if (vuoto != convertito.testo.end()) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(*vuoto)));
        throw ErroreUso(std::string(opzione) + " '" + controlli_visibili(chiave) + "' holds the byte " + byte +
                        ", which Windows-1252 gives no character");
    }
    return convertito.testo;
}

int32_t metri_da_km(const std::string& testo) {
    double km = 0;
    auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), km);
    if (errore != std::errc() || fine != testo.data() + testo.size() || !std::isfinite(km) || km < 0 || km > 2000) {
        throw ErroreUso("'" + testo + "' is not a distance in km");
    }
    return static_cast<int32_t>(std::nearbyint(km * 1000));
}

std::string chiave_valida(std::string chiave, const char* opzione) {
    if (chiave.empty() || chiave.find_first_of("/\\") != std::string::npos || chiave == "." || chiave == "..")
        throw ErroreUso(std::string(opzione) + " '" + controlli_visibili(chiave) + "' cannot be part of a file name");
    // A newline or an escape in a file name breaks every listing that shows it.
    const auto controllo = std::ranges::find_if(chiave, carattere_di_controllo);
    if (controllo != chiave.end()) {
        throw ErroreUso(std::string(opzione) + " '" + controlli_visibili(chiave) + "' holds the control character " +
                        controlli_visibili({&*controllo, 1}) + ", which cannot be part of a file name");
    }
    return chiave;
}

void opzioni_intervallo(Opzioni& opzioni, Intervallo& intervallo) {
    opzioni.con_valore("--from", [&](const std::string& v) { intervallo.da = metri_da_km(v); })
        .con_valore("--to", [&](const std::string& v) { intervallo.a = metri_da_km(v); });
}

void controlla_intervallo(const Intervallo& intervallo) {
    if (intervallo.da && intervallo.a && *intervallo.da >= *intervallo.a)
        throw ErroreUso("--from must come before --to");
}

void opzioni_file(Opzioni& opzioni, RichiestaFile& richiesta) {
    opzioni
        .con_valore("--line-key", [&](const std::string& v) { richiesta.linea = chiave_del_comando(v, "--line-key"); })
        .con_valore("--train-key",
                    [&](const std::string& v) { richiesta.treno = chiave_del_comando(v, "--train-key"); })
        .parole([&richiesta, data = false](const std::string& directory) mutable {
            if (data) throw ErroreUso("more than one directory given");
            richiesta.directory = directory;
            data = true;
        });
}

}  // namespace compattatore
