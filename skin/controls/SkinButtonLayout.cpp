#include "skin/controls/SkinButtonLayout.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/ImageList.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/store/SkinBitmap.h"

namespace vd {

TskGlyphTextPos CalcGlyphAndTextPos(TskButtonLayout layout, const TRect& r, int gw, int gh, int tw, int th,
                                    int spacing, int margin) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    TskGlyphTextPos p;
    if (margin == -1) {
        const int half = (gw + tw + spacing) / 2, halfV = (th + gh + spacing) / 2;
        switch (layout) {
        case blGlyphLeft:
            p = {cx + half - tw, cy - th / 2, cx - half, cy - gh / 2};
            break;
        case blGlyphRight:
            p = {cx - half, cy - th / 2, cx + half - gw, cy - gh / 2};
            break;
        case blGlyphTop:
            p = {cx - tw / 2, cy + halfV - th, cx - gw / 2, cy - halfV};
            break;
        case blGlyphBottom:
            p = {cx - tw / 2, cy - halfV, cx - gw / 2, cy + halfV - gh};
            break;
        }
        return p;
    }
    switch (layout) {
    case blGlyphLeft:
        p.GlyphX = r.Left + margin;
        p.GlyphY = cy - gh / 2;
        p.TextX = p.GlyphX + gw + spacing;
        p.TextY = cy - th / 2;
        break;
    case blGlyphRight:
        p.GlyphX = r.Right - gw - margin;
        p.GlyphY = cy - gh / 2;
        p.TextX = p.GlyphX - spacing - tw;
        p.TextY = cy - th / 2;
        break;
    case blGlyphTop:
        p.GlyphX = cx - gw / 2;
        p.GlyphY = r.Top + margin;
        p.TextX = cx - tw / 2;
        p.TextY = p.GlyphY + gh + spacing;
        break;
    case blGlyphBottom:
        p.GlyphX = cx - gw / 2;
        p.GlyphY = r.Bottom - gh - margin;
        p.TextX = cx - tw / 2;
        p.TextY = p.GlyphY - spacing - th;
        break;
    }
    return p;
}

namespace {

struct Placed {
    TskGlyphTextPos Pos;
    TRect TextRect;
};

// Measures, lays out and draws the caption; returns where glyph and caption went.
Placed DrawCaption(TCanvas& canvas, const TRect& r, int margin, int spacing, TskButtonLayout layout,
                   const String& caption, int gw, int gh, bool pressed) {
    TRect m{0, 0, 0, 0};
    if (!caption.empty()) canvas.DrawText(caption, m, DT_CALCRECT);
    canvas.Brush().Style = bsClear;
    Placed out;
    out.Pos = CalcGlyphAndTextPos(layout, r, gw, gh, m.Width(), m.Height(), spacing, margin);
    if (pressed) {
        out.Pos.TextX++;
        out.Pos.TextY++;
        out.Pos.GlyphX++;
        out.Pos.GlyphY++;
    }
    TRect t{out.Pos.TextX, out.Pos.TextY, out.Pos.TextX, out.Pos.TextY};
    if (!caption.empty()) {
        canvas.DrawText(caption, t, DT_CALCRECT);
        t.Right += 2;
        canvas.DrawText(caption, t, DT_CENTER | DT_VCENTER);
    }
    out.TextRect = t;
    return out;
}

void FocusLines(TCanvas& canvas, int x1, int x2, int y, TColor color) {
    canvas.Pen().Color = color;
    canvas.Pen().Style = psSolid;
    canvas.Pen().Width = 1;
    for (int i = 0; i < 3; ++i) {
        canvas.MoveTo(x1, y + i);
        canvas.LineTo(x2, y + i);
    }
}

void CaptionFocus(TCanvas& canvas, const TRect& r, const String& caption, const TRect& t, TColor color) {
    if (!caption.empty()) {
        FocusLines(canvas, t.Left, t.Right, t.Bottom - 1, color);
        return;
    }
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
}

} // namespace

void DrawImageAndText(TCanvas& canvas, const TRect& r, int margin, int spacing, TskButtonLayout layout,
                      const String& caption, int imageIndex, TCustomImageList* images, bool pressed,
                      bool enabled, bool drawFocus, TColor focusColor) {
    const bool has = images && imageIndex >= 0 && imageIndex < images->Count();
    const int gw = has ? images->Width() : 0, gh = has ? images->Height() : 0;
    const Placed p = DrawCaption(canvas, r, margin, spacing, layout, caption, gw, gh, pressed);
    if (has) {
        images->Draw(canvas, p.Pos.GlyphX, p.Pos.GlyphY, imageIndex, enabled);
        if (drawFocus) FocusLines(canvas, p.Pos.GlyphX, p.Pos.GlyphX + gw, p.Pos.GlyphY + gh - 2, focusColor);
    } else if (drawFocus) {
        CaptionFocus(canvas, r, caption, p.TextRect, focusColor);
    }
}

void DrawStripGlyph(TCanvas& canvas, int x, int y, const TBitmap& glyph, int index, int count) {
    if (glyph.Empty() || !canvas.Handle()) return;
    const TskBitmap strip = SkinBitmapFromHandle(glyph.Handle());
    DrawGlyphFromStrip(canvas.Handle(), x, y, index, count, strip);
}

void DrawGlyphAndText(TCanvas& canvas, const TRect& r, int margin, int spacing, TskButtonLayout layout,
                      const String& caption, const TBitmap* glyph, int numGlyphs, int glyphIndex,
                      bool pressed, bool drawFocus, TColor focusColor) {
    const bool has = glyph && !glyph->Empty() && numGlyphs > 0;
    const int gw = has ? glyph->Width() / numGlyphs : 0, gh = has ? glyph->Height() : 0;
    const Placed p = DrawCaption(canvas, r, margin, spacing, layout, caption, gw, gh, pressed);
    if (has) {
        DrawStripGlyph(canvas, p.Pos.GlyphX, p.Pos.GlyphY, *glyph, glyphIndex, numGlyphs);
        if (drawFocus) FocusLines(canvas, p.Pos.GlyphX, p.Pos.GlyphX + gw, p.Pos.GlyphY + gh - 2, focusColor);
    } else if (drawFocus) {
        CaptionFocus(canvas, r, caption, p.TextRect, focusColor);
    }
}

} // namespace vd
