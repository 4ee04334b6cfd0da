#include "platform/gfx/Raster.h"

#include "platform/gfx/Color.h"

#include <algorithm>

namespace vd::raster {

DWord ToBgr(COLORREF c) {
    c = ResolveColor(c);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

COLORREF FromBgr(DWord bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

void FillBitmapRect(GdiBitmap& bmp, const TRect& r, DWord bgr, int rop2) {
    if (bmp.BitCount() == 24 && rop2 == R2_COPYPEN) {
        const Byte b = Byte(bgr), g = Byte(bgr >> 8), red = Byte(bgr >> 16);
        for (int y = r.Top; y < r.Bottom; ++y) {
            Byte* p = bmp.Row(y) + 3 * r.Left;
            for (int x = r.Left; x < r.Right; ++x, p += 3) {
                p[0] = b;
                p[1] = g;
                p[2] = red;
            }
        }
        return;
    }
    if (rop2 == R2_NOP) return;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            bmp.SetPixelBgr(x, y, rop2 == R2_COPYPEN ? bgr : Rop2(rop2, bgr, bmp.PixelBgr(x, y)));
}

void FillRect(GdiDC& dc, const TRect& r, DWord bgr, int rop2) {
    GdiBitmap* bmp = dc.Target();
    if (!bmp) return;
    ForEachClipRect(dc.Clip(), r, [&](const TRect& c) { FillBitmapRect(*bmp, c, bgr, rop2); });
}

void FillSpan(GdiDC& dc, int y, int x0, int x1, DWord bgr, int rop2) {
    if (x1 <= x0) return;
    GdiBitmap* bmp = dc.Target();
    if (!bmp) return;
    const GdiRegion& clip = dc.Clip();
    const auto& rects = clip.Rects();
    for (std::size_t i = clip.BandAt(y); i < rects.size() && rects[i].Top <= y; ++i) {
        const int l = std::max(x0, rects[i].Left), r = std::min(x1, rects[i].Right);
        if (l < r) FillBitmapRect(*bmp, {l, y, r, y + 1}, bgr, rop2);
    }
}

void Plot(GdiDC& dc, int x, int y, DWord bgr, int rop2) {
    FillSpan(dc, y, x, x + 1, bgr, rop2);
}

void BlendSpan(GdiDC& dc, int y, int x0, const Byte* coverage, int count, DWord bgr) {
    GdiBitmap* bmp = dc.Target();
    if (!bmp || count <= 0) return;
    const GdiRegion& clip = dc.Clip();
    const auto& rects = clip.Rects();
    const unsigned cb = bgr & 0xFF, cg = (bgr >> 8) & 0xFF, cr = (bgr >> 16) & 0xFF;
    for (std::size_t i = clip.BandAt(y); i < rects.size() && rects[i].Top <= y; ++i) {
        const int l = std::max(x0, rects[i].Left), r = std::min(x0 + count, rects[i].Right);
        for (int x = l; x < r; ++x) {
            const unsigned a = coverage[x - x0];
            if (a == 0) continue;
            if (bmp->BitCount() == 1) {
                if (a >= 128) bmp->SetPixelBgr(x, y, bgr);
                continue;
            }
            Byte* p = bmp->Row(y) + x * (bmp->BitCount() / 8);
            if (a == 255) {
                p[0] = Byte(cb);
                p[1] = Byte(cg);
                p[2] = Byte(cr);
                continue;
            }
            const unsigned na = 255 - a;
            p[0] = Byte((cb * a + p[0] * na + 127) / 255);
            p[1] = Byte((cg * a + p[1] * na + 127) / 255);
            p[2] = Byte((cr * a + p[2] * na + 127) / 255);
        }
    }
}

} // namespace vd::raster
