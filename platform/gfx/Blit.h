#pragma once
// Block transfers between contexts. Zero or negative extents draw nothing and succeed;
// everything is clipped to the destination's clip and to the source bitmap.
#include "platform/gfx/GdiTypes.h"

namespace vd {

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWord rop);
// Nearest neighbour: destination pixel i takes source pixel sx + (2i + 1) * sw / (2 * w),
// rounded down, so an equal size is an exact copy.
bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWord rop);
bool PatBlt(HDC dc, int x, int y, int w, int h, DWord rop);
// A stretched copy that leaves out source pixels of the transparent colour.
bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent);
// The colour an automatically transparent bitmap leaves out: its bottom-left pixel.
COLORREF AutoTransparentColor(HBITMAP bitmap);
// Blends a stretched source over the destination (source alpha premultiplied with AC_SRC_ALPHA).
bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                BLENDFUNCTION blend);
// Draws rows described by info (24 or 32 bits, either row order) at (x, y).
int SetDIBitsToDevice(HDC dc, int x, int y, DWord w, DWord h, int sx, int sy, UINT start, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWord rop);
COLORREF GetPixel(HDC dc, int x, int y); // 0xFFFFFFFF outside the clip
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// cx, cy of 0 take the icon's own size.
bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH background, UINT flags);
bool DrawIcon(HDC dc, int x, int y, HICON icon);

} // namespace vd
