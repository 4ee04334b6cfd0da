#include "platform/gfx/TextPainter.h"

#include "platform/gfx/Raster.h"

#include <algorithm>

namespace vd {

namespace {

int QuarterOf(int escapement) {
    // Only quarter turns are drawn; other angles go to the nearest one.
    int e = escapement % 3600;
    if (e < 0) e += 3600;
    return ((e + 450) / 900) % 4;
}

TRect Intersect(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

} // namespace

TextPainter::TextPainter(GdiDC& dc)
    : FDc(dc), FFace(dc.State().Font->Face()), FLog(dc.State().Font->Log()),
      FQuarter(QuarterOf(dc.State().Font->Log().lfEscapement)), FExtra(dc.State().TextCharExtra) {}

int TextPainter::Advance(char32_t c, int pen) {
    if (c == U'\t' && FTabWidth > 0) return (pen / FTabWidth + 1) * FTabWidth - pen;
    if (c < 0x20) return 0;
    return FFace.Advance(c) + FExtra;
}

int TextPainter::Width(const std::u32string& s) {
    int pen = 0;
    for (char32_t c : s)
        pen += Advance(c, pen);
    return pen;
}

TRect TextPainter::FrameToDevice(int ox, int oy, int u0, int v0, int u1, int v1) const {
    switch (FQuarter) {
    case 1:
        return {ox + v0, oy - u1, ox + v1, oy - u0};
    case 2:
        return {ox - u1, oy - v1, ox - u0, oy - v0};
    case 3:
        return {ox - v1, oy + u0, ox - v0, oy + u1};
    default:
        return {ox + u0, oy + v0, ox + u1, oy + v1};
    }
}

void TextPainter::FillFrame(int ox, int oy, int u0, int v0, int u1, int v1, DWord bgr,
                            const std::optional<TRect>& limit) {
    TRect r = FrameToDevice(ox, oy, u0, v0, u1, v1);
    if (limit) r = Intersect(r, *limit);
    raster::FillRect(FDc, r, bgr, R2_COPYPEN);
}

void TextPainter::BlendGlyph(int ox, int oy, int u, int v, const Glyph& g, DWord bgr,
                             const std::optional<TRect>& limit) {
    if (g.Width == 0 || g.Height == 0) return;
    if (FQuarter == 0) {
        int l = ox + u, r = l + g.Width;
        int top = oy + v, bottom = top + g.Height;
        if (limit) {
            l = std::max(l, limit->Left);
            r = std::min(r, limit->Right);
            top = std::max(top, limit->Top);
            bottom = std::min(bottom, limit->Bottom);
        }
        for (int y = top; y < bottom; ++y)
            if (l < r)
                raster::BlendSpan(FDc, y, l, &g.Coverage[std::size_t((y - oy - v) * g.Width + (l - ox - u))],
                                  r - l, bgr);
        return;
    }
    for (int gy = 0; gy < g.Height; ++gy)
        for (int gx = 0; gx < g.Width; ++gx) {
            const Byte a = g.Coverage[std::size_t(gy * g.Width + gx)];
            if (a == 0) continue;
            const TRect p = FrameToDevice(ox, oy, u + gx, v + gy, u + gx + 1, v + gy + 1);
            if (limit && (p.Left < limit->Left || p.Left >= limit->Right || p.Top < limit->Top ||
                          p.Top >= limit->Bottom))
                continue;
            raster::BlendSpan(FDc, p.Top, p.Left, &a, 1, bgr);
        }
}

void TextPainter::Draw(int ox, int oy, const std::u32string& s, bool opaque,
                       const std::vector<std::size_t>& underlined, const std::optional<TRect>& limit,
                       const int* advances) {
    const FaceMetrics& m = FFace.Metrics();
    const int height = FFace.Height();
    std::vector<int> starts(s.size() + 1, 0);
    int pen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        starts[i] = pen;
        pen += advances ? advances[i] : Advance(s[i], pen);
    }
    starts[s.size()] = pen;
    if (opaque) FillFrame(ox, oy, 0, 0, pen, height, raster::ToBgr(FDc.State().BkColor), limit);
    const DWord color = raster::ToBgr(FDc.State().TextColor);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] < 0x20) continue;
        const Glyph& g = FFace.GlyphFor(s[i]);
        BlendGlyph(ox, oy, starts[i] + g.Left, m.Ascent - g.Top, g, color, limit);
    }
    const int thick = m.LineThickness;
    if (FLog.lfUnderline) {
        const int v = m.Ascent + m.UnderlinePos - thick / 2;
        FillFrame(ox, oy, 0, v, pen, v + thick, color, limit);
    }
    if (FLog.lfStrikeOut) {
        const int v = m.Ascent - m.StrikeoutPos - thick / 2;
        FillFrame(ox, oy, 0, v, pen, v + thick, color, limit);
    }
    for (std::size_t i : underlined) {
        if (i >= s.size()) continue;
        const int v = m.Ascent + m.UnderlinePos - thick / 2;
        FillFrame(ox, oy, starts[i], v, starts[i + 1], v + thick, color, limit);
    }
}

} // namespace vd
