#pragma once
// Overflow-checked integer arithmetic: an overflow raises EIntOverflow ("Arithmetic overflow")
// instead of wrapping.
#include "platform/rtl/Exception.h"

namespace vd {

template <class T> T CheckedAdd(T a, T b) {
    T r;
    if (__builtin_add_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

template <class T> T CheckedSub(T a, T b) {
    T r;
    if (__builtin_sub_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

template <class T> T CheckedMul(T a, T b) {
    T r;
    if (__builtin_mul_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

// The value converted to T, raising ERangeError ("Range check error") when it does not fit.
template <class T, class U> T CheckedCast(U v) {
    T r;
    if (__builtin_add_overflow(v, 0, &r)) throw ERangeError(rtl_msg::RangeError);
    return r;
}

} // namespace vd
