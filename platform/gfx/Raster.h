#pragma once
// Pixel work shared by the drawing calls: raster operations and clipped spans. Coordinates
// here are surface coordinates of the context's target bitmap.
#include "platform/gfx/DeviceContext.h"

namespace vd::raster {

// COLORREF (0x00BBGGRR, system colours resolved) to the memory-order value 0x00RRGGBB.
DWord ToBgr(COLORREF c);
COLORREF FromBgr(DWord bgr);

// Binary raster operation of pens (R2_*), on 24-bit values.
inline DWord Rop2(int mode, DWord pen, DWord dst) {
    const int t = mode - 1;
    DWord r = 0;
    if (t & 8) r |= pen & dst;
    if (t & 4) r |= pen & ~dst;
    if (t & 2) r |= ~pen & dst;
    if (t & 1) r |= ~pen & ~dst;
    return r & 0xFFFFFF;
}

// Ternary raster operation: the code's byte 2 is the truth table over pattern, source, dest.
inline DWord Rop3(DWord rop, DWord p, DWord s, DWord d) {
    const unsigned t = (rop >> 16) & 0xFF;
    DWord r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(t & (1u << i))) continue;
        r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r & 0xFFFFFF;
}
inline bool RopUsesSource(DWord rop) {
    return (((rop >> 16) >> 2) ^ (rop >> 16)) & 0x33;
}
inline bool RopUsesPattern(DWord rop) {
    return (((rop >> 16) >> 4) ^ (rop >> 16)) & 0x0F;
}

// Calls f(rect) for each clip rectangle that meets r, cut to r.
template <class F> void ForEachClipRect(const GdiRegion& clip, const TRect& r, F&& f) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    for (const TRect& c : clip.Rects()) {
        if (c.Top >= r.Bottom) break;
        if (c.Bottom <= r.Top || c.Right <= r.Left || c.Left >= r.Right) continue;
        f(TRect{c.Left > r.Left ? c.Left : r.Left, c.Top > r.Top ? c.Top : r.Top,
                c.Right < r.Right ? c.Right : r.Right, c.Bottom < r.Bottom ? c.Bottom : r.Bottom});
    }
}

// Row y, columns [x0, x1), through the clip, with a pen raster operation.
void FillSpan(GdiDC& dc, int y, int x0, int x1, DWord bgr, int rop2);
void FillRect(GdiDC& dc, const TRect& r, DWord bgr, int rop2);
// One pixel through the clip.
void Plot(GdiDC& dc, int x, int y, DWord bgr, int rop2);
// Blends a pixel toward bgr by coverage 0..255 (text), through the clip.
void BlendSpan(GdiDC& dc, int y, int x0, const Byte* coverage, int count, DWord bgr);

// Unclipped writes into a bitmap (the caller has clipped).
void FillBitmapRect(GdiBitmap& bmp, const TRect& r, DWord bgr, int rop2);

} // namespace vd::raster
