#pragma once
// The class library's drawing objects over the drawing layer: TFont, TPen, TBrush, TCanvas,
// TGraphic, TBitmap, TIcon.
#include "platform/gfx/Color.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/String.h"

#include <functional>

namespace vd {

using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    const String& Name() const { return FName; }
    void SetName(const String& v);
    int Height() const { return FHeight; } // > 0 cell height, < 0 character height
    void SetHeight(int v);
    int Size() const; // points at 96 dpi
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    Byte Charset() const { return FCharset; }
    void SetCharset(Byte v);
    int Orientation() const { return FOrientation; } // tenths of a degree
    void SetOrientation(int v);
    HFONT Handle();
    void Assign(const TPersistent& source) override;

private:
    void Reset();
    String FName = "Arial";
    int FHeight = 14;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    Byte FCharset = DEFAULT_CHARSET;
    int FOrientation = 0;
    HFONT FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TPenMode { pmCopy, pmXor, pmNot, pmBlack, pmWhite, pmNop };
class TPen : public TGraphicsObject {
public:
    ~TPen() override;
    TColor Color = clBlack;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    int Width = 1;
    HPEN Handle();
    void Assign(const TPersistent& source) override;

private:
    HPEN FHandle = nullptr;
    TColor FMadeColor = 0;
    TPenStyle FMadeStyle = psSolid;
    int FMadeWidth = 0;
};

enum TBrushStyle { bsSolid, bsClear };
class TBrush : public TGraphicsObject {
public:
    ~TBrush() override;
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    HBRUSH Handle(); // a null brush for bsClear
    void Assign(const TPersistent& source) override;

private:
    HBRUSH FHandle = nullptr;
    TColor FMadeColor = 0;
};

class TGraphic;

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

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v) { FTransparent = v; }
    TNotifyEvent OnChange;

protected:
    bool FTransparent = false;
};

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override;
    int Height() const override;
    void SetWidth(int v) { SetSize(v, Height()); }
    void SetHeight(int v) { SetSize(Width(), v); }
    void SetSize(int w, int h); // keeps the canvas usable
    bool Empty() const override { return Width() == 0 || Height() == 0; }
    HBITMAP Handle() const { return FBitmap; }
    TCanvas& Canvas();
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TPersistent& source) override;
    void Clear() { SetSize(0, 0); }
    TTransparentMode TransparentMode = tmAuto;
    TColor TransparentColor() const; // tmAuto: the bottom-left pixel
    void SetTransparentColor(TColor c);
    bool LoadFromFile(const String& path); // false when the file is no readable BMP
    bool LoadFromMemory(const void* data, std::size_t size);

private:
    HBITMAP FBitmap = nullptr;
    HDC FDC = nullptr;
    TCanvas* FCanvas = nullptr;
    TColor FTransparentColor = clNone;
};

class TIcon : public TGraphic {
public:
    ~TIcon() override;
    int Width() const override;
    int Height() const override;
    bool Empty() const override { return FHandle == nullptr; }
    HICON Handle() const { return FHandle; }
    void SetHandle(HICON icon); // owned from then on
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TPersistent& source) override;

private:
    HICON FHandle = nullptr;
};

} // namespace vd
