#include "skin/core/SkinBmpFile.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Handle.h"
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinGdi.h"

namespace vd {

namespace {

TskBmpReadResult Fail(const String& why) {
    return {false, 0, "Invalid bitmap: " + why};
}

} // namespace

TskBmpReadResult ReadBmpImage(std::span<const Byte> data, TskBitmap& out) {
    out.Clear();
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
