#include "platform/rtl/Utf8.h"

namespace vd {
namespace {

bool IsCont(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

char32_t Utf8Decode(std::string_view s, std::size_t pos, std::size_t* size) {
    if (size) *size = 0;
    if (pos >= s.size()) return 0;
    const auto b0 = static_cast<unsigned char>(s[pos]);
    std::size_t n = 1;
    char32_t cp = 0xFFFD;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        if (size) *size = 1;
        return 0xFFFD;
    }
    if (n > 1) {
        if (pos + n > s.size()) n = 0;
        for (std::size_t i = 1; n && i < n; ++i) {
            const auto b = static_cast<unsigned char>(s[pos + i]);
            if (!IsCont(b))
                n = 0;
            else
                cp = (cp << 6) | (b & 0x3F);
        }
        if (n == 0 || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            if (size) *size = 1;
            return 0xFFFD;
        }
    }
    if (size) *size = n;
    return cp;
}

std::size_t Utf8CharSize(std::string_view s, std::size_t pos) {
    std::size_t n = 0;
    Utf8Decode(s, pos, &n);
    return n;
}

std::size_t Utf8NextChar(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    return pos + Utf8CharSize(s, pos);
}

std::size_t Utf8PrevChar(std::string_view s, std::size_t pos) {
    if (pos > s.size()) pos = s.size();
    if (pos == 0) return 0;
    // A valid character ends exactly at pos when it starts at most 3 bytes back.
    for (std::size_t back = 2; back <= 4 && back <= pos; ++back) {
        if (!IsCont(static_cast<unsigned char>(s[pos - back + 1]))) break;
        if (Utf8CharSize(s, pos - back) == back) return pos - back;
    }
    return pos - 1;
}

std::size_t Utf8Length(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < s.size(); pos = Utf8NextChar(s, pos))
        ++count;
    return count;
}

std::size_t Utf8CharOffset(std::string_view s, std::size_t index) {
    std::size_t pos = 0;
    while (index > 0 && pos < s.size()) {
        pos = Utf8NextChar(s, pos);
        --index;
    }
    return pos;
}

String Utf8Copy(std::string_view s, std::size_t start, std::size_t count) {
    const std::size_t from = Utf8CharOffset(s, start);
    const std::size_t to = from + Utf8CharOffset(s.substr(from), count);
    return String(s.substr(from, to - from));
}

String Utf8Left(std::string_view s, std::size_t maxChars) {
    return Utf8Copy(s, 0, maxChars);
}

String Utf8CutBytes(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) return String(s);
    std::size_t pos = 0;
    for (;;) {
        const std::size_t next = Utf8NextChar(s, pos);
        if (next > maxBytes || next == pos) break;
        pos = next;
    }
    return String(s.substr(0, pos));
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t n = 0;
        if (Utf8Decode(s, pos, &n) == 0xFFFD && n == 1) return false;
        pos += n;
    }
    return true;
}

String Utf8Encode(char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    String out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace vd
