#include "platform/audio/cast/Ultravox.h"

namespace vd::audio::uvox {

std::string Message(std::uint16_t type, const std::string& payload) {
    std::string m;
    std::size_t n = payload.size() > kMaxPayload ? kMaxPayload : payload.size();
    m.reserve(n + 7);
    m += static_cast<char>(0x5A);
    m += '\0';
    m += static_cast<char>(type >> 8);
    m += static_cast<char>(type & 0xFF);
    m += static_cast<char>(n >> 8);
    m += static_cast<char>(n & 0xFF);
    m.append(payload, 0, n);
    m += '\0';
    return m;
}

int Parse(std::string& buffer, TMessage& message) {
    if (buffer.empty()) return 0;
    if (static_cast<unsigned char>(buffer[0]) != 0x5A) return -1;
    if (buffer.size() < 6) return 0;
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(buffer[i])); };
    std::size_t len = byte(4) << 8 | byte(5);
    if (len > kMaxPayload) return -1;
    if (buffer.size() < 6 + len + 1) return 0;
    if (buffer[6 + len] != '\0') return -1;
    message.Type = static_cast<std::uint16_t>(byte(2) << 8 | byte(3));
    message.Payload = buffer.substr(6, len);
    buffer.erase(0, 7 + len);
    return 1;
}

namespace {

void KeyWords(const std::string& key, std::uint32_t k[4]) {
    unsigned char kb[16] = {};
    for (std::size_t i = 0; i < 16 && i < key.size(); ++i)
        kb[i] = static_cast<unsigned char>(key[i]);
    for (int i = 0; i < 4; ++i)
        k[i] = std::uint32_t(kb[4 * i]) << 24 | std::uint32_t(kb[4 * i + 1]) << 16 |
               std::uint32_t(kb[4 * i + 2]) << 8 | kb[4 * i + 3];
}

void Encipher(std::uint32_t v[2], const std::uint32_t k[4]) {
    std::uint32_t v0 = v[0], v1 = v[1], sum = 0;
    const std::uint32_t delta = 0x9E3779B9;
    for (int i = 0; i < 32; ++i) {
        v0 += (((v1 << 4) ^ (v1 >> 5)) + v1) ^ (sum + k[sum & 3]);
        sum += delta;
        v1 += (((v0 << 4) ^ (v0 >> 5)) + v0) ^ (sum + k[(sum >> 11) & 3]);
    }
    v[0] = v0;
    v[1] = v1;
}

void Decipher(std::uint32_t v[2], const std::uint32_t k[4]) {
    std::uint32_t v0 = v[0], v1 = v[1];
    const std::uint32_t delta = 0x9E3779B9;
    std::uint32_t sum = delta * 32;
    for (int i = 0; i < 32; ++i) {
        v1 -= (((v0 << 4) ^ (v0 >> 5)) + v0) ^ (sum + k[(sum >> 11) & 3]);
        sum -= delta;
        v0 -= (((v1 << 4) ^ (v1 >> 5)) + v1) ^ (sum + k[sum & 3]);
    }
    v[0] = v0;
    v[1] = v1;
}

std::uint32_t Word(const std::string& s, std::size_t at) {
    std::uint32_t w = 0;
    for (std::size_t i = 0; i < 4; ++i)
        w = w << 8 | (at + i < s.size() ? static_cast<unsigned char>(s[at + i]) : 0u);
    return w;
}

} // namespace

std::string XteaEncryptHex(const std::string& text, const std::string& key) {
    static const char kHex[] = "0123456789abcdef";
    std::uint32_t k[4];
    KeyWords(key, k);
    std::string out;
    for (std::size_t at = 0; at < text.size(); at += 8) {
        std::uint32_t v[2] = {Word(text, at), Word(text, at + 4)};
        Encipher(v, k);
        for (std::uint32_t w : v)
            for (int shift = 28; shift >= 0; shift -= 4)
                out += kHex[(w >> shift) & 15];
    }
    return out;
}

std::string XteaDecryptHex(const std::string& hex, const std::string& key) {
    std::uint32_t k[4];
    KeyWords(key, k);
    std::string out;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (std::size_t at = 0; at + 16 <= hex.size(); at += 16) {
        std::uint32_t v[2] = {0, 0};
        for (int i = 0; i < 16; ++i) {
            int n = nibble(hex[at + i]);
            if (n < 0) return {};
            v[i / 8] = v[i / 8] << 4 | static_cast<std::uint32_t>(n);
        }
        Decipher(v, k);
        for (std::uint32_t w : v)
            for (int shift = 24; shift >= 0; shift -= 8)
                out += static_cast<char>((w >> shift) & 0xFF);
    }
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

std::uint16_t DataType(const std::string& contentType) {
    if (contentType == "audio/aacp") return kDataAacPlus;
    if (contentType == "audio/aac") return kDataAac;
    if (contentType == "audio/ogg" || contentType == "application/ogg") return kDataOgg;
    return kDataMp3;
}

} // namespace vd::audio::uvox
