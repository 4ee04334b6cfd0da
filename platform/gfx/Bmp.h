#pragma once
// BMP file images: the 14-byte file header, a 40-byte (or larger) info header, the colour
// table and the rows. Reading takes exactly one image and reports where it ended.
#include "platform/gfx/GdiTypes.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vd {

struct BmpReadResult {
    HBITMAP Bitmap = nullptr; // owned by the caller; null on error
    std::size_t Consumed = 0; // bytes of this image (the file header's total size)
    int SourceBitCount = 0;   // depth as stored in the file
    std::string Error;        // why it failed
};

// Reads one image from data; its total size field says where it ends. 1, 4 and 8-bit
// images (and 24-bit ones) become 24-bit bitmaps, 32-bit ones stay 32-bit; rows are
// bottom-up as in the file. A 1-bit picture keeps its palette colours, so a mask's black
// stays 0, 0, 0. A colour table longer than the depth allows is an error; entries missing
// from a shorter one read as black. Never reads past size.
BmpReadResult ReadBmp(const void* data, std::size_t size);
// Same, throwing EInvalidGraphic with the reason.
HBITMAP ReadBmpOrThrow(const void* data, std::size_t size, std::size_t* consumed = nullptr);

// A BMP image of any bitmap at 1, 24 or 32 bits a pixel (any other depth writes 24): file
// header (total size, pixel offset), 40-byte info header (positive height, no compression,
// image size set), rows bottom-up, each padded to four bytes with zeros. 1 bit: a black and
// white colour table, every pixel but black is white. 32 bits: a 32-bit bitmap's alpha byte,
// else 0.
std::vector<Byte> WriteBmp(HBITMAP bitmap, int bitCount);
std::vector<Byte> WriteBmp24(HBITMAP bitmap);

} // namespace vd
