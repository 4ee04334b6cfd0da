#pragma once
// BMP file images inside skin containers and skin folders: exactly one image read from a byte
// span, every size checked against the bytes that remain.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

#include <cstddef>
#include <span>
#include <vector>

namespace vd {

class TskBitmap;

struct TskBmpReadResult {
    bool Ok = false;
    size_t Consumed = 0; // bytes of the image, header to the end of its pixel rows
    String Error;
};

// Depths 1, 4, 8, 24 and 32 without compression, sides 1 to 16384, rows bottom-up or top-down;
// the rules are the drawing layer's BMP reader's (ReadBmp), the header's total size included.
TskBmpReadResult ReadBmpImage(std::span<const Byte> data, TskBitmap& out);

// A BMP file image of Bitmap at 1 (black and white), 24 or 32 bits a pixel (WriteBmp); nothing
// for an empty picture, which a skin container stores as its flag alone.
std::vector<Byte> WriteBmpImage(const TskBitmap& bitmap, int bitsPerPixel = 24);

} // namespace vd
