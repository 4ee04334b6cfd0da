#pragma once
// The skin's picture: a 24-bit colour bitmap held in memory, one COLORREF (0x00BBGGRR) a pixel.
// Until the graphics layer's bitmaps carry the skin, this is what the skin core draws with.
#include "platform/rtl/Types.h"
#include "skin/store/SkinTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vd {

class TskBitmap {
public:
    static constexpr int MaxSide = 16384;

    TskBitmap() = default;
    TskBitmap(int width, int height) { SetSize(width, height); }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

    // New size, every pixel black. A side below 0 counts as 0; a side above MaxSide cannot be
    // created: the bitmap ends empty and the result is false.
    bool SetSize(int width, int height);
    void Clear() { SetSize(0, 0); }

    TskColor Pixel(int x, int y) const { return FPixels[Index(x, y)]; }
    void SetPixel(int x, int y, TskColor c) { FPixels[Index(x, y)] = c & 0xFFFFFF; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
    TskColor* Row(int y) { return FPixels.data() + size_t(y) * size_t(FWidth); }
    const TskColor* Row(int y) const { return FPixels.data() + size_t(y) * size_t(FWidth); }
    void Fill(TskColor c);

    // Drawn with its transparent colour left out: the bottom-left pixel, as the class library does.
    bool Transparent = false;
    TskColor TransparentColor() const { return Empty() ? 0 : Pixel(0, FHeight - 1); }

    friend bool operator==(const TskBitmap& a, const TskBitmap& b) {
        return a.FWidth == b.FWidth && a.FHeight == b.FHeight && a.FPixels == b.FPixels;
    }

private:
    size_t Index(int x, int y) const { return size_t(y) * size_t(FWidth) + size_t(x); }

    int FWidth = 0;
    int FHeight = 0;
    std::vector<TskColor> FPixels;
};

} // namespace vd
