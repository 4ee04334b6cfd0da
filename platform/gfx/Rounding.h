#pragma once
// Rounding to the nearest integer with halves to even: 127.5 gives 128, 76.5 gives 76.
// Done by hand so that a changed floating-point rounding mode cannot alter it.
#include <cmath>

namespace vd {

inline double RoundHalfEvenF(double v) {
    const double f = std::floor(v);
    const double d = v - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) return f + 1.0;
    return f;
}

inline int RoundHalfEven(double v) {
    return int(RoundHalfEvenF(v));
}

} // namespace vd
