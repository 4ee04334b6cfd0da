#pragma once
// Pens, brushes, icons, stock objects and object deletion.
#include "platform/gfx/GdiObject.h"

namespace vd {

class GdiPen : public GdiObject {
public:
    GdiPen(int style, int width, COLORREF color)
        : GdiObject(Kind::Pen), Style(style), Width(width), Color(color) {}
    int Style;
    int Width;
    COLORREF Color;
};

class GdiBrush : public GdiObject {
public:
    GdiBrush(UINT style, COLORREF color) : GdiObject(Kind::Brush), Style(style), Color(color) {}
    UINT Style;
    COLORREF Color;
};

// An icon keeps its own copies of the colour picture and the mask.
class GdiIcon : public GdiObject {
public:
    GdiIcon(GdiBitmap* color, GdiBitmap* mask);
    ~GdiIcon() override;
    GdiBitmap* Color() const { return FColor; }
    GdiBitmap* Mask() const { return FMask; }
    int Width() const;
    int Height() const;

private:
    GdiBitmap* FColor = nullptr;
    GdiBitmap* FMask = nullptr;
};

HPEN CreatePen(int style, int width, COLORREF color);
// Solid-brush pens only; null for a cosmetic pen wider than 1, a user dash style or another brush.
HPEN ExtCreatePen(DWord style, DWord width, const LOGBRUSH* brush, DWord styleCount, const DWord* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HGDIOBJ GetStockObject(int which);
// A shared brush of a system colour; never deleted (DeleteObject ignores it). Null for an
// unknown index.
HBRUSH GetSysColorBrush(int index);
// Frees the object once nothing selects it any more. Stock objects are never freed.
bool DeleteObject(HGDIOBJ object);
// The same for each handle type, so that callers need not see the class behind it.
bool DeleteObject(HBITMAP object);
bool DeleteObject(HRGN object);
bool DeleteObject(HFONT object);
bool DeleteObject(HPEN object);
bool DeleteObject(HBRUSH object);
DWord GetObjectType(HGDIOBJ object);
// Copies the bitmaps; the caller keeps and deletes its own.
HICON CreateIconIndirect(const ICONINFO* info);
bool DestroyIcon(HICON icon);
bool GetIconInfo(HICON icon, ICONINFO* info);

} // namespace vd
