#pragma once
// Caption-button and menu glyphs drawn with pen lines in one colour, for skins that give no
// picture of their own, and single glyphs out of a strip of equal-width glyph pictures.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

void DrawCloseGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawMinimizeGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawMaximizeGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawRestoreGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawTrayGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawSquareGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawDownArrowGlyph(TskBitmap& canvas, int x, int y, TskColor color);
void DrawUpArrowGlyph(TskBitmap& canvas, int x, int y, TskColor color);

// Direction 1 left, 2 right, 3 up, 4 down; any other value draws nothing.
void DrawArrowGlyph(TskBitmap& canvas, const TRect& r, TskColor color, int direction);
void DrawSmallDownArrow(TskBitmap& canvas, const TRect& r, TskColor color);
void DrawCheckMark(TskBitmap& canvas, int x, int y, TskColor color);
void DrawRadioMark(TskBitmap& canvas, int x, int y, TskColor color);

// Glyph Index (from 1) of Count equal-width glyphs side by side, drawn with the strip's
// transparent colour left out. Nothing for an empty strip, a count below 1, an index outside
// 1..Count or glyphs narrower than a pixel.
void DrawGlyphFromStrip(TskBitmap& canvas, int x, int y, int index, int count, const TskBitmap& strip);

// The same glyphs on a device context, pixel for pixel, with a one-pixel pen; the context's pen
// and brush are restored afterwards.
void DrawCloseGlyph(HDC dc, int x, int y, TskColor color);
void DrawMinimizeGlyph(HDC dc, int x, int y, TskColor color);
void DrawMaximizeGlyph(HDC dc, int x, int y, TskColor color);
void DrawRestoreGlyph(HDC dc, int x, int y, TskColor color);
void DrawTrayGlyph(HDC dc, int x, int y, TskColor color);
void DrawSquareGlyph(HDC dc, int x, int y, TskColor color);
void DrawDownArrowGlyph(HDC dc, int x, int y, TskColor color);
void DrawUpArrowGlyph(HDC dc, int x, int y, TskColor color);
void DrawArrowGlyph(HDC dc, const TRect& r, TskColor color, int direction);
void DrawSmallDownArrow(HDC dc, const TRect& r, TskColor color);
void DrawCheckMark(HDC dc, int x, int y, TskColor color);
void DrawRadioMark(HDC dc, int x, int y, TskColor color);
void DrawGlyphFromStrip(HDC dc, int x, int y, int index, int count, const TskBitmap& strip);
void DrawFrame3D(HDC dc, TRect r, TskColor topLeft, TskColor bottomRight);

} // namespace vd
