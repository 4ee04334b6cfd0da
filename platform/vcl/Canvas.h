#pragma once
// Drawing on a device context with the canvas's own font, pen and brush, selected before every call.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/Object.h"
#include "platform/vcl/Brush.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Pen.h"

namespace vd {

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return FHandle; }
    virtual void SetHandle(HDC dc); // not owned
    bool HandleAllocated() const { return FHandle != nullptr; }
    TFont& Font() { return FFont; }
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TPoint PenPos() const;
    void Lock() {}
    void Unlock() {}

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y); // the end point is not drawn
    void Polyline(const TPoint* points, int count);
    // Outline with the pen, inside with the brush.
    void Polygon(const TPoint* points, int count);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
    // The part of the surface drawing can reach (the clip box; empty without a context).
    TRect ClipRect();
    void DrawFocusRect(const TRect& r); // drawn twice it restores the pixels
    void TextOut(int x, int y, const String& text);
    void TextRect(const TRect& r, int x, int y, const String& text);
    TSize TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }
    int DrawText(const String& text, TRect& r, UINT format);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

protected:
    virtual void CreateHandle() {}
    void RequiredState(); // selects pen, brush and font into the context
    HDC FHandle = nullptr;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
};

} // namespace vd
