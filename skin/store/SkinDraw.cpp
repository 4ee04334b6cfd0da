#include "skin/store/SkinDraw.h"

#include "skin/store/SkinBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vd {

void CopyRect(TskBitmap& dst, const TRect& d, const TskBitmap& src, const TRect& s) {
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dst.Empty() || src.Empty()) return;
    const int x0 = std::max(d.Left, 0), x1 = std::min(d.Right, dst.Width());
    const int y0 = std::max(d.Top, 0), y1 = std::min(d.Bottom, dst.Height());
    if (x0 >= x1 || y0 >= y1) return;
    if (dw == sw) {
        // The common case: an unscaled row copy.
        for (int y = y0; y < y1; ++y) {
            const int sy = s.Top + int(std::int64_t(y - d.Top) * sh / dh);
            if (sy < 0 || sy >= src.Height()) continue;
            const int sx0 = std::max(s.Left + (x0 - d.Left), 0);
            const int sx1 = std::min(s.Left + (x1 - d.Left), src.Width());
            if (sx0 >= sx1) continue;
            std::memcpy(dst.Row(y) + (sx0 - s.Left + d.Left), src.Row(sy) + sx0,
                        size_t(sx1 - sx0) * sizeof(TskColor));
        }
        return;
    }
    std::vector<int> columns(size_t(x1 - x0));
    for (int x = x0; x < x1; ++x)
        columns[size_t(x - x0)] = s.Left + int(std::int64_t(x - d.Left) * sw / dw);
    for (int y = y0; y < y1; ++y) {
        const int sy = s.Top + int(std::int64_t(y - d.Top) * sh / dh);
        if (sy < 0 || sy >= src.Height()) continue;
        const TskColor* from = src.Row(sy);
        TskColor* to = dst.Row(y);
        for (int x = x0; x < x1; ++x) {
            const int sx = columns[size_t(x - x0)];
            if (sx >= 0 && sx < src.Width()) to[x] = from[sx];
        }
    }
}

void CopyRectTransparent(TskBitmap& dst, int x, int y, const TskBitmap& src, TskColor transparent) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx) {
            const TskColor c = src.Pixel(sx, sy);
            if (c != (transparent & 0xFFFFFF) && dst.Contains(x + sx, y + sy))
                dst.SetPixel(x + sx, y + sy, c);
        }
}

void FillRect(TskBitmap& dst, const TRect& r, TskColor color) {
    const int x0 = std::max(r.Left, 0), x1 = std::min(r.Right, dst.Width());
    const int y0 = std::max(r.Top, 0), y1 = std::min(r.Bottom, dst.Height());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            dst.SetPixel(x, y, color);
}

void DrawLine(TskBitmap& dst, int x1, int y1, int x2, int y2, TskColor color) {
    // Bresenham from the first point up to, not including, the second.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        if (dst.Contains(x, y)) dst.SetPixel(x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void FrameRect(TskBitmap& dst, const TRect& r, TskColor color) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    FillRect(dst, {r.Left, r.Top, r.Right, r.Top + 1}, color);
    FillRect(dst, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
    FillRect(dst, {r.Left, r.Top, r.Left + 1, r.Bottom}, color);
    FillRect(dst, {r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

} // namespace vd
