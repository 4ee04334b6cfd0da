#pragma once
// Lines and shapes. Rectangles are right- and bottom-exclusive; a line leaves its end point
// unpainted; shapes draw their outline with the pen and fill the inside with the brush
// (with a null pen the filled area is one pixel narrower and shorter, as with the system).
#include "platform/gfx/GdiTypes.h"

namespace vd {

int FillRect(HDC dc, const TRect* r, HBRUSH brush);
int FrameRect(HDC dc, const TRect* r, HBRUSH brush);
bool InvertRect(HDC dc, const TRect* r);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerW, int cornerH);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const TPoint* points, int count);
bool PolyPolyline(HDC dc, const TPoint* points, const DWord* counts, DWord polylines);
// Closed outline with the pen; inside (alternate rule) with the brush.
bool Polygon(HDC dc, const TPoint* points, int count);
// XORs alternate border pixels with the text and background colours: twice restores.
bool DrawFocusRect(HDC dc, const TRect* r);
// Regions in logical coordinates.
bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
bool PaintRgn(HDC dc, HRGN rgn);
bool InvertRgn(HDC dc, HRGN rgn);
bool FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int w, int h);

} // namespace vd
