#pragma once
// Skin pictures and effect bitmaps to and from the drawing layer's bitmap handles.
#include "platform/gfx/GdiTypes.h"
#include "platform/gfx/Handle.h"
#include "skin/store/Forward.h"

namespace vd {

// The header of a top-down DIB of the given size and depth, uncompressed.
BITMAPINFO SkinBitmapInfo(int w, int h, int bitCount);
// A 24-bit top-down DIB section holding a copy of the picture; null for an empty picture.
UniqueBitmap CreateSkinBitmapHandle(const TskBitmap& bitmap);
// A copy of a bitmap handle's pixels; empty when the handle cannot be read.
TskBitmap SkinBitmapFromHandle(HBITMAP bitmap);
void DrawEffectBmp(HDC dc, int x, int y, const TskEffectBmp& bitmap);

} // namespace vd
