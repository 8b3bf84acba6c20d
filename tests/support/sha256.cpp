#include "support/sha256.h"

#include <array>
#include <cstdint>

namespace compattatore::prova {

namespace {

constexpr std::array<uint32_t, 64> K = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t ruota(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void blocco(std::array<uint32_t, 8>& h, const unsigned char* b) {
    std::array<uint32_t, 64> w{};
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t{b[4 * i]} << 24 | uint32_t{b[4 * i + 1]} << 16 | uint32_t{b[4 * i + 2]} << 8 | b[4 * i + 3];
    for (int i = 16; i < 64; ++i) {
        uint32_t s0 = ruota(w[i - 15], 7) ^ ruota(w[i - 15], 18) ^ (w[i - 15] >> 3);
        uint32_t s1 = ruota(w[i - 2], 17) ^ ruota(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    auto [a, bb, c, d, e, f, g, hh] = h;
    for (int i = 0; i < 64; ++i) {
        uint32_t t1 = hh + (ruota(e, 6) ^ ruota(e, 11) ^ ruota(e, 25)) + ((e & f) ^ (~e & g)) + K[i] + w[i];
        uint32_t t2 = (ruota(a, 2) ^ ruota(a, 13) ^ ruota(a, 22)) + ((a & bb) ^ (a & c) ^ (bb & c));
        hh = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = bb;
        bb = a;
        a = t1 + t2;
    }
    const std::array<uint32_t, 8> somme = {a, bb, c, d, e, f, g, hh};
    for (int i = 0; i < 8; ++i) h[i] += somme[i];
}

}  // namespace

std::string sha256_hex(std::string_view dati) {
    std::array<uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::string coda(dati.substr(dati.size() - dati.size() % 64));
    const auto* inizio = reinterpret_cast<const unsigned char*>(dati.data());
    for (size_t i = 0; i + 64 <= dati.size(); i += 64) blocco(h, inizio + i);

    const uint64_t bit = static_cast<uint64_t>(dati.size()) * 8;
    coda.push_back(static_cast<char>(0x80));
    while (coda.size() % 64 != 56) coda.push_back('\0');
    for (int i = 7; i >= 0; --i) coda.push_back(static_cast<char>((bit >> (8 * i)) & 0xFF));
    for (size_t i = 0; i < coda.size(); i += 64) blocco(h, reinterpret_cast<const unsigned char*>(coda.data()) + i);

    static constexpr char cifre[] = "0123456789abcdef";
    std::string hex;
    for (uint32_t v : h)
        for (int i = 28; i >= 0; i -= 4) hex.push_back(cifre[(v >> i) & 0xF]);
    return hex;
}

}  // namespace compattatore::prova
