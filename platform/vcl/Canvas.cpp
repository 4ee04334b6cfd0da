#include "platform/vcl/Canvas.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Graphic.h"
#include "platform/vcl/GraphicsHandles.h"

namespace vd {

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
    SetTextColor(FHandle, vclgfx::Resolve(FFont.Color()));
    SetBkColor(FHandle, vclgfx::Resolve(FBrush.Color));
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

void TCanvas::Polygon(const TPoint* points, int count) {
    RequiredState();
    ::vd::Polygon(FHandle, points, count);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequiredState();
    ::vd::Ellipse(FHandle, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
    RequiredState();
    ::vd::RoundRect(FHandle, x1, y1, x2, y2, cornerW, cornerH);
}

TRect TCanvas::ClipRect() {
    RequiredState();
    TRect r{};
    if (FHandle) GetClipBox(FHandle, &r);
    return r;
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
    ::vd::SetPixel(FHandle, x, y, vclgfx::Resolve(color));
}

} // namespace vd
