#include "skin/core/SkinGlyphs.h"

#include "platform/gfx/Gdi.h"
#include "skin/core/SkinGdi.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

namespace vd {

namespace {

// Where a glyph's lines, frames and blocks go: a skin bitmap or a device context.
class Target {
public:
    virtual ~Target() = default;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Frame(int x1, int y1, int x2, int y2) = 0;
    virtual void Block(int x1, int y1, int x2, int y2) = 0;
};

class BitmapTarget final : public Target {
public:
    BitmapTarget(TskBitmap& b, TskColor c) : FB(b), FC(c) {}
    void Line(int x1, int y1, int x2, int y2) override { DrawLine(FB, x1, y1, x2, y2, FC); }
    void Frame(int x1, int y1, int x2, int y2) override { FrameRect(FB, {x1, y1, x2, y2}, FC); }
    void Block(int x1, int y1, int x2, int y2) override { FillRect(FB, {x1, y1, x2, y2}, FC); }

private:
    TskBitmap& FB;
    TskColor FC;
};

class DcTarget final : public Target {
public:
    DcTarget(HDC dc, TskColor c)
        : FDc(dc), FPen(CreatePen(PS_SOLID, 1, COLORREF(c))), FBrush(CreateSolidBrush(COLORREF(c))),
          FSave(dc) {
        SelectObject(dc, FPen.Get());
    }
    void Line(int x1, int y1, int x2, int y2) override {
        MoveToEx(FDc, x1, y1, nullptr);
        LineTo(FDc, x2, y2);
    }
    void Frame(int x1, int y1, int x2, int y2) override {
        SelectObject(FDc, GetStockObject(NULL_BRUSH));
        Rectangle(FDc, x1, y1, x2, y2);
    }
    void Block(int x1, int y1, int x2, int y2) override {
        const TRect r{x1, y1, x2, y2};
        FillRect(FDc, &r, FBrush.Get());
    }

private:
    HDC FDc;
    UniquePen FPen;
    UniqueBrush FBrush;
    SaveGuard FSave; // restores the context's pen and brush before they are deleted
};

void Close(Target& t, int x, int y) {
    t.Line(x + 1, y + 1, x + 9, y + 9);
    t.Line(x + 9, y + 1, x + 1, y + 9);
    t.Line(x + 2, y + 1, x + 10, y + 9);
    t.Line(x + 8, y + 1, x, y + 9);
}
void Minimize(Target& t, int x, int y) {
    t.Line(x + 1, y + 8, x + 9, y + 8);
    t.Line(x + 1, y + 9, x + 9, y + 9);
}
void Maximize(Target& t, int x, int y) {
    t.Frame(x, y, x + 11, y + 10);
    t.Frame(x, y, x + 11, y + 2);
}
void Restore(Target& t, int x, int y) {
    t.Frame(x + 2, y, x + 10, y + 6);
    t.Frame(x + 2, y, x + 10, y + 2);
    t.Frame(x, y + 4, x + 7, y + 10);
    t.Frame(x, y + 4, x + 7, y + 6);
}
void Tray(Target& t, int x, int y) {
    t.Frame(x + 1, y + 3, x + 9, y + 6);
}
void Square(Target& t, int x, int y) {
    t.Block(x + 2, y + 2, x + 7, y + 7);
}
void DownArrow(Target& t, int x, int y) {
    for (int i = 0; i < 4; ++i)
        t.Line(x + 1 + i, y + 2 + i, x + 9 - i, y + 2 + i);
}
void UpArrow(Target& t, int x, int y) {
    for (int i = 0; i < 4; ++i)
        t.Line(x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}
void Arrow(Target& t, const TRect& r, int direction) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    switch (direction) {
    case 1:
        for (int i = 0; i <= 3; ++i)
            t.Line(cx + i - 2, cy - i, cx + i - 2, cy + i + 1);
        break;
    case 2:
        for (int i = 3; i >= 0; --i)
            t.Line(cx - i + 2, cy + i, cx - i + 2, cy - i - 1);
        break;
    case 3:
        for (int i = 0; i <= 3; ++i)
            t.Line(cx - i, cy + i - 2, cx + i + 1, cy + i - 2);
        break;
    case 4:
        for (int i = 3; i >= 0; --i)
            t.Line(cx - i, cy - i + 2, cx + i + 1, cy - i + 2);
        break;
    default:
        break;
    }
}
void SmallDown(Target& t, const TRect& r) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 2; i >= 0; --i)
        t.Line(cx - i, cy - i + 2, cx + i + 1, cy - i + 2);
}
void Check(Target& t, int x, int y) {
    for (int i = 0; i <= 2; ++i) {
        t.Line(x, y + 5 - i, x + 2, y + 7 - i);
        t.Line(x + 2, y + 7 - i, x + 7, y + 2 - i);
    }
}
void Radio(Target& t, int x, int y) {
    t.Block(x, y, x + 6, y + 6);
}

// The glyph Index of a strip, or an empty bitmap when there is none to draw.
TskBitmap StripGlyph(int index, int count, const TskBitmap& strip) {
    TskBitmap glyph;
    if (strip.Empty() || count < 1 || index < 1 || index > count) return glyph;
    const int gw = strip.Width() / count;
    if (gw < 1) return glyph;
    glyph.SetSize(gw, strip.Height());
    CopyRect(glyph, {0, 0, gw, strip.Height()}, strip, {(index - 1) * gw, 0, index * gw, strip.Height()});
    return glyph;
}

} // namespace

#define VD_GLYPH_XY(Name, Impl)                                                                              \
    void Name(TskBitmap& c, int x, int y, TskColor color) {                                                  \
        BitmapTarget t(c, color);                                                                            \
        Impl(t, x, y);                                                                                       \
    }                                                                                                        \
    void Name(HDC dc, int x, int y, TskColor color) {                                                        \
        DcTarget t(dc, color);                                                                               \
        Impl(t, x, y);                                                                                       \
    }

VD_GLYPH_XY(DrawCloseGlyph, Close)
VD_GLYPH_XY(DrawMinimizeGlyph, Minimize)
VD_GLYPH_XY(DrawMaximizeGlyph, Maximize)
VD_GLYPH_XY(DrawRestoreGlyph, Restore)
VD_GLYPH_XY(DrawTrayGlyph, Tray)
VD_GLYPH_XY(DrawSquareGlyph, Square)
VD_GLYPH_XY(DrawDownArrowGlyph, DownArrow)
VD_GLYPH_XY(DrawUpArrowGlyph, UpArrow)
VD_GLYPH_XY(DrawCheckMark, Check)
VD_GLYPH_XY(DrawRadioMark, Radio)
#undef VD_GLYPH_XY

void DrawArrowGlyph(TskBitmap& c, const TRect& r, TskColor color, int direction) {
    BitmapTarget t(c, color);
    Arrow(t, r, direction);
}
void DrawArrowGlyph(HDC dc, const TRect& r, TskColor color, int direction) {
    DcTarget t(dc, color);
    Arrow(t, r, direction);
}
void DrawSmallDownArrow(TskBitmap& c, const TRect& r, TskColor color) {
    BitmapTarget t(c, color);
    SmallDown(t, r);
}
void DrawSmallDownArrow(HDC dc, const TRect& r, TskColor color) {
    DcTarget t(dc, color);
    SmallDown(t, r);
}

void DrawGlyphFromStrip(TskBitmap& canvas, int x, int y, int index, int count, const TskBitmap& strip) {
    const TskBitmap glyph = StripGlyph(index, count, strip);
    if (!glyph.Empty()) CopyRectTransparent(canvas, x, y, glyph, glyph.TransparentColor());
}

void DrawGlyphFromStrip(HDC dc, int x, int y, int index, int count, const TskBitmap& strip) {
    const TskBitmap glyph = StripGlyph(index, count, strip);
    if (glyph.Empty()) return;
    UniqueBitmap handle = CreateSkinBitmapHandle(glyph);
    UniqueDC source(CreateCompatibleDC(dc));
    if (!handle || !source) return;
    SelectGuard selected(source.Get(), handle.Get());
    TransparentBlt(dc, x, y, glyph.Width(), glyph.Height(), source.Get(), 0, 0, glyph.Width(), glyph.Height(),
                   UINT(glyph.TransparentColor()));
}

void DrawFrame3D(HDC dc, TRect r, TskColor topLeft, TskColor bottomRight) {
    r.Right -= 1;
    r.Bottom -= 1;
    {
        DcTarget t(dc, topLeft);
        t.Line(r.Left, r.Bottom, r.Left, r.Top);
        t.Line(r.Left, r.Top, r.Right, r.Top);
    }
    DcTarget t(dc, bottomRight);
    t.Line(r.Right, r.Top, r.Right, r.Bottom);
    t.Line(r.Right, r.Bottom, r.Left - 1, r.Bottom);
}

} // namespace vd
