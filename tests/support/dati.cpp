#include "support/dati.h"

#include <bit>
#include <cmath>

#include "platform/file.h"

namespace compattatore::test {

std::string leggi_dato(const std::string& directory, const std::string& nome) {
    return piattaforma::leggi(piattaforma::unisci(directory, nome));
}

namespace {

std::string piccolo_endian(uint64_t valore, size_t larghezza) {
    std::string byte;
    for (size_t k = 0; k < larghezza; ++k) byte += static_cast<char>((valore >> (8 * k)) & 0xFF);
    return byte;
}

}  // namespace

std::string tracciato_di_prova(int32_t lunghezza) {
    const int32_t ultima = lunghezza + 7000;
    std::string colonne[2];
    for (int c = 0; c < 2; ++c) {
        colonne[c] = piccolo_endian(2, 2) + piccolo_endian(0, 2) + piccolo_endian(2, 2) + piccolo_endian(c, 2);
    }
    for (int32_t r = 2; r <= ultima - 2; ++r) {
        const double angolo = r / 40000.0;
        const double x = 40000.0 * (1 - std::cos(angolo)), y = 40000.0 * std::sin(angolo);
        colonne[0] += piccolo_endian(5, 2) + piccolo_endian(std::bit_cast<uint64_t>(x), 8);
        colonne[1] += piccolo_endian(5, 2) + piccolo_endian(std::bit_cast<uint64_t>(y), 8);
    }
    for (int c = 0; c < 2; ++c) colonne[c] += piccolo_endian(0, 4);
    return colonne[0] + colonne[1];
}

}  // namespace compattatore::test
