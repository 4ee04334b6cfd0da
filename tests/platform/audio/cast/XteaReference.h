#pragma once
// XTEA for the tests, written from the cipher's published description apart from the program's
// own code (big-endian words, 64 rounds as 32 cycles), so that a fake server can read what the
// program enciphered without trusting the program's cipher. Checked against the published test
// vectors in CastTest.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vd::testkit {

inline std::array<std::uint32_t, 2> XteaReferenceDecipher(std::array<std::uint32_t, 2> v,
                                                          const std::array<std::uint32_t, 4>& key) {
    constexpr std::uint32_t kDelta = 0x9E3779B9;
    std::uint32_t sum = kDelta * 32u;
    for (int cycle = 0; cycle < 32; ++cycle) {
        v[1] -= (((v[0] << 4) ^ (v[0] >> 5)) + v[0]) ^ (sum + key[(sum >> 11) & 3]);
        sum -= kDelta;
        v[0] -= (((v[1] << 4) ^ (v[1] >> 5)) + v[1]) ^ (sum + key[sum & 3]);
    }
    return v;
}

// Hex blocks (16 digits each) enciphered with the first 16 bytes of keyText (zero padded);
// the zero padding of the last block is dropped. Empty on malformed hex.
inline std::string XteaReferenceDecryptHex(const std::string& hex, const std::string& keyText) {
    std::array<std::uint32_t, 4> key{};
    for (std::size_t i = 0; i < 16; ++i) {
        std::uint32_t byte = i < keyText.size() ? static_cast<unsigned char>(keyText[i]) : 0u;
        key[i / 4] |= byte << (24 - 8 * (i % 4));
    }
    if (hex.size() % 16 != 0) return {};
    std::string out;
    for (std::size_t block = 0; block < hex.size(); block += 16) {
        std::array<std::uint32_t, 2> v{};
        for (std::size_t d = 0; d < 16; ++d) {
            std::uint32_t digit;
            if (!(std::sscanf(hex.substr(block + d, 1).c_str(), "%1x", &digit) == 1)) return {};
            v[d / 8] = (v[d / 8] << 4) | digit;
        }
        v = XteaReferenceDecipher(v, key);
        for (std::uint32_t w : v)
            for (int b = 3; b >= 0; --b)
                out += static_cast<char>((w >> (8 * b)) & 0xFF);
    }
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

} // namespace vd::testkit
