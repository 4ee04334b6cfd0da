#pragma once
// BMP file images inside skin containers and skin folders: exactly one image read from a byte
// span, every size checked against the bytes that remain.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vd {

struct TskBmpReadResult {
    bool Ok = false;
    size_t Consumed = 0; // bytes of the image, header to the end of its pixel rows
    String Error;
};

// All pictures of one skin together hold at most this many pixels (128 MB as 32-bit pixels):
// far above any real skin, and a bound on what a few kilobytes of deflate data can make a
// reader allocate.
constexpr std::uint64_t skMaxSkinPixels = std::uint64_t(1) << 25;

// Depths 1, 4, 8, 24 and 32 without compression, sides 1 to 16384, rows bottom-up or top-down;
// the rules are the drawing layer's BMP reader's (ReadBmp), the header's total size included.
// An image of more than MaxPixels pixels fails before any pixel is decoded.
TskBmpReadResult ReadBmpImage(std::span<const Byte> data, TskBitmap& out,
                              std::uint64_t maxPixels = skMaxSkinPixels);

// A BMP file image of Bitmap at 1 (black and white), 24 or 32 bits a pixel (WriteBmp); nothing
// for an empty picture, which a skin container stores as its flag alone.
std::vector<Byte> WriteBmpImage(const TskBitmap& bitmap, int bitsPerPixel = 24);

} // namespace vd
