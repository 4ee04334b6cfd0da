#include "platform/rtl/FloatText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vd {
namespace {

constexpr int MaxDigits = 18;

// The value as 0.D1D2... x 10^Exponent, rounded half away from zero to at most
// min(precision, Exponent + decimals) significant digits, without trailing zeros.
struct TFloatRec {
    int Exponent = 0;
    bool Negative = false;
    String Digits;
};

void RoundDigits(TFloatRec& rec, int keep) {
    if (keep < 0) {
        rec.Digits.clear();
        return;
    }
    if (keep >= static_cast<int>(rec.Digits.size())) return;
    const bool up = rec.Digits[keep] >= '5';
    rec.Digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && rec.Digits[i] == '9')
            rec.Digits[i--] = '0';
        if (i >= 0) {
            ++rec.Digits[i];
        } else {
            rec.Digits.insert(rec.Digits.begin(), '1');
            ++rec.Exponent;
        }
    }
}

TFloatRec FloatToDecimal(double value, int precision, int decimals) {
    TFloatRec rec;
    rec.Negative = std::signbit(value);
    if (value != 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", MaxDigits - 1, std::fabs(value));
        rec.Digits.push_back(buf[0]);
        rec.Digits.append(buf + 2, MaxDigits - 1);
        rec.Exponent = std::atoi(std::strchr(buf, 'e') + 1) + 1;
        if (precision > MaxDigits) precision = MaxDigits;
        const long keep = std::min<long>(precision, static_cast<long>(rec.Exponent) + decimals);
        RoundDigits(rec, static_cast<int>(keep));
        while (!rec.Digits.empty() && rec.Digits.back() == '0')
            rec.Digits.pop_back();
    }
    if (rec.Digits.empty()) {
        rec.Exponent = 0;
        rec.Negative = false; // no "-0.00"
    }
    return rec;
}

char DigitAt(const TFloatRec& rec, int i) {
    return i >= 0 && i < static_cast<int>(rec.Digits.size()) ? rec.Digits[i] : '0';
}

void PutExponent(String& out, int exponent, int minDigits, bool plus) {
    out += 'E';
    if (exponent < 0) {
        out += '-';
        exponent = -exponent;
    } else if (plus) {
        out += '+';
    }
    String e = std::to_string(exponent);
    if (static_cast<int>(e.size()) < minDigits) out.append(minDigits - e.size(), '0');
    out += e;
}

String Scientific(const TFloatRec& rec, int mantissaDigits, int expDigits, bool plus) {
    String out = rec.Negative ? "-" : "";
    out += DigitAt(rec, 0);
    if (mantissaDigits > 1) {
        out += DecimalSeparator;
        for (int i = 1; i < mantissaDigits; ++i)
            out += DigitAt(rec, i);
    }
    PutExponent(out, rec.Digits.empty() ? 0 : rec.Exponent - 1, expDigits, plus);
    return out;
}

String General(double value, int precision, int expDigits) {
    const TFloatRec rec = FloatToDecimal(value, precision, 9999);
    if (rec.Digits.empty()) return "0";
    const int n = static_cast<int>(rec.Digits.size());
    if (rec.Exponent > precision || rec.Exponent < -3) return Scientific(rec, n, expDigits, false);
    String out = rec.Negative ? "-" : "";
    if (rec.Exponent <= 0) {
        out += '0';
        out += DecimalSeparator;
        out.append(-rec.Exponent, '0');
        out += rec.Digits;
        return out;
    }
    for (int i = 0; i < rec.Exponent; ++i)
        out += DigitAt(rec, i);
    if (n > rec.Exponent) {
        out += DecimalSeparator;
        out.append(rec.Digits, rec.Exponent, String::npos);
    }
    return out;
}

String Fixed(double value, int precision, int decimals, bool thousands) {
    const TFloatRec rec = FloatToDecimal(value, precision, decimals);
    if (rec.Exponent > precision) return General(value, precision, 0);
    String out = rec.Negative ? "-" : "";
    if (rec.Exponent <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < rec.Exponent; ++i) {
            if (thousands && i > 0 && (rec.Exponent - i) % 3 == 0) out += ThousandSeparator;
            out += DigitAt(rec, i);
        }
    }
    if (decimals > 0) {
        out += DecimalSeparator;
        for (int k = 0; k < decimals; ++k)
            out += DigitAt(rec, rec.Exponent + k);
    }
    return out;
}

} // namespace

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (precision < 1) precision = 1;
    if (precision > MaxDigits) precision = MaxDigits;
    if (digits < 0) digits = 0;
    switch (format) {
    case TFloatFormat::ffGeneral:
        return General(value, precision, digits > 4 ? 4 : digits);
    case TFloatFormat::ffExponent:
        return Scientific(FloatToDecimal(value, precision, 9999), precision, digits > 4 ? 4 : digits, true);
    case TFloatFormat::ffFixed:
        return Fixed(value, precision, digits > 18 ? 18 : digits, false);
    case TFloatFormat::ffNumber:
        return Fixed(value, precision, digits > 18 ? 18 : digits, true);
    }
    return {};
}

String FloatToStr(double value) {
    return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0);
}

} // namespace vd
