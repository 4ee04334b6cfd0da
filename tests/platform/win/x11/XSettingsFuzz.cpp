// The settings property comes from another program: no input may crash the parser.
#include "platform/win/x11/XSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)vd::x11::FindXSettingsInt(data, size, "Net/DoubleClickTime");
    return 0;
}
