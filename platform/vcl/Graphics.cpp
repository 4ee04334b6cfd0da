#include "platform/vcl/Graphics.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/win/Windows.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace vd {
namespace {

COLORREF Resolve(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

void Drop(HGDIOBJ& h) {
    if (h) DeleteObject(h);
    h = nullptr;
}

} // namespace

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

TFont::TFont() = default;

TFont::~TFont() {
    Reset();
}

void TFont::Reset() {
    HGDIOBJ h = FHandle;
    Drop(h);
    FHandle = nullptr;
}

void TFont::SetName(const String& v) {
    if (v == FName) return;
    FName = v;
    Reset();
    Changed();
}

void TFont::SetHeight(int v) {
    if (v == FHeight) return;
    FHeight = v;
    Reset();
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles v) {
    if (v == FStyle) return;
    FStyle = v;
    Reset();
    Changed();
}

void TFont::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TFont::SetCharset(Byte v) {
    if (v == FCharset) return;
    FCharset = v;
    Reset();
    Changed();
}

void TFont::SetOrientation(int v) {
    if (v == FOrientation) return;
    FOrientation = v;
    Reset();
    Changed();
}

HFONT TFont::Handle() {
    if (FHandle) return FHandle;
    LOGFONTA lf;
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    FHandle = CreateFontIndirectA(&lf);
    return FHandle;
}

void TFont::Assign(const TPersistent& source) {
    if (auto* f = dynamic_cast<const TFont*>(&source)) {
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        FOrientation = f->FOrientation;
        Reset();
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TPen::~TPen() {
    HGDIOBJ h = FHandle;
    Drop(h);
}

HPEN TPen::Handle() {
    if (FHandle && FMadeColor == Color && FMadeStyle == Style && FMadeWidth == Width) return FHandle;
    HGDIOBJ old = FHandle;
    Drop(old);
    const int style = Style == psClear  ? PS_NULL
                      : Style == psDot  ? PS_DOT
                      : Style == psDash ? PS_DASH
                                        : PS_SOLID;
    FHandle = CreatePen(style, Width, Resolve(Color));
    FMadeColor = Color;
    FMadeStyle = Style;
    FMadeWidth = Width;
    return FHandle;
}

void TPen::Assign(const TPersistent& source) {
    if (auto* p = dynamic_cast<const TPen*>(&source)) {
        Color = p->Color;
        Style = p->Style;
        Mode = p->Mode;
        Width = p->Width;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TBrush::~TBrush() {
    HGDIOBJ h = FHandle;
    Drop(h);
}

HBRUSH TBrush::Handle() {
    if (Style == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (FHandle && FMadeColor == Color) return FHandle;
    HGDIOBJ old = FHandle;
    Drop(old);
    FHandle = CreateSolidBrush(Resolve(Color));
    FMadeColor = Color;
    return FHandle;
}

void TBrush::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBrush*>(&source)) {
        Color = b->Color;
        Style = b->Style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TCanvas::TCanvas() {
    FBrush.Color = clWhite;
}

TCanvas::~TCanvas() = default;

void TCanvas::SetHandle(HDC dc) {
    FHandle = dc;
}

void TCanvas::RequiredState() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    SelectObject(FHandle, FPen.Handle());
    SelectObject(FHandle, FBrush.Handle());
    SelectObject(FHandle, FFont.Handle());
    SetTextColor(FHandle, Resolve(FFont.Color()));
    SetBkColor(FHandle, Resolve(FBrush.Color));
    SetBkMode(FHandle, FBrush.Style == bsClear ? TRANSPARENT : OPAQUE);
    int rop = R2_COPYPEN;
    switch (FPen.Mode) {
    case pmXor:
        rop = R2_XORPEN;
        break;
    case pmNot:
        rop = R2_NOT;
        break;
    case pmBlack:
        rop = R2_BLACK;
        break;
    case pmWhite:
        rop = R2_WHITE;
        break;
    case pmNop:
        rop = R2_NOP;
        break;
    default:
        break;
    }
    SetROP2(FHandle, rop);
}

TPoint TCanvas::PenPos() const {
    TPoint p;
    if (FHandle) GetCurrentPositionEx(FHandle, &p);
    return p;
}

void TCanvas::FillRect(const TRect& r) {
    RequiredState();
    if (FBrush.Style != bsClear) ::vd::FillRect(FHandle, &r, FBrush.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
    RequiredState();
    ::vd::FrameRect(FHandle, &r, FBrush.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequiredState();
    ::vd::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState();
    MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequiredState();
    ::vd::LineTo(FHandle, x, y);
}

void TCanvas::Polyline(const TPoint* points, int count) {
    RequiredState();
    ::vd::Polyline(FHandle, points, count);
}

void TCanvas::DrawFocusRect(const TRect& r) {
    RequiredState();
    ::vd::DrawFocusRect(FHandle, &r);
}

void TCanvas::TextOut(int x, int y, const String& text) {
    RequiredState();
    TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
    MoveToEx(FHandle, x + TextExtent(text).cx, y, nullptr);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    RequiredState();
    const UINT opts = FBrush.Style == bsClear ? ETO_CLIPPED : (ETO_CLIPPED | ETO_OPAQUE);
    ExtTextOutA(FHandle, x, y, opts, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

TSize TCanvas::TextExtent(const String& text) {
    RequiredState();
    return ::vd::TextExtent(FHandle, text);
}

int TCanvas::DrawText(const String& text, TRect& r, UINT format) {
    RequiredState();
    return DrawTextA(FHandle, text.data(), static_cast<int>(text.size()), &r, format);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (graphic && !graphic->Empty()) graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    RequiredState();
    source.RequiredState();
    StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), source.FHandle, src.Left, src.Top,
               src.Width(), src.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) {
    RequiredState();
    return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    RequiredState();
    ::vd::SetPixel(FHandle, x, y, Resolve(color));
}

// A canvas on a bitmap: the context is made when first drawn on.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(HDC dc) { FHandle = dc; }
};

TBitmap::TBitmap() : TBitmap(0, 0) {}

TBitmap::TBitmap(int width, int height) {
    FBitmap = CreateBitmap(width, height, 1, 24, nullptr);
    FDC = CreateCompatibleDC(nullptr);
    SelectObject(FDC, FBitmap);
}

TBitmap::~TBitmap() {
    delete FCanvas;
    DeleteDC(FDC);
    DeleteObject(FBitmap);
}

int TBitmap::Width() const {
    return FBitmap ? FBitmap->Width() : 0;
}
int TBitmap::Height() const {
    return FBitmap ? FBitmap->Height() : 0;
}

void TBitmap::SetSize(int w, int h) {
    if (w == Width() && h == Height()) return;
    FBitmap->Resize(std::max(0, w), std::max(0, h));
    SelectObject(FDC, FBitmap); // the context sees the new size
    if (OnChange) OnChange(this);
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = new TBitmapCanvas(FDC);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const {
    if (TransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clNone;
    const DWord bgr = FBitmap->PixelBgr(0, Height() - 1);
    return static_cast<TColor>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
}

void TBitmap::SetTransparentColor(TColor c) {
    FTransparentColor = c;
    TransparentMode = tmFixed;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
    HDC dst = canvas.Handle();
    if (!dst || Empty()) return;
    if (FTransparent)
        TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), FDC, 0, 0, Width(), Height(),
                       static_cast<UINT>(Resolve(TransparentColor())));
    else
        StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), FDC, 0, 0, Width(), Height(), SRCCOPY);
}

void TBitmap::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
        if (b == this) return;
        SetSize(b->Width(), b->Height());
        BitBlt(FDC, 0, 0, Width(), Height(), b->FDC, 0, 0, SRCCOPY);
        FTransparent = b->FTransparent;
        TransparentMode = b->TransparentMode;
        FTransparentColor = b->FTransparentColor;
        if (OnChange) OnChange(this);
        return;
    }
    TPersistent::Assign(source);
}

bool TBitmap::LoadFromMemory(const void* data, std::size_t size) {
    BmpReadResult r = ReadBmp(data, size);
    if (!r.Bitmap) return false;
    SetSize(r.Bitmap->Width(), r.Bitmap->Height());
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, r.Bitmap);
    BitBlt(FDC, 0, 0, Width(), Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    DeleteObject(r.Bitmap);
    if (OnChange) OnChange(this);
    return true;
}

bool TBitmap::LoadFromFile(const String& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return LoadFromMemory(data.data(), data.size());
}

TIcon::~TIcon() {
    if (FHandle) DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON icon) {
    if (FHandle && FHandle != icon) DestroyIcon(FHandle);
    FHandle = icon;
    if (OnChange) OnChange(this);
}

int TIcon::Width() const {
    ICONINFO ii;
    if (!FHandle || !GetIconInfo(FHandle, &ii)) return 0;
    const int w = ii.hbmColor ? ii.hbmColor->Width() : (ii.hbmMask ? ii.hbmMask->Width() : 0);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return w;
}

int TIcon::Height() const {
    ICONINFO ii;
    if (!FHandle || !GetIconInfo(FHandle, &ii)) return 0;
    const int h = ii.hbmColor ? ii.hbmColor->Height() : (ii.hbmMask ? ii.hbmMask->Height() : 0);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return h;
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) {
    if (FHandle && canvas.Handle())
        DrawIconEx(canvas.Handle(), r.Left, r.Top, FHandle, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::Assign(const TPersistent& source) {
    if (auto* i = dynamic_cast<const TIcon*>(&source)) {
        if (i == this) return;
        ICONINFO ii;
        if (i->FHandle && GetIconInfo(i->FHandle, &ii)) {
            SetHandle(CreateIconIndirect(&ii));
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        } else {
            SetHandle(nullptr);
        }
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vd
