// The one way bytes of a binary scenario file are produced: each field
// stored in its declared width, little-endian, whatever the host's order,
// so the files never depend on how the compiler lays out a struct. The bytes
// gather in a fixed buffer that is handed on whenever it fills, so a file of
// any size costs the same memory.
#pragma once

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/memoria.h"

namespace compattatore {

// Where encoded bytes go: a file being written, or a string.
class Destinazione {
public:
    virtual ~Destinazione() = default;
    virtual void ricevi(std::string_view byte) = 0;
};

// Collects everything in a string (a whole file image, for small files and checks).
class DestinazioneTesto final : public Destinazione {
public:
    void ricevi(std::string_view byte) override { testo.append(byte); }
    std::string testo;
};

class ScrittoreLE {
public:
    // The buffer is not cleared: only the bytes stored are handed on. Its
    // pages are mapped at once, as they will all be filled.
    explicit ScrittoreLE(Destinazione& destinazione)
        : destinazione_(destinazione), buffer_(std::make_unique_for_overwrite<char[]>(CAPACITA)) {
        piattaforma::prepara_pagine(buffer_.get(), CAPACITA);
    }

    void u8(uint8_t v) { intero(v, 1); }
    void u16(uint16_t v) { intero(v, 2); }
    void i16(int16_t v) { intero(static_cast<uint16_t>(v), 2); }
    void i32(int32_t v) { intero(static_cast<uint32_t>(v), 4); }
    void f64(double v) { intero(std::bit_cast<uint64_t>(v), 8); }

    // A 16-bit byte count, then the bytes as they are (single-byte text).
    // The readers refuse longer texts and keys are file names, so none gets here.
    void testo(std::string_view t) {
        assert(t.size() <= UINT16_MAX);
        u16(static_cast<uint16_t>(t.size()));
        for (size_t fatti = 0; fatti < t.size();) {
            if (usati_ == CAPACITA) svuota();
            const size_t n = std::min(t.size() - fatti, CAPACITA - usati_);
            std::memcpy(buffer_.get() + usati_, t.data() + fatti, n);
            usati_ += n;
            fatti += n;
        }
    }

    // `quanti` fields of `larghezza` bytes each, field i stored by
    // scrivi(where, i) with metti(): the room left is checked once a run of
    // fields, not once a field, which is what a large table spends its time on.
    template <class Scrivi>
    void campi(size_t quanti, size_t larghezza, Scrivi scrivi) {
        for (size_t i = 0; i < quanti;) {
            if (CAPACITA - usati_ < larghezza) svuota();
            const size_t fine = i + std::min(quanti - i, (CAPACITA - usati_) / larghezza);
            char* dove = buffer_.get() + usati_;
            usati_ += (fine - i) * larghezza;
            for (; i < fine; ++i, dove += larghezza) scrivi(dove, i);
        }
    }

    // The low `byte` bytes of v at `dove`, little-endian, in one store.
    static void metti(char* dove, uint64_t v, size_t byte) {
        if constexpr (std::endian::native != std::endian::little) {
            uint64_t invertito = 0;
            for (size_t b = 0; b < 8; ++b) invertito |= ((v >> (8 * b)) & 0xFF) << (8 * (7 - b));
            v = invertito;
        }
        std::memcpy(dove, &v, byte);
    }

    // Hands on what the buffer holds; call it once the last field is stored.
    void svuota() {
        destinazione_.ricevi({buffer_.get(), usati_});
        usati_ = 0;
    }

private:
    static constexpr size_t CAPACITA = size_t{64} * 1024;

    // The low `byte` bytes of v in one store.
    void intero(uint64_t v, size_t byte) {
        if (CAPACITA - usati_ < byte) svuota();
        metti(buffer_.get() + usati_, v, byte);
        usati_ += byte;
    }

    Destinazione& destinazione_;
    std::unique_ptr<char[]> buffer_;
    size_t usati_ = 0;
};

}  // namespace compattatore
