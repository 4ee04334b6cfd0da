// Text from outside (stream titles, language files) is laid out and drawn: any bytes, any
// flags, any box must neither crash nor hang.
#include "platform/gfx/Gdi.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vd;
    if (size < 6) return 0;
    static HDC dc = [] {
        HDC d = CreateCompatibleDC(nullptr);
        SelectObject(d, CreateBitmap(64, 48, 1, 24, nullptr));
        LOGFONTA lf;
        std::strcpy(lf.lfFaceName, "DejaVu Sans");
        lf.lfHeight = -11;
        SelectObject(d, CreateFontIndirectA(&lf));
        return d;
    }();
    UINT format;
    std::memcpy(&format, data, 4);
    format &= ~DT_MODIFYSTRING;
    const int width = int(std::int16_t(data[4] | data[5] << 8));
    const char* text = reinterpret_cast<const char*>(data + 6);
    const int length = int(size - 6);
    TRect r{-3, 2, -3 + width, 40};
    DrawTextA(dc, text, length, &r, format);
    TSize extent;
    GetTextExtentPoint32A(dc, text, length, &extent);
    TextOutA(dc, width, 5, text, length);
    return 0;
}
