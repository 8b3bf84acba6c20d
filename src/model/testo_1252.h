// Authors save description files in UTF-8 as often as in Windows-1252; the
// compiled files hold single-byte Windows-1252 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace compattatore {

struct CarattereNonRappresentabile {
    int riga;         // 1-based
    int colonna;      // 1-based, counted in characters
    char32_t codice;  // the Unicode code point
};

struct TestoConvertito {
    // Windows-1252 bytes; a character the code page cannot hold stands as
    // '?', so that a diagnostic can still show its line.
    std::string testo;
    std::optional<CarattereNonRappresentabile> errore;  // the first such character
};

// A text that is valid UTF-8 and holds characters beyond ASCII is converted to
// Windows-1252, without the byte-order mark it may begin with; anything else
// (plain ASCII, or bytes that are not UTF-8) is already single-byte text and
// is returned unchanged.
TestoConvertito converti_in_1252(std::string_view contenuto);

// Windows-1252 text as UTF-8, for terminals and JSON; the five bytes the code
// page leaves unused show as U+FFFD.
std::string da_1252_a_utf8(std::string_view testo);

// The five bytes Windows-1252 gives no character: 0x81, 0x8D, 0x8F, 0x90, 0x9D.
bool senza_carattere_1252(char byte);

// Two Windows-1252 texts alike but for the case of their letters, as
// Windows takes file names: A to Z, the accented capitals and the capital
// S and Z with caron, OE and Y with diaeresis each alike to its small letter.
bool uguali_senza_maiuscole(std::string_view a, std::string_view b);

// Bytes below 0x20, and 0x7F.
bool carattere_di_controllo(char byte);

// Text for a terminal or a text report, with every control character (an
// escape sequence in a damaged or hostile file would act on the terminal)
// written as \xNN.
std::string controlli_visibili(std::string_view testo);

}  // namespace compattatore
