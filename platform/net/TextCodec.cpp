#include "platform/net/TextCodec.h"

namespace vd::net {

std::string Base64Encode(const std::string& in) {
    static const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(in[k])); };
    for (; i + 2 < in.size(); i += 3) {
        unsigned v = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
        out += {kB64[v >> 18], kB64[(v >> 12) & 63], kB64[(v >> 6) & 63], kB64[v & 63]};
    }
    if (i + 1 == in.size()) {
        unsigned v = at(i) << 16;
        out += {kB64[v >> 18], kB64[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == in.size()) {
        unsigned v = at(i) << 16 | at(i + 1) << 8;
        out += {kB64[v >> 18], kB64[(v >> 12) & 63], kB64[(v >> 6) & 63], '='};
    }
    return out;
}

std::string UrlEncode(const std::string& in) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : in) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

bool IsValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n;
        if (c < 0x80)
            n = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            n = 1;
        else if ((c >> 4) == 0xE)
            n = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 3;
        else
            return false;
        if (i + n >= s.size() && n > 0) return false;
        for (std::size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n + 1;
    }
    return true;
}

std::string OneLine(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

} // namespace vd::net
