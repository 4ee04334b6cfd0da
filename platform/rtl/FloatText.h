#pragma once
// Floating-point text in the class library's formats. Rounding is decimal and half away from
// zero (0.125 with two decimals gives 0.13), unlike printf's round-half-even on binary values.
#include "platform/rtl/String.h"

namespace vd {

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

inline constexpr char DecimalSeparator = '.';
inline constexpr char ThousandSeparator = ',';

// Precision: significant digits (at most 18). Digits: decimals for ffFixed/ffNumber,
// the minimum exponent digits for ffGeneral/ffExponent.
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// ffGeneral with 15 significant digits: 0.1 -> "0.1", 1e20 -> "1E20", 1.5e-7 -> "1.5E-7".
String FloatToStr(double value);

} // namespace vd
