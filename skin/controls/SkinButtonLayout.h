#pragma once
// Laying out and drawing a button's caption with a glyph: an image of an image list or one frame
// of a glyph strip. The caller has set the canvas font and colour.
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"

namespace vd {

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TskGlyphTextPos {
    int TextX = 0, TextY = 0, GlyphX = 0, GlyphY = 0;
    friend bool operator==(const TskGlyphTextPos&, const TskGlyphTextPos&) = default;
};

// Margin -1 centres glyph and caption together; any other value is the glyph's distance from the
// edge on its side.
TskGlyphTextPos CalcGlyphAndTextPos(TskButtonLayout layout, const TRect& r, int glyphW, int glyphH, int textW,
                                    int textH, int spacing, int margin);

void DrawImageAndText(TCanvas& canvas, const TRect& r, int margin, int spacing, TskButtonLayout layout,
                      const String& caption, int imageIndex, TCustomImageList* images, bool pressed,
                      bool enabled, bool drawFocus = false, TColor focusColor = clBlack);

// Frame GlyphIndex (from 1) of a strip of NumGlyphs frames.
void DrawGlyphAndText(TCanvas& canvas, const TRect& r, int margin, int spacing, TskButtonLayout layout,
                      const String& caption, const TBitmap* glyph, int numGlyphs, int glyphIndex,
                      bool pressed, bool drawFocus = false, TColor focusColor = clBlack);

// A glyph strip frame drawn transparent (the strip's bottom-left colour left out).
void DrawStripGlyph(TCanvas& canvas, int x, int y, const TBitmap& glyph, int index, int count);

} // namespace vd
