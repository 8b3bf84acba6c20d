#include "model/testo_1252.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace compattatore {

namespace {

// Code points of bytes 0x80 to 0x9F in Windows-1252; 0 where the byte is unused.
constexpr std::array<char32_t, 32> ZONA_80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void aggiungi_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::optional<char> in_1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < ZONA_80.size(); ++i)
        if (ZONA_80[i] == c && c != 0) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// Decodes the whole text, or gives nothing when it is not valid UTF-8.
std::optional<std::vector<char32_t>> decodifica_utf8(std::string_view s) {
    std::vector<char32_t> risultato;
    risultato.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        int seguenti = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (seguenti < 0 || i + static_cast<size_t>(seguenti) >= s.size()) return std::nullopt;
        char32_t c = seguenti == 0 ? b : b & (0x3F >> seguenti);
        for (int k = 1; k <= seguenti; ++k) {
            auto t = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        static constexpr char32_t MINIMO[] = {0, 0x80, 0x800, 0x10000};
        if (c < MINIMO[seguenti] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return std::nullopt;
        risultato.push_back(c);
        i += static_cast<size_t>(seguenti) + 1;
    }
    return risultato;
}

}  // namespace

std::string da_1252_a_utf8(std::string_view testo) {
    std::string out;
    out.reserve(testo.size());
    for (char ch : testo) {
        auto b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = ZONA_80[b - 0x80] != 0 ? ZONA_80[b - 0x80] : 0xFFFD;
        aggiungi_utf8(out, c);
    }
    return out;
}

TestoConvertito converti_in_1252(std::string_view contenuto) {
    // Plain ASCII, as most description files are, is taken as it is without
    // decoding it character by character.
    if (std::ranges::all_of(contenuto, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return {std::string(contenuto), std::nullopt};
    auto caratteri = decodifica_utf8(contenuto);
    // Editors may open a UTF-8 file with a byte-order mark: it is no part of the text.
    constexpr char32_t MARCA_ORDINE_BYTE = 0xFEFF;
    if (caratteri && !caratteri->empty() && caratteri->front() == MARCA_ORDINE_BYTE) {
        caratteri->erase(caratteri->begin());
        contenuto.remove_prefix(3);
    }
    bool solo_ascii = caratteri && caratteri->size() == contenuto.size();
    if (!caratteri || solo_ascii) return {std::string(contenuto), std::nullopt};

    TestoConvertito risultato;
    risultato.testo.reserve(caratteri->size());
    int riga = 1;
    int colonna = 1;
    const std::vector<char32_t>& testo = *caratteri;
    for (size_t i = 0; i < testo.size(); ++i) {
        char32_t c = testo[i];
        auto byte = in_1252(c);
        if (!byte && !risultato.errore) risultato.errore = CarattereNonRappresentabile{riga, colonna, c};
        risultato.testo.push_back(byte.value_or('?'));
        // CR LF, CR alone and LF alone each end a line.
        bool fine_riga = c == '\n' || (c == '\r' && (i + 1 == testo.size() || testo[i + 1] != '\n'));
        if (fine_riga) {
            ++riga;
            colonna = 1;
        } else {
            ++colonna;
        }
    }
    return risultato;
}

bool senza_carattere_1252(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return b >= 0x80 && b <= 0x9F && ZONA_80[b - 0x80] == 0;
}

namespace {

// The small letter of a Windows-1252 capital; any other byte as it is.
unsigned char minuscola_1252(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return static_cast<unsigned char>(b + 0x20);
    switch (b) {
        case 0x8A: return 0x9A;  // S with caron
        case 0x8C: return 0x9C;  // OE
        case 0x8E: return 0x9E;  // Z with caron
        case 0x9F: return 0xFF;  // Y with diaeresis
        default: return b;
    }
}

}  // namespace

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return minuscola_1252(static_cast<unsigned char>(x)) == minuscola_1252(static_cast<unsigned char>(y));
    });
}

bool carattere_di_controllo(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

std::string controlli_visibili(std::string_view testo) {
    std::string uscita;
    uscita.reserve(testo.size());
    for (char c : testo) {
        if (!carattere_di_controllo(c)) {
            uscita.push_back(c);
            continue;
        }
        char codice[8];
        std::snprintf(codice, sizeof codice, "\\x%02x", static_cast<unsigned>(static_cast<unsigned char>(c)));
        uscita += codice;
    }
    return uscita;
}

}  // namespace compattatore
