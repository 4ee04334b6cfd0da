#pragma once
// A device-independent bitmap: 1, 24 or 32 bits per pixel, rows top-down or bottom-up in
// memory (bottom-up is how files store them). Row(y) always counts from the top. Drawing
// leaves the alpha byte of 32-bit pixels alone; copies between 32-bit bitmaps carry it.
#include "platform/gfx/GdiObject.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace vd {

class GdiBitmap : public GdiObject {
public:
    // Throws EOutOfResources for a size outside 0..16384 a side or a failed allocation.
    // New pixels are black (for 1 bit: index 0).
    GdiBitmap(int width, int height, int bitCount, bool topDown = true);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int BitCount() const { return FBitCount; }
    bool TopDown() const { return FTopDown; }
    int Stride() const { return FStride; }
    std::size_t ByteSize() const { return std::size_t(FStride) * std::size_t(FHeight); }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    // Memory start: the top row when top-down, the bottom row when bottom-up.
    Byte* Bits() { return FPixels.get(); }
    const Byte* Bits() const { return FPixels.get(); }
    Byte* Row(int y) { return FRows[std::size_t(y)]; }
    const Byte* Row(int y) const { return FRows[std::size_t(y)]; }

    // Pixel as 0x00RRGGBB (the memory order B, G, R read little-endian); 1-bit through the
    // palette. No bounds checks: callers clip first.
    DWord PixelBgr(int x, int y) const;
    void SetPixelBgr(int x, int y, DWord bgr);
    // 1-bit bitmaps: the index (0 or 1) of a pixel.
    int MonoBit(int x, int y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
    void SetMonoBit(int x, int y, int bit);

    // Two entries for a 1-bit bitmap (default black, white), unused otherwise.
    RGBQUAD Palette(int i) const { return FPalette[i & 1]; }
    void SetPalette(int i, RGBQUAD c) { FPalette[i & 1] = c; }

    // A 1-bit bitmap made by CreateBitmap: blits map its 0 and 1 to the text and background
    // colours of the context, as device bitmaps do, instead of using the palette.
    bool UsesDcColors() const { return FUsesDcColors; }
    void SetUsesDcColors(bool on) { FUsesDcColors = on; }

    // New size: the overlapping pixels stay, new pixels are black. Throws like the constructor.
    void Resize(int width, int height);
    void Fill(DWord bgr);

    static int StrideFor(int width, int bitCount);

private:
    void Allocate(int width, int height);
    void BuildRows();

    int FWidth = 0;
    int FHeight = 0;
    int FBitCount = 24;
    bool FTopDown = true;
    int FStride = 0;
    std::unique_ptr<Byte[]> FPixels;
    std::vector<Byte*> FRows;
    bool FUsesDcColors = false;
    RGBQUAD FPalette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
};

// Bitmap creation and inspection with the usual names.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// 1, 24 or 32 bits; a negative height gives top-down rows. *bits receives the pixel memory.
// Returns null (with *bits null) for an unsupported header or a size beyond the limits.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWord offset);
// Fills a BITMAP record for a bitmap or a LOGFONTA for a font; returns the bytes written, 0 on
// failure.
int GetObjectA(HGDIOBJ object, int size, void* out);
// Copies rows of a bitmap into caller memory as described by info (24 or 32 bits,
// either row order). Returns the number of lines copied.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);

} // namespace vd
