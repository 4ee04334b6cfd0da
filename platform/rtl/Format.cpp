#include "platform/rtl/Format.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Utf8.h"

#include <cctype>

namespace vd {
namespace {

class TFormatter {
public:
    TFormatter(std::string_view format, const TVarRec* args, std::size_t count)
        : FFormat(format), FArgs(args), FCount(count) {}

    String Run() {
        String out;
        out.reserve(FFormat.size() + 16);
        std::size_t i = 0;
        while (i < FFormat.size()) {
            const std::size_t pct = FFormat.find('%', i);
            if (pct == std::string_view::npos) {
                out.append(FFormat.substr(i));
                break;
            }
            out.append(FFormat.substr(i, pct - i));
            FPos = pct + 1;
            if (Peek() == '%') {
                out += '%';
                ++FPos;
            } else {
                out += Specifier();
            }
            i = FPos;
        }
        return out;
    }

private:
    std::string_view FFormat;
    const TVarRec* FArgs;
    std::size_t FCount;
    std::size_t FPos = 0;
    std::size_t FNextArg = 0;

    [[noreturn]] void Invalid() const { throw EConvertError(Format(rtl_msg::InvalidFormat, FFormat)); }

    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

    const TVarRec& NextArg() {
        if (FNextArg >= FCount) throw EConvertError(Format(rtl_msg::ArgumentMissing, FFormat));
        return FArgs[FNextArg++];
    }

    // A number, "*" (taken from the next integer argument) or nothing (-1).
    long ReadNumber() {
        if (Peek() == '*') {
            ++FPos;
            const TVarRec& a = NextArg();
            if (a.VType != TVarType::vtInteger && a.VType != TVarType::vtInt64) Invalid();
            return a.VInt64 < 0 ? 0 : (a.VInt64 > 100000 ? 100000 : static_cast<long>(a.VInt64));
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) return -1;
        long n = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
            n = n * 10 + (FFormat[FPos++] - '0');
            if (n > 100000) Invalid();
        }
        return n;
    }

    String Specifier() {
        long num = ReadNumber();
        if (Peek() == ':') {
            ++FPos;
            if (num < 0) num = 0;
            FNextArg = static_cast<std::size_t>(num);
            num = -1;
        }
        bool left = false;
        if (Peek() == '-') {
            left = true;
            ++FPos;
        }
        long width = num >= 0 ? num : ReadNumber();
        long prec = -1;
        if (Peek() == '.') {
            ++FPos;
            prec = ReadNumber();
            if (prec < 0) prec = 0;
        }
        if (FPos >= FFormat.size()) Invalid();
        const char type = FFormat[FPos++];
        String text = Convert(type, prec);
        const std::size_t len = Utf8Length(text);
        if (width > 0 && static_cast<std::size_t>(width) > len) {
            const String pad(static_cast<std::size_t>(width) - len, ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    static String Digits(std::uint64_t v, unsigned base, bool upper, long prec) {
        const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
        String s;
        do {
            s.insert(s.begin(), set[v % base]);
            v /= base;
        } while (v);
        if (prec > static_cast<long>(s.size())) s.insert(0, static_cast<std::size_t>(prec) - s.size(), '0');
        return s;
    }

    // The bit pattern of a signed argument as the library shows it in %u and %x.
    static std::uint64_t Unsigned(const TVarRec& a) {
        if (a.VType == TVarType::vtInteger) return static_cast<std::uint32_t>(a.VInt64);
        if (a.VType == TVarType::vtInt64) return static_cast<std::uint64_t>(a.VInt64);
        return a.VUInt64;
    }

    String Convert(char type, long prec) {
        const TVarRec& a = NextArg();
        const bool isInt =
            a.VType == TVarType::vtInteger || a.VType == TVarType::vtInt64 || a.VType == TVarType::vtUInt64;
        switch (type) {
        case 'd':
        case 'D': {
            if (!isInt) Invalid();
            if (a.VType == TVarType::vtUInt64) return Digits(a.VUInt64, 10, false, prec);
            const bool neg = a.VInt64 < 0;
            const std::uint64_t mag = neg ? 0 - static_cast<std::uint64_t>(a.VInt64) : a.VInt64;
            return (neg ? "-" : "") + Digits(mag, 10, false, prec);
        }
        case 'u':
        case 'U':
            if (!isInt) Invalid();
            return Digits(Unsigned(a), 10, false, prec);
        case 'x':
        case 'X':
            if (!isInt) Invalid();
            return Digits(Unsigned(a), 16, type == 'X', prec);
        case 'p':
        case 'P':
            if (a.VType != TVarType::vtPointer) Invalid();
            return Digits(reinterpret_cast<std::uintptr_t>(a.VPointer), 16, true, sizeof(void*) * 2);
        case 's':
        case 'S': {
            String s;
            if (a.VType == TVarType::vtString)
                s = String(a.VString);
            else if (a.VType == TVarType::vtChar)
                s = String(1, a.VChar);
            else
                Invalid();
            return prec >= 0 ? Utf8Left(s, static_cast<std::size_t>(prec)) : s;
        }
        default:
            break;
        }
        if (a.VType != TVarType::vtExtended) Invalid();
        const double v = a.VExtended;
        switch (type) {
        case 'f':
        case 'F':
            return FloatToStrF(v, TFloatFormat::ffFixed, 18, prec < 0 ? 2 : static_cast<int>(prec));
        case 'n':
        case 'N':
            return FloatToStrF(v, TFloatFormat::ffNumber, 18, prec < 0 ? 2 : static_cast<int>(prec));
        case 'e':
        case 'E':
            return FloatToStrF(v, TFloatFormat::ffExponent, prec < 0 ? 15 : static_cast<int>(prec), 3);
        case 'g':
        case 'G':
            return FloatToStrF(v, TFloatFormat::ffGeneral, prec < 0 ? 15 : static_cast<int>(prec), 3);
        default:
            Invalid();
        }
    }
};

} // namespace

String FormatBuf(std::string_view format, const TVarRec* args, std::size_t count) {
    return TFormatter(format, args, count).Run();
}

} // namespace vd
