#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiError.h"

#include <algorithm>
#include <cstring>

namespace vd {

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    if (planes != 1 || (bitCount != 1 && bitCount != 24 && bitCount != 32)) return nullptr;
    try {
        auto* bmp = new GdiBitmap(width, height, int(bitCount), true);
        bmp->SetUsesDcColors(bitCount == 1);
        if (bits) {
            // Device bitmap rows are padded to 16 bits.
            const int srcStride = ((width * int(bitCount) + 15) / 16) * 2;
            const std::size_t n = std::size_t(std::min(srcStride, bmp->Stride()));
            for (int y = 0; y < height; ++y)
                std::memcpy(bmp->Row(y),
                            static_cast<const Byte*>(bits) + std::size_t(y) * std::size_t(srcStride), n);
        }
        return bmp;
    } catch (const EOutOfResources&) {
        return nullptr;
    }
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    // Screen-compatible means 24-bit colour here; a context with a 1-bit target gives 1 bit.
    const GdiBitmap* target = dc ? dc->Target() : nullptr;
    const bool mono = target && target->BitCount() == 1 && dc->State().Bitmap->IsStock() == false;
    return CreateBitmap(width, height, 1, mono ? 1 : 24, nullptr);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWord) {
    if (bits) *bits = nullptr;
    if (!info) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 ||
        (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && h.biBitCount == 32)))
        return nullptr;
    if (h.biBitCount != 1 && h.biBitCount != 24 && h.biBitCount != 32) return nullptr;
    if (h.biWidth < 0 || h.biHeight == INT32_MIN) return nullptr;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    try {
        auto* bmp = new GdiBitmap(h.biWidth, height, h.biBitCount, h.biHeight < 0);
        if (h.biBitCount == 1) {
            RGBQUAD pal[2];
            std::memcpy(pal, reinterpret_cast<const char*>(info) + h.biSize, sizeof pal);
            bmp->SetPalette(0, pal[0]);
            bmp->SetPalette(1, pal[1]);
        }
        if (bits) *bits = bmp->Bits();
        return bmp;
    } catch (const EOutOfResources&) {
        return nullptr;
    }
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
    if (object && out && object->ObjectKind() == GdiObject::Kind::Font && size >= int(sizeof(LOGFONTA))) {
        std::memcpy(out, &static_cast<GdiFont*>(object)->Log(), sizeof(LOGFONTA));
        return int(sizeof(LOGFONTA));
    }
    if (!object || object->ObjectKind() != GdiObject::Kind::Bitmap || !out || size < int(sizeof(BITMAP)))
        return 0;
    auto* bmp = static_cast<GdiBitmap*>(object);
    BITMAP b;
    b.bmWidth = bmp->Width();
    b.bmHeight = bmp->Height();
    b.bmWidthBytes = bmp->Stride();
    b.bmBitsPixel = Word(bmp->BitCount());
    b.bmBits = bmp->Bits();
    std::memcpy(out, &b, sizeof b);
    return int(sizeof b);
}

namespace {

// One row of a 24- or 32-bit bitmap as 24- or 32-bit DIB pixels; a fourth byte the source
// does not have is 0.
void DeepRowOut(const Byte* src, int sbpp, int width, Byte* dst, int bpp) {
    for (int x = 0; x < width; ++x, src += sbpp, dst += bpp) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        if (bpp == 4) dst[3] = sbpp == 4 ? src[3] : 0;
    }
}

void MonoRowOut(const GdiBitmap& bitmap, int y, Byte* dst, int bpp) {
    for (int x = 0; x < bitmap.Width(); ++x, dst += bpp) {
        const DWord v = bitmap.PixelBgr(x, y);
        dst[0] = Byte(v);
        dst[1] = Byte(v >> 8);
        dst[2] = Byte(v >> 16);
        if (bpp == 4) dst[3] = 0;
    }
}

} // namespace

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
    if (!bitmap || !info) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // Asked for the format only.
        h.biWidth = bitmap->Width();
        h.biHeight = bitmap->Height();
        h.biBitCount = Word(bitmap->BitCount() == 1 ? 24 : bitmap->BitCount());
        h.biPlanes = 1;
        h.biCompression = BI_RGB;
        h.biSizeImage = DWord(GdiBitmap::StrideFor(h.biWidth, h.biBitCount) * h.biHeight);
        return 1;
    }
    if (h.biBitCount != 24 && h.biBitCount != 32) return 0;
    if (h.biWidth != bitmap->Width() || (h.biHeight != bitmap->Height() && h.biHeight != -bitmap->Height()))
        return 0;
    const bool topDown = h.biHeight < 0;
    const int H = bitmap->Height();
    const int bpp = h.biBitCount / 8;
    const int stride = GdiBitmap::StrideFor(bitmap->Width(), h.biBitCount);
    int copied = 0;
    // Scan line numbers count from the bottom for bottom-up layouts, as in the files.
    for (UINT i = 0; i < lines && start + i < UINT(H); ++i) {
        const int line = int(start + i);
        const int y = topDown ? line : H - 1 - line;
        Byte* dst = static_cast<Byte*>(bits) + std::size_t(i) * std::size_t(stride);
        if (bitmap->BitCount() == 1)
            MonoRowOut(*bitmap, y, dst, bpp);
        else
            DeepRowOut(bitmap->Row(y), bitmap->BitCount() / 8, bitmap->Width(), dst, bpp);
        ++copied;
    }
    return copied;
}

} // namespace vd
