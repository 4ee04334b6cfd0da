#pragma once
// Pixel-level drawing on skin bitmaps: block copies (stretching when sizes differ), fills, lines
// and frames with the platform's conventions (a line's end point is not painted).
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

// Copies Src's rectangle S into Dst's rectangle D, scaled by nearest pixel when the sizes differ.
// A rectangle of zero or negative extent draws nothing; pixels outside either bitmap are skipped.
void CopyRect(TskBitmap& dst, const TRect& d, const TskBitmap& src, const TRect& s);
// Like CopyRect at 1:1, leaving out Src's pixels of colour Transparent.
void CopyRectTransparent(TskBitmap& dst, int x, int y, const TskBitmap& src, TskColor transparent);
void FillRect(TskBitmap& dst, const TRect& r, TskColor color);
void DrawLine(TskBitmap& dst, int x1, int y1, int x2, int y2, TskColor color);
// The outline one pixel wide of columns Left..Right-1 and rows Top..Bottom-1.
void FrameRect(TskBitmap& dst, const TRect& r, TskColor color);

} // namespace vd
