#include "compiler/codici_gara.h"

#include <string>

namespace compattatore {

namespace {

constexpr int CARATTERI_CONTATI = 25;
constexpr const char* RIEMPIMENTO = "aabbccddeeffgghhiillmmnnoo";

// Train key, then line key, lower-cased (A to Z only), then the padding;
// always at least 26 characters long.
std::string testo_contato(const TabellaOggetti& oggetti) {
    std::string t = oggetti[OGGETTO_TRENO].nome + oggetti[OGGETTO_LINEA].nome;
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t + RIEMPIMENTO;
}

int32_t codice_carattere(char c) { return static_cast<unsigned char>(c); }

}  // namespace

int16_t codice_gara_og(const TabellaOggetti& oggetti) {
    const std::string t = testo_contato(oggetti);
    int32_t somma = 0;
    for (int p = 1; p <= CARATTERI_CONTATI; ++p) somma += codice_carattere(t[p - 1]);
    return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const TabellaOggetti& oggetti) {
    const std::string t = testo_contato(oggetti);
    int32_t somma = 0;
    for (int p = 1; p <= CARATTERI_CONTATI; ++p) somma += p * codice_carattere(t[p - 1]);
    return somma;
}

}  // namespace compattatore
