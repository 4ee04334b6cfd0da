#include "platform/gfx/Bitmap.h"

#include "platform/gfx/GdiError.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vd {

int GdiBitmap::StrideFor(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

GdiBitmap::GdiBitmap(int width, int height, int bitCount, bool topDown)
    : GdiObject(Kind::Bitmap), FBitCount(bitCount), FTopDown(topDown) {
    if (bitCount != 1 && bitCount != 24 && bitCount != 32) throw EOutOfResources("Unsupported bitmap depth");
    Allocate(width, height);
}

void GdiBitmap::Allocate(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) throw EOutOfResources();
    const int stride = StrideFor(width, FBitCount);
    const std::size_t bytes = std::size_t(stride) * std::size_t(height);
    std::unique_ptr<Byte[]> pixels;
    if (bytes > 0) {
        pixels.reset(new (std::nothrow) Byte[bytes]);
        if (!pixels) throw EOutOfResources();
        std::memset(pixels.get(), 0, bytes);
    }
    FPixels = std::move(pixels);
    FWidth = width;
    FHeight = height;
    FStride = stride;
    BuildRows();
}

void GdiBitmap::BuildRows() {
    FRows.assign(std::size_t(FHeight), nullptr);
    for (int y = 0; y < FHeight; ++y) {
        const int memRow = FTopDown ? y : FHeight - 1 - y;
        FRows[std::size_t(y)] = FPixels.get() + std::size_t(memRow) * std::size_t(FStride);
    }
}

DWord GdiBitmap::PixelBgr(int x, int y) const {
    const Byte* row = Row(y);
    switch (FBitCount) {
    case 24: {
        const Byte* p = row + 3 * x;
        return DWord(p[0]) | (DWord(p[1]) << 8) | (DWord(p[2]) << 16);
    }
    case 32: {
        const Byte* p = row + 4 * x;
        return DWord(p[0]) | (DWord(p[1]) << 8) | (DWord(p[2]) << 16);
    }
    default: {
        const RGBQUAD c = FPalette[MonoBit(x, y)];
        return DWord(c.rgbBlue) | (DWord(c.rgbGreen) << 8) | (DWord(c.rgbRed) << 16);
    }
    }
}

void GdiBitmap::SetMonoBit(int x, int y, int bit) {
    Byte& b = Row(y)[x >> 3];
    const Byte m = Byte(0x80 >> (x & 7));
    b = bit ? Byte(b | m) : Byte(b & ~m);
}

void GdiBitmap::SetPixelBgr(int x, int y, DWord bgr) {
    Byte* row = Row(y);
    switch (FBitCount) {
    case 24: {
        Byte* p = row + 3 * x;
        p[0] = Byte(bgr);
        p[1] = Byte(bgr >> 8);
        p[2] = Byte(bgr >> 16);
        break;
    }
    case 32: {
        Byte* p = row + 4 * x;
        p[0] = Byte(bgr);
        p[1] = Byte(bgr >> 8);
        p[2] = Byte(bgr >> 16);
        break;
    }
    default: {
        // The nearer of the two palette entries; white-ish counts as 1.
        const RGBQUAD c1 = FPalette[1];
        const DWord p1 = DWord(c1.rgbBlue) | (DWord(c1.rgbGreen) << 8) | (DWord(c1.rgbRed) << 16);
        SetMonoBit(x, y, (bgr & 0xFFFFFF) == p1 ? 1 : 0);
        break;
    }
    }
}

void GdiBitmap::Resize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    GdiBitmap fresh(width, height, FBitCount, FTopDown);
    const int w = std::min(width, FWidth);
    const int h = std::min(height, FHeight);
    const std::size_t rowBytes = std::size_t((w * FBitCount) / 8);
    for (int y = 0; y < h && w > 0; ++y) {
        std::memcpy(fresh.Row(y), Row(y), rowBytes);
        for (int x = int(rowBytes * 8 / std::size_t(FBitCount)); x < w; ++x)
            fresh.SetMonoBit(x, y, MonoBit(x, y)); // the tail bits of a 1-bit row
    }
    FPixels = std::move(fresh.FPixels);
    FWidth = width;
    FHeight = height;
    FStride = fresh.FStride;
    BuildRows();
}

void GdiBitmap::Fill(DWord bgr) {
    if (FBitCount == 24 && FHeight > 0 && FWidth > 0) {
        for (int x = 0; x < FWidth; ++x)
            SetPixelBgr(x, 0, bgr);
        for (int y = 1; y < FHeight; ++y)
            std::memcpy(Row(y), Row(0), std::size_t(FWidth) * 3);
        return;
    }
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            SetPixelBgr(x, y, bgr);
}

} // namespace vd
