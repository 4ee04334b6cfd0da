#pragma once
// Format with the class library's rules: %[index:][-][width][.precision]type with the types
// d u x X e f g n s p and %%. Arguments are packed into a small array of tagged values, so a
// mismatch is caught at run time with the library's EConvertError instead of undefined behaviour.
#include "platform/rtl/String.h"

#include <cstddef>
#include <cstdint>

namespace vd {

enum class TVarType : unsigned char {
    vtInteger,
    vtInt64,
    vtUInt64,
    vtExtended,
    vtString,
    vtChar,
    vtPointer,
    vtBoolean
};

struct TVarRec {
    TVarType VType;
    union {
        std::int64_t VInt64;
        std::uint64_t VUInt64;
        double VExtended;
        const void* VPointer;
        char VChar;
        bool VBoolean;
    };
    std::string_view VString;

    TVarRec(bool v) : VType(TVarType::vtBoolean), VBoolean(v) {}
    TVarRec(char v) : VType(TVarType::vtChar), VChar(v) {}
    TVarRec(signed char v) : VType(TVarType::vtInteger), VInt64(v) {}
    TVarRec(unsigned char v) : VType(TVarType::vtInteger), VInt64(v) {}
    TVarRec(short v) : VType(TVarType::vtInteger), VInt64(v) {}
    TVarRec(unsigned short v) : VType(TVarType::vtInteger), VInt64(v) {}
    TVarRec(int v) : VType(TVarType::vtInteger), VInt64(v) {}
    TVarRec(unsigned v) : VType(TVarType::vtInt64), VInt64(v) {}
    TVarRec(long v) : VType(TVarType::vtInt64), VInt64(v) {}
    TVarRec(long long v) : VType(TVarType::vtInt64), VInt64(v) {}
    TVarRec(unsigned long v) : VType(TVarType::vtUInt64), VUInt64(v) {}
    TVarRec(unsigned long long v) : VType(TVarType::vtUInt64), VUInt64(v) {}
    TVarRec(float v) : VType(TVarType::vtExtended), VExtended(v) {}
    TVarRec(double v) : VType(TVarType::vtExtended), VExtended(v) {}
    TVarRec(long double v) : VType(TVarType::vtExtended), VExtended(static_cast<double>(v)) {}
    TVarRec(const char* v) : VType(TVarType::vtString), VInt64(0), VString(v ? v : "") {}
    TVarRec(const String& v) : VType(TVarType::vtString), VInt64(0), VString(v) {}
    TVarRec(std::string_view v) : VType(TVarType::vtString), VInt64(0), VString(v) {}
    TVarRec(const void* v) : VType(TVarType::vtPointer), VPointer(v) {}
    TVarRec(std::nullptr_t) : VType(TVarType::vtPointer), VPointer(nullptr) {}
};

// The worker behind Format: args may be null when count is 0.
String FormatBuf(std::string_view format, const TVarRec* args, std::size_t count);

template <class... Args> String Format(std::string_view format, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return FormatBuf(format, nullptr, 0);
    } else {
        const TVarRec recs[] = {TVarRec(args)...};
        return FormatBuf(format, recs, sizeof...(Args));
    }
}

} // namespace vd
