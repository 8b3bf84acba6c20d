// The one way bytes of a binary scenario file are produced: each field
// appended in its declared width, little-endian, whatever the host's order,
// so the files never depend on how the compiler lays out a struct.
#pragma once

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace compattatore {

class ScrittoreLE {
public:
    explicit ScrittoreLE(std::string& destinazione) : out_(destinazione) {}

    void u8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void u16(uint16_t v) { intero(v, 2); }
    void i16(int16_t v) { intero(static_cast<uint16_t>(v), 2); }
    void i32(int32_t v) { intero(static_cast<uint32_t>(v), 4); }
    void f64(double v) { intero(std::bit_cast<uint64_t>(v), 8); }

    // A 16-bit byte count, then the bytes as they are (single-byte text).
    void testo(const std::string& t) {
        if (t.size() > UINT16_MAX) throw std::length_error("text field longer than 65535 bytes");
        u16(static_cast<uint16_t>(t.size()));
        out_ += t;
    }

private:
    void intero(uint64_t v, int byte) {
        for (int b = 0; b < byte; ++b) out_.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
    }

    std::string& out_;
};

}  // namespace compattatore
