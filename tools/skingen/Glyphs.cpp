#include "tools/skingen/Glyphs.h"

namespace vd::skingen {

namespace {

// The cell's centre in eighths.
TSubPoint Centre(const TRect& cell) {
    return {(cell.Left + cell.Right) * Sub / 2, (cell.Top + cell.Bottom) * Sub / 2};
}

TSubPoint Offset(TSubPoint c, int dx, int dy) {
    return {c.X + dx, c.Y + dy};
}

} // namespace

void DrawArrow(TPainter& p, const TRect& cell, TArrow dir, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2, d = size * Sub / 4; // half base, half depth
    switch (dir) {
    case TArrow::Up:
        p.Polygon({Offset(m, -h, d), Offset(m, h, d), Offset(m, 0, -d)}, c);
        break;
    case TArrow::Down:
        p.Polygon({Offset(m, -h, -d), Offset(m, h, -d), Offset(m, 0, d)}, c);
        break;
    case TArrow::Left:
        p.Polygon({Offset(m, d, -h), Offset(m, d, h), Offset(m, -d, 0)}, c);
        break;
    case TArrow::Right:
        p.Polygon({Offset(m, -d, -h), Offset(m, -d, h), Offset(m, d, 0)}, c);
        break;
    }
}

void DrawChevron(TPainter& p, const TRect& cell, TArrow dir, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2, d = size * Sub / 4, w = 6;
    switch (dir) {
    case TArrow::Up:
        p.Line(Offset(m, -h, d), Offset(m, 0, -d), w, c);
        p.Line(Offset(m, 0, -d), Offset(m, h, d), w, c);
        break;
    case TArrow::Down:
        p.Line(Offset(m, -h, -d), Offset(m, 0, d), w, c);
        p.Line(Offset(m, 0, d), Offset(m, h, -d), w, c);
        break;
    case TArrow::Left:
        p.Line(Offset(m, d, -h), Offset(m, -d, 0), w, c);
        p.Line(Offset(m, -d, 0), Offset(m, d, h), w, c);
        break;
    case TArrow::Right:
        p.Line(Offset(m, -d, -h), Offset(m, d, 0), w, c);
        p.Line(Offset(m, d, 0), Offset(m, -d, h), w, c);
        break;
    }
}

void DrawCheckMark(TPainter& p, const TRect& cell, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int u = (cell.Width() - 4) * Sub / 8; // an eighth of the mark's width
    const TSubPoint a = Offset(m, -3 * u, 0), b = Offset(m, -u, 2 * u), e = Offset(m, 3 * u, -3 * u);
    p.Line(a, b, 10, c);
    p.Line(b, e, 10, c);
}

void DrawCross(TPainter& p, const TRect& cell, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2;
    p.Line(Offset(m, -h, -h), Offset(m, h, h), 6, c);
    p.Line(Offset(m, -h, h), Offset(m, h, -h), 6, c);
}

void DrawMinimize(TPainter& p, const TRect& cell, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2;
    p.Line(Offset(m, -h, h - 4), Offset(m, h, h - 4), 6, c);
}

void DrawMaximize(TPainter& p, const TRect& cell, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2;
    const TSubPoint tl = Offset(m, -h, -h), tr = Offset(m, h, -h), bl = Offset(m, -h, h),
                    br = Offset(m, h, h);
    p.Line(tl, tr, 8, c); // the title edge is heavier
    p.Line(tr, br, 5, c);
    p.Line(br, bl, 5, c);
    p.Line(bl, tl, 5, c);
}

void DrawRestore(TPainter& p, const TRect& cell, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2, s = size * Sub / 4;
    // The back window's visible corner, then the front window.
    p.Line(Offset(m, -h + s, -h + s / 2), Offset(m, -h + s, -h), 5, c);
    p.Line(Offset(m, -h + s, -h), Offset(m, h, -h), 5, c);
    p.Line(Offset(m, h, -h), Offset(m, h, h - s), 5, c);
    p.Line(Offset(m, h, h - s), Offset(m, h - s / 2, h - s), 5, c);
    const TSubPoint tl = Offset(m, -h, -h + s), tr = Offset(m, h - s, -h + s), bl = Offset(m, -h, h),
                    br = Offset(m, h - s, h);
    p.Line(tl, tr, 7, c);
    p.Line(tr, br, 5, c);
    p.Line(br, bl, 5, c);
    p.Line(bl, tl, 5, c);
}

void DrawMenuMark(TPainter& p, const TRect& cell, int size, TskColor c) {
    const TSubPoint m = Centre(cell);
    const int h = size * Sub / 2, step = size * Sub / 3;
    for (int i = -1; i <= 1; ++i)
        p.Line(Offset(m, -h, i * step), Offset(m, h, i * step), 5, c);
}

void DrawGrip(TPainter& p, const TRect& cell, int count, bool vertical, TskColor dot, TskColor light) {
    const TSubPoint m = Centre(cell);
    const int step = 4 * Sub;
    for (int i = 0; i < count; ++i) {
        const int off = (2 * i - (count - 1)) * step / 2;
        const TSubPoint at = vertical ? Offset(m, 0, off) : Offset(m, off, 0);
        p.Disc(Offset(at, 4, 4), 9, light);
        p.Disc(at, 9, dot);
    }
}

} // namespace vd::skingen
