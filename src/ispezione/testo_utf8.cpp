#include "ispezione/testo_utf8.h"

#include <array>
#include <cstdint>

namespace compattatore {

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 marks the undefined ones.
constexpr std::array<char32_t, 32> ALTI = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void aggiungi_utf8(std::string& uscita, char32_t c) {
    if (c < 0x80) {
        uscita += static_cast<char>(c);
    } else if (c < 0x800) {
        uscita += static_cast<char>(0xC0 | (c >> 6));
        uscita += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        uscita += static_cast<char>(0xE0 | (c >> 12));
        uscita += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        uscita += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string utf8_da_windows_1252(std::string_view testo) {
    std::string uscita;
    uscita.reserve(testo.size());
    for (char ch : testo) {
        auto b = static_cast<uint8_t>(ch);
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = ALTI[b - 0x80] != 0 ? ALTI[b - 0x80] : char32_t{0xFFFD};
        aggiungi_utf8(uscita, c);
    }
    return uscita;
}

}  // namespace compattatore
