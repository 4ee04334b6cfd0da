#include "skin/core/SkinGlyphs.h"

#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinDraw.h"

namespace vd {

namespace {

void Block(TskBitmap& c, int x1, int y1, int x2, int y2, TskColor color) { FillRect(c, {x1, y1, x2, y2}, color); }
void Frame(TskBitmap& c, int x1, int y1, int x2, int y2, TskColor color) { FrameRect(c, {x1, y1, x2, y2}, color); }

} // namespace

void DrawCloseGlyph(TskBitmap& c, int x, int y, TskColor color) {
    DrawLine(c, x + 1, y + 1, x + 9, y + 9, color);
    DrawLine(c, x + 9, y + 1, x + 1, y + 9, color);
    DrawLine(c, x + 2, y + 1, x + 10, y + 9, color);
    DrawLine(c, x + 8, y + 1, x, y + 9, color);
}

void DrawMinimizeGlyph(TskBitmap& c, int x, int y, TskColor color) {
    DrawLine(c, x + 1, y + 8, x + 9, y + 8, color);
    DrawLine(c, x + 1, y + 9, x + 9, y + 9, color);
}

void DrawMaximizeGlyph(TskBitmap& c, int x, int y, TskColor color) {
    Frame(c, x, y, x + 11, y + 10, color);
    Frame(c, x, y, x + 11, y + 2, color);
}

void DrawRestoreGlyph(TskBitmap& c, int x, int y, TskColor color) {
    Frame(c, x + 2, y, x + 10, y + 6, color);
    Frame(c, x + 2, y, x + 10, y + 2, color);
    Frame(c, x, y + 4, x + 7, y + 10, color);
    Frame(c, x, y + 4, x + 7, y + 6, color);
}

void DrawTrayGlyph(TskBitmap& c, int x, int y, TskColor color) { Frame(c, x + 1, y + 3, x + 9, y + 6, color); }

void DrawSquareGlyph(TskBitmap& c, int x, int y, TskColor color) { Block(c, x + 2, y + 2, x + 7, y + 7, color); }

void DrawDownArrowGlyph(TskBitmap& c, int x, int y, TskColor color) {
    for (int i = 0; i < 4; ++i) DrawLine(c, x + 1 + i, y + 2 + i, x + 9 - i, y + 2 + i, color);
}

void DrawUpArrowGlyph(TskBitmap& c, int x, int y, TskColor color) {
    for (int i = 0; i < 4; ++i) DrawLine(c, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i, color);
}

void DrawArrowGlyph(TskBitmap& c, const TRect& r, TskColor color, int direction) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    switch (direction) {
    case 1:
        for (int i = 0; i <= 3; ++i) DrawLine(c, cx + i - 2, cy - i, cx + i - 2, cy + i + 1, color);
        break;
    case 2:
        for (int i = 3; i >= 0; --i) DrawLine(c, cx - i + 2, cy + i, cx - i + 2, cy - i - 1, color);
        break;
    case 3:
        for (int i = 0; i <= 3; ++i) DrawLine(c, cx - i, cy + i - 2, cx + i + 1, cy + i - 2, color);
        break;
    case 4:
        for (int i = 3; i >= 0; --i) DrawLine(c, cx - i, cy - i + 2, cx + i + 1, cy - i + 2, color);
        break;
    default:
        break;
    }
}

void DrawSmallDownArrow(TskBitmap& c, const TRect& r, TskColor color) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 2; i >= 0; --i) DrawLine(c, cx - i, cy - i + 2, cx + i + 1, cy - i + 2, color);
}

void DrawCheckMark(TskBitmap& c, int x, int y, TskColor color) {
    for (int i = 0; i <= 2; ++i) {
        DrawLine(c, x, y + 5 - i, x + 2, y + 7 - i, color);
        DrawLine(c, x + 2, y + 7 - i, x + 7, y + 2 - i, color);
    }
}

void DrawRadioMark(TskBitmap& c, int x, int y, TskColor color) { Block(c, x, y, x + 6, y + 6, color); }

void DrawGlyphFromStrip(TskBitmap& canvas, int x, int y, int index, int count, const TskBitmap& strip) {
    if (strip.Empty() || count < 1 || index < 1 || index > count) return;
    const int gw = strip.Width() / count;
    if (gw < 1) return;
    TskBitmap glyph(gw, strip.Height());
    CopyRect(glyph, {0, 0, gw, strip.Height()}, strip, {(index - 1) * gw, 0, index * gw, strip.Height()});
    CopyRectTransparent(canvas, x, y, glyph, glyph.TransparentColor());
}

} // namespace vd
