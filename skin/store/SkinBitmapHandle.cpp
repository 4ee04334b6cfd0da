#include "skin/store/SkinBitmapHandle.h"

#include "platform/gfx/Gdi.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinEffectBmp.h"

#include <cstdint>
#include <vector>

namespace vd {

BITMAPINFO SkinBitmapInfo(int w, int h, int bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = Word(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

UniqueBitmap CreateSkinBitmapHandle(const TskBitmap& bitmap) {
    if (bitmap.Empty()) return UniqueBitmap();
    BITMAPINFO info = SkinBitmapInfo(bitmap.Width(), bitmap.Height(), 24);
    void* bits = nullptr;
    UniqueBitmap handle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle || !bits) return UniqueBitmap();
    const size_t stride = (size_t(bitmap.Width()) * 3 + 3) / 4 * 4;
    for (int y = 0; y < bitmap.Height(); ++y) {
        Byte* row = static_cast<Byte*>(bits) + size_t(y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TskColor c = bitmap.Pixel(x, y);
            row[3 * x] = Byte(skGetB(c));
            row[3 * x + 1] = Byte(skGetG(c));
            row[3 * x + 2] = Byte(skGetR(c));
        }
    }
    return handle;
}

TskBitmap SkinBitmapFromHandle(HBITMAP bitmap) {
    TskBitmap out;
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return out;
    const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (!out.SetSize(bm.bmWidth, h)) return out;
    BITMAPINFO info = SkinBitmapInfo(bm.bmWidth, h, 32);
    std::vector<std::uint32_t> px(size_t(bm.bmWidth) * size_t(h));
    if (GetDIBits(nullptr, bitmap, 0, UINT(h), px.data(), &info, DIB_RGB_COLORS) != h) {
        out.Clear();
        return out;
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            const std::uint32_t p = px[size_t(y) * size_t(bm.bmWidth) + size_t(x)];
            out.SetPixel(x, y, skRGB(int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)));
        }
    return out;
}

void DrawEffectBmp(HDC dc, int x, int y, const TskEffectBmp& bitmap) {
    if (bitmap.Empty()) return;
    const BITMAPINFO info = SkinBitmapInfo(bitmap.Width(), bitmap.Height(), 24);
    SetDIBitsToDevice(dc, x, y, DWord(bitmap.Width()), DWord(bitmap.Height()), 0, 0, 0, UINT(bitmap.Height()),
                      bitmap.ScanLine(0), &info, DIB_RGB_COLORS);
}

} // namespace vd
