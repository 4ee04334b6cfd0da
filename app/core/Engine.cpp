#include "app/core/Engine.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <atomic>
#include <ctime>

namespace vd {

namespace {

const TMonotonicClock DefaultClock;
std::atomic<const TClockSource*> CurrentClock{&DefaultClock};

bool IsDelimiter(char c, char delimiter) {
    return c == (delimiter == '\0' ? ' ' : delimiter);
}

} // namespace

std::uint64_t TMonotonicClock::Milliseconds() const {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

std::uint64_t MillisecondClock() {
    return CurrentClock.load(std::memory_order_acquire)->Milliseconds();
}

void SetClockSource(const TClockSource* source) {
    CurrentClock.store(source ? source : &DefaultClock, std::memory_order_release);
}

String XorWithKey(const String& data, const String& key) {
    const String k = key.empty() ? String(1, '\xAA') : key;
    String result(data.size(), '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        result[i] = static_cast<char>(data[i] ^ k[i % k.size()]);
    return result;
}

String BytesToHex(const String& data) {
    static const char Digits[] = "0123456789abcdef";
    String result;
    result.reserve(data.size() * 2);
    for (unsigned char b : data) {
        result += Digits[b >> 4];
        result += Digits[b & 0x0F];
    }
    return result;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

String HexToBytes(const String& text) {
    String result;
    result.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        result += static_cast<char>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
    return result;
}

String ScramblePassword(const String& plain) {
    return BytesToHex(XorWithKey(plain, ScrambleKey));
}

String UnscramblePassword(const String& stored) {
    return XorWithKey(HexToBytes(stored), ScrambleKey);
}

int CountTokens(const String& text, char delimiter) {
    int count = 0;
    bool inRun = false;
    for (char c : text) {
        const bool delim = IsDelimiter(c, delimiter);
        if (!delim && !inRun) ++count;
        inRun = !delim;
    }
    return count;
}

String GetToken(const String& text, int n, char delimiter) {
    if (n < 1) return {};
    int count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsDelimiter(text[i], delimiter))
            ++i;
        if (i >= text.size()) break;
        std::size_t end = i;
        while (end < text.size() && !IsDelimiter(text[end], delimiter))
            ++end;
        if (++count == n) return text.substr(i, end - i);
        i = end;
    }
    return {};
}

String IncludeBackslash(const String& path) {
    if (path.empty() || path.back() == '/') return path;
    return path + '/';
}

String UpperText(const String& text) {
    return AnsiUpperCase(text);
}

String CutText(const String& text, std::size_t maxChars) {
    return Utf8Left(text, maxChars);
}

} // namespace vd
