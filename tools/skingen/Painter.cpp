#include "tools/skingen/Painter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vd::skingen {

namespace {

int Channel(TskColor c, int shift) {
    return int(unsigned(c) >> shift & 255u);
}

bool InRoundRect(int sx, int sy, const TRect& r, int topRadius, int bottomRadius) {
    const int l = r.Left * Sub, t = r.Top * Sub, rt = r.Right * Sub, b = r.Bottom * Sub;
    if (sx < l || sx >= rt || sy < t || sy >= b) return false;
    const int radius = 2 * sy < t + b ? topRadius : bottomRadius;
    const int rr = std::min(radius * Sub, std::min(rt - l, b - t) / 2);
    const int cx = std::clamp(sx, l + rr, rt - rr), cy = std::clamp(sy, t + rr, b - rr);
    const std::int64_t dx = sx - cx, dy = sy - cy;
    return dx * dx + dy * dy <= std::int64_t(rr) * rr;
}

bool InRoundRect(int sx, int sy, const TRect& r, int radius) {
    return InRoundRect(sx, sy, r, radius, radius);
}

std::int64_t Cross(TSubPoint o, TSubPoint a, int px, int py) {
    return std::int64_t(a.X - o.X) * (py - o.Y) - std::int64_t(a.Y - o.Y) * (px - o.X);
}

TRect Inflate(TRect r, int d) {
    return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d};
}

} // namespace

TskColor Mix(TskColor a, TskColor b, int num, int den) {
    if (den <= 0) return a;
    num = std::clamp(num, 0, den);
    TskColor out = 0;
    for (int shift : {0, 8, 16}) {
        const int v = (Channel(a, shift) * (den - num) + Channel(b, shift) * num + den / 2) / den;
        out |= TskColor(unsigned(v) << shift);
    }
    return out;
}

void TPainter::Fill(const TRect& r, TskColor c) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, FTarget.Height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, FTarget.Width()); ++x)
            FTarget.SetPixel(x, y, c);
}

void TPainter::VGradient(const TRect& r, TskColor top, TskColor bottom) {
    const int span = std::max(1, r.Height() - 1);
    for (int y = r.Top; y < r.Bottom; ++y)
        Fill({r.Left, y, r.Right, y + 1}, Mix(top, bottom, y - r.Top, span));
}

void TPainter::HGradient(const TRect& r, TskColor left, TskColor right) {
    const int span = std::max(1, r.Width() - 1);
    for (int x = r.Left; x < r.Right; ++x)
        Fill({x, r.Top, x + 1, r.Bottom}, Mix(left, right, x - r.Left, span));
}

void TPainter::Frame(const TRect& r, TskColor c) {
    Bevel(r, c, c);
}

void TPainter::Bevel(const TRect& r, TskColor light, TskColor dark) {
    Fill({r.Left, r.Top, r.Right, r.Top + 1}, light);
    Fill({r.Left, r.Top, r.Left + 1, r.Bottom}, light);
    Fill({r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
    Fill({r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
}

void TPainter::Cover(const TRect& bounds, TskColor c, const std::function<bool(int, int)>& inside) {
    CoverRows(bounds, c, c, inside);
}

void TPainter::CoverRows(const TRect& bounds, TskColor top, TskColor bottom,
                         const std::function<bool(int, int)>& inside) {
    const int span = std::max(1, bounds.Height() - 1);
    for (int y = std::max(bounds.Top, 0); y < std::min(bounds.Bottom, FTarget.Height()); ++y) {
        const TskColor c = Mix(top, bottom, y - bounds.Top, span);
        for (int x = std::max(bounds.Left, 0); x < std::min(bounds.Right, FTarget.Width()); ++x) {
            int hits = 0;
            for (int j = 1; j < Sub; j += 2)
                for (int i = 1; i < Sub; i += 2)
                    hits += inside(x * Sub + i, y * Sub + j) ? 1 : 0;
            if (hits > 0) FTarget.SetPixel(x, y, Mix(FTarget.Pixel(x, y), c, hits, 16));
        }
    }
}

void TPainter::RoundFill(const TRect& r, int radius, TskColor top, TskColor bottom) {
    CoverRows(r, top, bottom, [&](int sx, int sy) { return InRoundRect(sx, sy, r, radius); });
}

void TPainter::RoundFill(const TRect& r, int topRadius, int bottomRadius, TskColor top, TskColor bottom) {
    CoverRows(r, top, bottom,
              [&](int sx, int sy) { return InRoundRect(sx, sy, r, topRadius, bottomRadius); });
}

void TPainter::RoundFace(const TRect& r, int radius, TskColor border, TskColor top, TskColor bottom) {
    RoundFill(r, radius, border, border);
    RoundFill(Inflate(r, -1), std::max(radius - 1, 0), top, bottom);
}

void TPainter::RoundOutline(const TRect& r, int radius, TskColor c) {
    const TRect inner = Inflate(r, -1);
    const int innerRadius = std::max(radius - 1, 0);
    Cover(r, c, [&](int sx, int sy) {
        return InRoundRect(sx, sy, r, radius) && !InRoundRect(sx, sy, inner, innerRadius);
    });
}

void TPainter::Polygon(std::initializer_list<TSubPoint> points, TskColor c) {
    const std::vector<TSubPoint> p(points);
    if (p.size() < 3) return;
    TRect bounds{p[0].X / Sub, p[0].Y / Sub, p[0].X / Sub + 1, p[0].Y / Sub + 1};
    for (const TSubPoint& q : p) {
        bounds.Left = std::min(bounds.Left, q.X / Sub);
        bounds.Top = std::min(bounds.Top, q.Y / Sub);
        bounds.Right = std::max(bounds.Right, q.X / Sub + 1);
        bounds.Bottom = std::max(bounds.Bottom, q.Y / Sub + 1);
    }
    Cover(bounds, c, [&](int sx, int sy) {
        bool neg = false, pos = false;
        for (size_t i = 0; i < p.size(); ++i) {
            const std::int64_t k = Cross(p[i], p[(i + 1) % p.size()], sx, sy);
            neg = neg || k < 0;
            pos = pos || k > 0;
        }
        return !(neg && pos);
    });
}

void TPainter::Line(TSubPoint a, TSubPoint b, int halfWidth, TskColor c) {
    const TRect bounds{std::min(a.X, b.X) / Sub - 2, std::min(a.Y, b.Y) / Sub - 2,
                       std::max(a.X, b.X) / Sub + 3, std::max(a.Y, b.Y) / Sub + 3};
    const std::int64_t dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy,
                       hw2 = std::int64_t(halfWidth) * halfWidth;
    Cover(bounds, c, [&](int sx, int sy) {
        const std::int64_t px = sx - a.X, py = sy - a.Y;
        const std::int64_t t = px * dx + py * dy;
        if (t <= 0 || len2 == 0) return px * px + py * py <= hw2;
        if (t >= len2) {
            const std::int64_t qx = sx - b.X, qy = sy - b.Y;
            return qx * qx + qy * qy <= hw2;
        }
        const std::int64_t cross = px * dy - py * dx;
        return cross * cross <= hw2 * len2;
    });
}

void TPainter::Disc(TSubPoint centre, int radius, TskColor c) {
    const TRect bounds{(centre.X - radius) / Sub - 1, (centre.Y - radius) / Sub - 1,
                       (centre.X + radius) / Sub + 2, (centre.Y + radius) / Sub + 2};
    const std::int64_t r2 = std::int64_t(radius) * radius;
    Cover(bounds, c, [&](int sx, int sy) {
        const std::int64_t dx = sx - centre.X, dy = sy - centre.Y;
        return dx * dx + dy * dy <= r2;
    });
}

} // namespace vd::skingen
