#pragma once
// Text output and measuring with the context's font, text colour and background mode.
// Strings are UTF-8. Glyphs are anti-aliased and blended onto the target.
#include "platform/gfx/GdiTypes.h"

#include <string_view>

namespace vd {

// Text starts at (x, y) as the text alignment says (default: top-left of the cell). An
// escapement of 900 in the font turns the text 90 degrees to read upwards from (x, y).
bool TextOutA(HDC dc, int x, int y, const char* text, int length);
// ETO_OPAQUE fills r with the background colour first; ETO_CLIPPED clips the text to r.
// dx, when given, holds the advance of each byte's character (as many entries as bytes).
bool ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* r, const char* text, UINT length,
                 const int* dx);
// Returns the height of the text drawn (or measured with DT_CALCRECT, which widens or
// narrows r to the text and leaves the picture alone). length -1 means up to the terminator.
int DrawTextA(HDC dc, const char* text, int length, TRect* r, UINT format);
bool GetTextExtentPoint32A(HDC dc, const char* text, int length, TSize* size);
bool GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
int GetTextFaceA(HDC dc, int count, char* name);
// Text with tabs expanded to stops: none given, every 8 average character widths; one, every that
// many pixels; more, at those pixels from the tab origin (past the last one a tab is a space).
// Both return the extent: width in the low 16 bits, height in the high 16 bits.
long TabbedTextOutA(HDC dc, int x, int y, const char* text, int count, int tabCount, const int* tabStops,
                    int tabOrigin);
DWord GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabCount, const int* tabStops);

// Convenience forms for C++ callers.
TSize TextExtent(HDC dc, std::string_view text);
int DrawTextUtf8(HDC dc, std::string_view text, TRect& r, UINT format);

} // namespace vd
