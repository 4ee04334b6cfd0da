#include "platform/rtl/SysUtils.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <locale.h>

namespace vd {
namespace {

char Up(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
char Low(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The whole text as a number within [lo, hi]; hexadecimal may also use the unsigned pattern up to umax.
bool ParseInt(std::string_view s, std::int64_t lo, std::int64_t hi, std::uint64_t umax, std::int64_t& out) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true, i += 2;
    }
    if (i >= s.size()) return false;
    std::uint64_t mag = 0;
    const std::uint64_t limit = hex ? umax : static_cast<std::uint64_t>(hi) + (neg ? 1 : 0);
    for (; i < s.size(); ++i) {
        const int d = hex ? HexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0) return false;
        const unsigned base = hex ? 16 : 10;
        if (mag > (limit - static_cast<std::uint64_t>(d)) / base) return false;
        mag = mag * base + static_cast<std::uint64_t>(d);
    }
    if (hex && !neg && mag > static_cast<std::uint64_t>(hi)) {
        // "$FFFFFFFF" is -1 for a 32-bit value, as the library reads it.
        out = hi == INT32_MAX ? static_cast<std::int32_t>(static_cast<std::uint32_t>(mag))
                              : static_cast<std::int64_t>(mag);
        return true;
    }
    if (neg) {
        if (mag > static_cast<std::uint64_t>(hi) + 1) return false;
        out = static_cast<std::int64_t>(0 - mag);
        if (out < lo) return false;
    } else {
        if (mag > static_cast<std::uint64_t>(hi)) return false;
        out = static_cast<std::int64_t>(mag);
    }
    return true;
}

locale_t Utf8Locale() {
    static locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return loc;
}

String MapChars(std::string_view s, bool upper) {
    String out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t n = 0;
        const char32_t cp = Utf8Decode(s, pos, &n);
        if (cp < 0x80 || (cp == 0xFFFD && n == 1)) {
            out += upper ? Up(s[pos]) : Low(s[pos]);
        } else {
            const auto w = static_cast<wint_t>(cp);
            out += Utf8Encode(
                static_cast<char32_t>(upper ? towupper_l(w, Utf8Locale()) : towlower_l(w, Utf8Locale())));
        }
        pos += n;
    }
    return out;
}

} // namespace

String Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return String(s.substr(b, e - b));
}

String TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return String(s.substr(b));
}

String TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return String(s.substr(0, e));
}

String UpperCase(std::string_view s) {
    String out(s);
    for (char& c : out)
        c = Up(c);
    return out;
}

String LowerCase(std::string_view s) {
    String out(s);
    for (char& c : out)
        c = Low(c);
    return out;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(Up(a[i]));
        const auto y = static_cast<unsigned char>(Up(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareStr(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

String AnsiUpperCase(std::string_view s) {
    return MapChars(s, true);
}
String AnsiLowerCase(std::string_view s) {
    return MapChars(s, false);
}
int AnsiCompareText(std::string_view a, std::string_view b) {
    return CompareStr(AnsiUpperCase(a), AnsiUpperCase(b));
}
bool AnsiSameText(std::string_view a, std::string_view b) {
    return AnsiCompareText(a, b) == 0;
}

bool StartsText(std::string_view sub, std::string_view s) {
    return s.size() >= sub.size() && SameText(s.substr(0, sub.size()), sub);
}

bool EndsText(std::string_view sub, std::string_view s) {
    return s.size() >= sub.size() && SameText(s.substr(s.size() - sub.size()), sub);
}

std::size_t Pos(std::string_view sub, std::string_view s) {
    if (sub.empty()) return 0;
    const std::size_t p = s.find(sub);
    return p == std::string_view::npos ? 0 : p + 1;
}

String StringReplace(std::string_view s, std::string_view from, std::string_view to, bool all,
                     bool ignoreCase) {
    if (from.empty()) return String(s);
    const String hay = ignoreCase ? UpperCase(s) : String(s);
    const String needle = ignoreCase ? UpperCase(from) : String(from);
    String out;
    std::size_t i = 0;
    for (;;) {
        const std::size_t p = hay.find(needle, i);
        if (p == String::npos) break;
        out.append(s.substr(i, p - i));
        out.append(to);
        i = p + from.size();
        if (!all) break;
    }
    out.append(s.substr(i));
    return out;
}

String QuotedStr(std::string_view s) {
    String out = "'";
    for (char c : s) {
        out += c;
        if (c == '\'') out += c;
    }
    return out + "'";
}

String StringOfChar(char c, int count) {
    return count > 0 ? String(static_cast<std::size_t>(count), c) : String();
}

String IntToStr(std::int64_t value) {
    return std::to_string(value);
}

String IntToHex(std::uint64_t value, int digits) {
    String s;
    do {
        s.insert(s.begin(), "0123456789ABCDEF"[value & 15]);
        value >>= 4;
    } while (value);
    if (digits > static_cast<int>(s.size())) s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    return s;
}

bool TryStrToInt(std::string_view s, int& value) {
    std::int64_t v = 0;
    if (!ParseInt(s, INT32_MIN, INT32_MAX, UINT32_MAX, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
    return ParseInt(s, INT64_MIN, INT64_MAX, UINT64_MAX, value);
}

int StrToInt(std::string_view s) {
    int v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError(Format(rtl_msg::InvalidInteger, s));
    return v;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v = 0;
    if (!TryStrToInt64(s, v)) throw EConvertError(Format(rtl_msg::InvalidInteger, s));
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t def) {
    std::int64_t v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

std::int64_t ValInt(std::string_view s, std::size_t& stop) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    unsigned base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16, i += 2;
    }
    std::int64_t v = 0;
    bool any = false;
    for (; i < s.size(); ++i) {
        const int d = base == 16 ? HexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (d < 0 || v > (INT64_MAX - d) / static_cast<int>(base)) break;
        v = v * base + d;
        any = true;
    }
    stop = i;
    if (!any) return 0;
    return neg ? -v : v;
}

bool TryStrToFloat(std::string_view s, double& value) {
    const String t = Trim(s);
    if (t.empty()) return false;
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    bool digits = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        ++i, digits = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i, digits = true;
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (i >= t.size() || !std::isdigit(static_cast<unsigned char>(t[i]))) return false;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i;
    }
    if (i != t.size()) return false;
    double v = 0;
    const char* first = t.data() + (t[0] == '+' ? 1 : 0);
    const auto res = std::from_chars(first, t.data() + t.size(), v);
    if (res.ec != std::errc() || std::isinf(v)) return false;
    value = v;
    return true;
}

double StrToFloat(std::string_view s) {
    double v = 0;
    if (!TryStrToFloat(s, v)) throw EConvertError(Format(rtl_msg::InvalidFloat, s));
    return v;
}

double StrToFloatDef(std::string_view s, double def) {
    double v = 0;
    return TryStrToFloat(s, v) ? v : def;
}

String BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}

} // namespace vd
