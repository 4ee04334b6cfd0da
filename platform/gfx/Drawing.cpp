#include "platform/gfx/Drawing.h"

#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vd {

using raster::ToBgr;

namespace {

bool PenVisible(const GdiDC& dc) {
    return dc.State().Pen && (dc.State().Pen->Style & PS_STYLE_MASK) != PS_NULL;
}
bool BrushVisible(const GdiDC& dc) {
    return dc.State().Brush && dc.State().Brush->Style != BS_NULL;
}

// Pen pixels along a line, with the pen's dash pattern; a gap is painted in the background
// colour when the background mode is opaque.
class PenWalker {
public:
    explicit PenWalker(GdiDC& dc) : FDc(dc) {
        const GdiPen& pen = *dc.State().Pen.Get();
        FColor = ToBgr(pen.Color);
        FBk = ToBgr(dc.State().BkColor);
        FOpaque = dc.State().BkMode == OPAQUE;
        FWidth = std::max(1, pen.Width);
        FFlat = (pen.Style & PS_TYPE_MASK) == PS_GEOMETRIC && (pen.Style & PS_ENDCAP_MASK) == PS_ENDCAP_FLAT;
        switch (pen.Style & PS_STYLE_MASK) {
        case PS_DOT:
            FOn = 3, FOff = 3;
            break;
        case PS_DASH:
            FOn = 18, FOff = 6;
            break;
        default:
            FOn = 1, FOff = 0;
            break;
        }
        FRop = dc.State().Rop2;
    }
    void Pixel(int x, int y) {
        const bool on = FOff == 0 || (FStep % (FOn + FOff)) < FOn;
        ++FStep;
        if (!on && !FOpaque) return;
        const DWord c = on ? FColor : FBk;
        if (FWidth == 1) {
            raster::Plot(FDc, x, y, c, FRop);
            return;
        }
        const int h = FWidth / 2;
        // A flat end adds nothing along the line: one span across it at every step.
        if (FFlat && FMajorX) {
            for (int yy = y - h; yy < y - h + FWidth; ++yy)
                raster::Plot(FDc, x, yy, c, FRop);
            return;
        }
        if (FFlat) {
            raster::FillSpan(FDc, y, x - h, x - h + FWidth, c, FRop);
            return;
        }
        for (int yy = y - h; yy < y - h + FWidth; ++yy)
            raster::FillSpan(FDc, yy, x - h, x - h + FWidth, c, FRop);
    }
    // Bresenham from a to b (surface coordinates), b itself excluded. A line reaching far
    // outside the clip is first cut to it, so its length costs nothing.
    void Line(int x0, int y0, int x1, int y1) {
        const TRect box = FDc.Clip().Box();
        if (box.Right <= box.Left) return;
        const int margin = FWidth + 2;
        const TRect reach{box.Left - margin, box.Top - margin, box.Right + margin, box.Bottom + margin};
        const auto outside = [&](int x, int y) {
            return x < reach.Left - 4096 || x > reach.Right + 4096 || y < reach.Top - 4096 ||
                   y > reach.Bottom + 4096;
        };
        if (outside(x0, y0) || outside(x1, y1)) {
            double t0 = 0, t1 = 1;
            const double dx = double(x1) - x0, dy = double(y1) - y0;
            const double p[4] = {-dx, dx, -dy, dy};
            const double q[4] = {double(x0) - reach.Left, double(reach.Right) - x0, double(y0) - reach.Top,
                                 double(reach.Bottom) - y0};
            for (int k = 0; k < 4; ++k) {
                if (p[k] == 0) {
                    if (q[k] < 0) return;
                    continue;
                }
                const double t = q[k] / p[k];
                if (p[k] < 0)
                    t0 = std::max(t0, t);
                else
                    t1 = std::min(t1, t);
            }
            if (t0 > t1) return;
            const int cx1 = int(std::lround(x0 + t1 * dx)), cy1 = int(std::lround(y0 + t1 * dy));
            const int cx0 = int(std::lround(x0 + t0 * dx)), cy0 = int(std::lround(y0 + t0 * dy));
            const bool cutEnd = t1 < 1;
            Walk(cx0, cy0, cx1, cy1);
            if (cutEnd) Pixel(cx1, cy1);
            return;
        }
        Walk(x0, y0, x1, y1);
    }

    void Walk(int x0, int y0, int x1, int y1) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        FMajorX = dx >= -dy;
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            Pixel(x0, y0);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

private:
    GdiDC& FDc;
    DWord FColor = 0;
    DWord FBk = 0;
    bool FOpaque = false;
    int FWidth = 1;
    bool FFlat = false;
    bool FMajorX = true;
    int FOn = 1;
    int FOff = 0;
    int FStep = 0;
    int FRop = R2_COPYPEN;
};

// Row spans of a shape inside a box, in surface coordinates: [x0, x1) or empty.
struct SpanShape {
    TRect box;
    int cornerW = 0; // 0: a plain rectangle; box width and height: an ellipse
    int cornerH = 0;

    bool Span(int y, int& x0, int& x1) const {
        if (y < box.Top || y >= box.Bottom || box.Right <= box.Left) return false;
        x0 = box.Left;
        x1 = box.Right;
        const int cw = int(std::min<std::int64_t>(cornerW, std::int64_t(box.Right) - box.Left));
        const int ch = int(std::min<std::int64_t>(cornerH, std::int64_t(box.Bottom) - box.Top));
        if (cw <= 1 || ch <= 1) return true;
        // Row centre against the corner ellipse of size cw x ch.
        const double ry = ch / 2.0, rx = cw / 2.0;
        double fy;
        if (y + 0.5 < box.Top + ry)
            fy = (box.Top + ry - (y + 0.5)) / ry;
        else if (y + 0.5 > box.Bottom - ry)
            fy = ((y + 0.5) - (box.Bottom - ry)) / ry;
        else
            return true;
        if (fy >= 1.0) return false;
        const double inset = rx - rx * std::sqrt(1.0 - fy * fy);
        const int in = int(std::ceil(inset - 0.5 + 1e-9));
        x0 = box.Left + in;
        x1 = box.Right - in;
        return x1 > x0;
    }
};

// Outline with the pen (outer shape less the shape one pixel inside) and inside with the brush.
bool DrawShape(HDC dc, TRect r, int cw, int ch) {
    if (!dc) return false;
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    const bool pen = PenVisible(*dc);
    TRect box = dc->DevRect(r);
    if (!pen) {
        box.Right -= 1;
        box.Bottom -= 1;
    }
    const SpanShape outer{box, cw, ch};
    const SpanShape inner{{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}, cw - 2, ch - 2};
    const bool brush = BrushVisible(*dc);
    const DWord brushColor = brush ? ToBgr(dc->State().Brush->Color) : 0;
    const DWord penColor = pen ? ToBgr(dc->State().Pen->Color) : 0;
    const int rop = dc->State().Rop2;
    const TRect clip = dc->Clip().Box();
    for (int y = std::max(box.Top, clip.Top); y < std::min(box.Bottom, clip.Bottom); ++y) {
        int o0, o1;
        if (!outer.Span(y, o0, o1)) continue;
        if (!pen) {
            if (brush) raster::FillSpan(*dc, y, o0, o1, brushColor, rop);
            continue;
        }
        int i0, i1;
        if (!inner.Span(y, i0, i1)) {
            raster::FillSpan(*dc, y, o0, o1, penColor, rop);
            continue;
        }
        raster::FillSpan(*dc, y, o0, i0, penColor, rop);
        raster::FillSpan(*dc, y, i1, o1, penColor, rop);
        if (brush) raster::FillSpan(*dc, y, i0, i1, brushColor, rop);
    }
    return true;
}

void FillRegionDevice(HDC dc, const GdiRegion& rgn, DWord bgr, int rop2) {
    const int dx = dc->DevX(0), dy = dc->DevY(0);
    for (const TRect& r : rgn.Rects())
        raster::FillRect(*dc, {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}, bgr, rop2);
}

} // namespace

int FillRect(HDC dc, const TRect* r, HBRUSH brush) {
    if (!dc || !r || !brush) return 0;
    if (brush->Style != BS_NULL) raster::FillRect(*dc, dc->DevRect(*r), ToBgr(brush->Color), R2_COPYPEN);
    return 1;
}

int FrameRect(HDC dc, const TRect* r, HBRUSH brush) {
    if (!dc || !r || !brush) return 0;
    if (r->Right <= r->Left || r->Bottom <= r->Top || brush->Style == BS_NULL) return 1;
    const TRect d = dc->DevRect(*r);
    const DWord c = ToBgr(brush->Color);
    raster::FillRect(*dc, {d.Left, d.Top, d.Right, d.Top + 1}, c, R2_COPYPEN);
    raster::FillRect(*dc, {d.Left, d.Bottom - 1, d.Right, d.Bottom}, c, R2_COPYPEN);
    raster::FillRect(*dc, {d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, c, R2_COPYPEN);
    raster::FillRect(*dc, {d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, c, R2_COPYPEN);
    return 1;
}

bool InvertRect(HDC dc, const TRect* r) {
    if (!dc || !r) return false;
    raster::FillRect(*dc, dc->DevRect(*r), 0, R2_NOT);
    return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return DrawShape(dc, {left, top, right, bottom}, 0, 0);
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerW, int cornerH) {
    return DrawShape(dc, {left, top, right, bottom}, std::abs(cornerW), std::abs(cornerH));
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return DrawShape(dc, {left, top, right, bottom}, std::abs(right - left), std::abs(bottom - top));
}

bool LineTo(HDC dc, int x, int y) {
    if (!dc) return false;
    const TPoint from = dc->State().CurrentPos;
    if (PenVisible(*dc)) {
        PenWalker pen(*dc);
        pen.Line(dc->DevX(from.X), dc->DevY(from.Y), dc->DevX(x), dc->DevY(y));
    }
    dc->State().CurrentPos = {x, y};
    return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
    if (!dc || !points || count < 2) return false;
    if (!PenVisible(*dc)) return true;
    PenWalker pen(*dc);
    for (int i = 0; i + 1 < count; ++i)
        pen.Line(dc->DevX(points[i].X), dc->DevY(points[i].Y), dc->DevX(points[i + 1].X),
                 dc->DevY(points[i + 1].Y));
    return true;
}

bool PolyPolyline(HDC dc, const TPoint* points, const DWord* counts, DWord polylines) {
    if (!dc || !points || !counts) return false;
    for (DWord i = 0; i < polylines; ++i) {
        Polyline(dc, points, int(counts[i]));
        points += counts[i];
    }
    return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
    if (!dc || !points || count < 2) return false;
    std::vector<TPoint> p(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        p[std::size_t(i)] = {dc->DevX(points[i].X), dc->DevY(points[i].Y)};
    if (BrushVisible(*dc)) {
        int top = p[0].Y, bottom = p[0].Y;
        for (const TPoint& q : p) {
            top = std::min(top, q.Y);
            bottom = std::max(bottom, q.Y);
        }
        const DWord c = ToBgr(dc->State().Brush->Color);
        std::vector<double> xs;
        const TRect clip = dc->Clip().Box();
        for (int y = std::max(top, clip.Top); y < std::min(bottom, clip.Bottom); ++y) {
            // Alternate rule at pixel centres.
            const double yc = y + 0.5;
            xs.clear();
            for (std::size_t i = 0; i < p.size(); ++i) {
                const TPoint a = p[i], b = p[(i + 1) % p.size()];
                if ((a.Y <= yc) == (b.Y <= yc)) continue;
                xs.push_back(a.X + (yc - a.Y) * double(b.X - a.X) / double(b.Y - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
                raster::FillSpan(*dc, y, int(std::ceil(xs[i] - 0.5)), int(std::ceil(xs[i + 1] - 0.5)), c,
                                 dc->State().Rop2);
        }
    }
    if (PenVisible(*dc)) {
        PenWalker pen(*dc);
        for (std::size_t i = 0; i < p.size(); ++i) {
            const TPoint a = p[i], b = p[(i + 1) % p.size()];
            pen.Line(a.X, a.Y, b.X, b.Y);
        }
    }
    return true;
}

bool DrawFocusRect(HDC dc, const TRect* r) {
    if (!dc || !r) return false;
    const TRect d = dc->DevRect(*r);
    if (d.Right <= d.Left || d.Bottom <= d.Top) return true;
    const DWord fg = ToBgr(dc->State().TextColor), bg = ToBgr(dc->State().BkColor);
    auto dot = [&](int x, int y) { raster::Plot(*dc, x, y, ((x + y) & 1) ? fg : bg, R2_XORPEN); };
    const TRect clip = dc->Clip().Box();
    for (int x = std::max(d.Left, clip.Left); x < std::min(d.Right, clip.Right); ++x) {
        dot(x, d.Top);
        if (d.Bottom - 1 > d.Top) dot(x, d.Bottom - 1);
    }
    for (int y = std::max(d.Top + 1, clip.Top); y < std::min(d.Bottom - 1, clip.Bottom); ++y) {
        dot(d.Left, y);
        if (d.Right - 1 > d.Left) dot(d.Right - 1, y);
    }
    return true;
}

bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush) {
    if (!dc || !rgn || !brush) return false;
    if (brush->Style != BS_NULL) FillRegionDevice(dc, *rgn, ToBgr(brush->Color), R2_COPYPEN);
    return true;
}

bool PaintRgn(HDC dc, HRGN rgn) {
    return dc && FillRgn(dc, rgn, dc->State().Brush.Get());
}

bool InvertRgn(HDC dc, HRGN rgn) {
    if (!dc || !rgn) return false;
    FillRegionDevice(dc, *rgn, 0, R2_NOT);
    return true;
}

bool FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h) {
    if (!dc || !rgn || !brush || w < 0 || h < 0) return false;
    // The frame is the region less itself shrunk by w and h on every side.
    GdiRegion inner = *rgn;
    for (int s : {-1, 1}) {
        GdiRegion moved = *rgn;
        moved.Offset(s * w, 0);
        inner = GdiRegion::Combine(inner, moved, RGN_AND);
        moved = *rgn;
        moved.Offset(0, s * h);
        inner = GdiRegion::Combine(inner, moved, RGN_AND);
    }
    if (brush->Style != BS_NULL)
        FillRegionDevice(dc, GdiRegion::Combine(*rgn, inner, RGN_DIFF), ToBgr(brush->Color), R2_COPYPEN);
    return true;
}

} // namespace vd
