#include "skin/store/SkinBmpFile.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Handle.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBitmapHandle.h"

namespace vd {

namespace {

TskBmpReadResult Fail(const String& why) {
    return {false, 0, "Invalid bitmap: " + why};
}

std::uint32_t U32(const Byte* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// The width and height that the info header announces (either header form), without reading
// further; false when the bytes hold no such header, which the full reader then reports.
bool AnnouncedSize(std::span<const Byte> d, std::int64_t& w, std::int64_t& h) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return false;
    if (U32(&d[14]) == 12) {
        w = std::int64_t(d[18] | d[19] << 8);
        h = std::int16_t(d[20] | d[21] << 8);
        return true;
    }
    w = std::int32_t(U32(&d[18]));
    h = std::int32_t(U32(&d[22]));
    return true;
}

} // namespace

TskBmpReadResult ReadBmpImage(std::span<const Byte> data, TskBitmap& out, std::uint64_t maxPixels) {
    out.Clear();
    if (std::int64_t w, h; AnnouncedSize(data, w, h)) {
        const std::uint64_t pixels = std::uint64_t(w < 0 ? -w : w) * std::uint64_t(h < 0 ? -h : h);
        if (pixels > maxPixels)
            return Fail(std::to_string(w) + " x " + std::to_string(h < 0 ? -h : h) +
                        " pixels, more than the " + std::to_string(maxPixels) +
                        " pixels left for the skin's pictures");
    }
    const BmpReadResult r = ReadBmp(data.data(), data.size());
    const UniqueBitmap image(r.Bitmap);
    if (!image) return Fail(r.Error);
    // The file format allows a side of 0; a skin picture must have pixels.
    if (image->Empty()) return Fail("the image has no pixels");
    out = SkinBitmapFromHandle(image.Get());
    if (out.Empty()) return Fail("the image cannot be held in memory");
    return {true, r.Consumed, {}};
}

std::vector<Byte> WriteBmpImage(const TskBitmap& bitmap, int bitsPerPixel) {
    const UniqueBitmap handle = CreateSkinBitmapHandle(bitmap);
    return handle ? WriteBmp(handle.Get(), bitsPerPixel) : std::vector<Byte>();
}

} // namespace vd
