// Fuzzes the texts that come from language files: message texts go through Format (with no
// arguments or a few), the date format through FormatDateTime, numbers through the converters.
// Any input must give a text or EConvertError, never a crash or a hang.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)Format(text);
    } catch (const EConvertError&) {
    }
    try {
        (void)Format(text, 42, "name", 2.5, -7LL, 'c', static_cast<const void*>(data));
    } catch (const EConvertError&) {
    }
    (void)FormatDateTime(text, EncodeDate(2026, 3, 7) + EncodeTime(21, 5, 4, 45));
    (void)StrToIntDef(text, 0);
    (void)StrToFloatDef(text, 0);
    std::size_t stop = 0;
    (void)ValInt(text, stop);
    (void)Utf8CutBytes(text, size / 2);
    (void)AnsiUpperCase(text);
    return 0;
}
