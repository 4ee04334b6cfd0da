#pragma once
// Skin pictures, effect bitmaps and regions on the drawing layer's device contexts and handles,
// and the text helpers of skinned captions (UTF-8 throughout: the wide and the 8-bit forms are
// the same text here).
#include "platform/gfx/GdiTypes.h"
#include "platform/gfx/Handle.h"
#include "platform/rtl/String.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinBitmapHandle.h"

namespace vd {

// The whole picture at (X, Y) of the context.
bool DrawSkinBitmap(HDC dc, int x, int y, const TskBitmap& bitmap);
// Src of the picture scaled into Dst of the context.
bool StretchSkinBitmap(HDC dc, const TRect& dst, const TskBitmap& bitmap, const TRect& src);
// The region as a region handle (the caller owns it); null for no rectangles at all.
UniqueRegion CreateSkinRegionHandle(const TskRegion& region);

int DrawTextWide(HDC dc, const String& text, TRect& r, UINT format);
int WideTextWidth(HDC dc, const String& text);
int WideTextHeight(HDC dc, const String& text);
// Cut to MaxWidth in the context's font with "..." (see FitTextToWidth in SkinPlatform.h).
void FitWideTextToWidth(HDC dc, String& text, int maxWidth);
void FitTextToWidth(HDC dc, String& text, int maxWidth);
// Nothing for an empty text; else one line centred vertically in R.
void DrawTextSingleLine(HDC dc, const String& text, const TRect& r);
// Nothing for an empty text; else clipped to R at X = R.Left + Offset + 2, centred vertically.
void TextRectVCentered(HDC dc, const String& text, const TRect& r);
void TextRectVCenteredOffset(HDC dc, const String& text, const TRect& r, int offset);

} // namespace vd
