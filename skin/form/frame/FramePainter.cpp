#include "skin/form/frame/FramePainter.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Icon.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/FrameGeometry.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"

namespace vd {

using namespace frameparts;

namespace {

COLORREF Rgb(TColor c) {
    return COLORREF(ColorToRGB(c)) & 0xFFFFFF;
}

void Fill(HDC dc, const TRect& r, TColor c) {
    UniqueBrush b(CreateSolidBrush(Rgb(c)));
    FillRect(dc, &r, b.Get());
}

// A context with its own bitmap, for painting off screen.
class TOffscreen {
public:
    explicit TOffscreen(const TskBitmap& picture)
        : FBitmap(CreateSkinBitmapHandle(picture)), FDC(CreateCompatibleDC(nullptr)), FW(picture.Width()),
          FH(picture.Height()) {
        if (FBitmap && FDC) FOld = SelectObject(FDC.Get(), FBitmap.Get());
    }
    ~TOffscreen() {
        if (FOld) SelectObject(FDC.Get(), FOld);
    }
    TOffscreen(const TOffscreen&) = delete;
    TOffscreen& operator=(const TOffscreen&) = delete;
    HDC DC() const { return FOld ? FDC.Get() : nullptr; }
    HBITMAP Bitmap() const { return FBitmap.Get(); }
    int Width() const { return FW; }
    int Height() const { return FH; }

private:
    UniqueBitmap FBitmap;
    UniqueDC FDC;
    int FW, FH;
    HGDIOBJ FOld = nullptr;
};

// Tiles Src of Picture over R of the context from R's top-left corner.
void TileOver(HDC dc, const TRect& r, const TskBitmap& picture, const TRect& src) {
    const int tw = src.Width(), th = src.Height();
    if (tw <= 0 || th <= 0) return;
    TskBitmap tile(tw, th);
    CopyRect(tile, {0, 0, tw, th}, picture, src);
    UniqueBitmap bmp = CreateSkinBitmapHandle(tile);
    UniqueDC mem(CreateCompatibleDC(nullptr));
    if (!bmp || !mem) return;
    SelectGuard guard(mem.Get(), bmp.Get());
    const int nx = r.Width() / tw + 1, ny = r.Height() / th + 1;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            BitBlt(dc, r.Left + i * tw, r.Top + j * th, tw, th, mem.Get(), 0, 0, SRCCOPY);
}

} // namespace

TskFramePainter::TskFramePainter(TskSkinForm& Frame) : FFrame(Frame) {
    SetDefaultFace(FCaptionFont, fsBold);
    FCaptionFont.SetColor(clBtnText);
    FInactiveCaptionFont.Assign(FCaptionFont);
    FInactiveCaptionFont.SetColor(clBtnShadow);
}

TCustomForm* TskFramePainter::Form() const {
    return FFrame.Form();
}

void TskFramePainter::Repaint() {
    if (Form() && Form()->HandleAllocated()) SendMessage(Form()->WindowHandle(), WM_NCPAINT, 1, 0);
}

int TskFramePainter::SmallIconWidth() {
    const int w = GetSystemMetrics(SM_CXSMICON);
    return w > 0 ? w : GetSystemMetrics(SM_CXSIZE);
}

int TskFramePainter::SmallIconHeight() {
    const int h = GetSystemMetrics(SM_CYSMICON);
    return h > 0 ? h : GetSystemMetrics(SM_CYSIZE);
}

HICON TskFramePainter::SmallFormIcon() const {
    // The form's icon, else the program's, else the system's.
    if (Form() && Form()->Icon() && !Form()->Icon()->Empty()) return Form()->Icon()->Handle();
    if (Application && !Application->Icon().Empty()) return Application->Icon().Handle();
    return LoadIcon(nullptr, IDI_APPLICATION);
}

void TskFramePainter::PaintSkin(HDC dc) {
    if (!FFrame.SkinInUse() || !Form()->HandleAllocated()) return;
    const int width = FFrame.FGeometry->Width(), height = FFrame.FGeometry->Height();
    if (width < FFrame.GetMinWidth() || height < FFrame.GetMinHeight()) return;
    FFrame.CalcFrameMetrics();
    const TskFrameMetrics& metrics = FFrame.FGeometry->Metrics();
    FFrame.LayoutObjects();
    const TskSkinData& s = *FFrame.SkinData();
    const bool active = FFrame.IsFormActive();
    const TskBitmap& source = !active && !s.InactivePicture.Empty() ? s.InactivePicture : s.Picture;
    const TRect skinRect{0, 0, s.Picture.Width(), s.Picture.Height()};
    TskBitmap top, bottom, left, right;
    SplitSkinBorderPictures(SkinCorners(s), FrameCorners(metrics), source, skinRect, width, height, top,
                            bottom, left, right,
                            {s.leftstretch, s.topstretch, s.rightstretch, s.bottomstretch});
    HWND h = Form()->WindowHandle();
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(h);
    if (!dc) return;
    {
        SaveGuard save(dc);
        const TRect& cl = metrics.ClientRect;
        ExcludeClipRect(dc, cl.Left, cl.Top, cl.Right, cl.Bottom);
        const bool effect = !active && s.autorenderinginactiveimage;
        auto border = [&](const TskBitmap& b, int x, int y, int objects, int dy) {
            if (b.Empty()) return;
            TOffscreen off(b);
            if (!off.DC()) return;
            if (objects != 0) FFrame.FObjects->DrawOn(off.DC(), dy, objects > 0);
            if (effect) {
                TskEffectBmp e = TskEffectBmp::CreateFromBitmapHandle(off.Bitmap());
                e.ApplyImageEffect(s.inactiveeffect);
                e.Draw(dc, x, y);
            } else {
                BitBlt(dc, x, y, off.Width(), off.Height(), off.DC(), 0, 0, SRCCOPY);
            }
        };
        border(top, 0, 0, 1, 0);
        border(left, 0, top.Height(), 0, 0);
        border(right, width - right.Width(), top.Height(), 0, 0);
        border(bottom, 0, height - bottom.Height(), -1, cl.Bottom);
    }
    if (own) ReleaseDC(h, dc);
}

// The caption text in the default look, centred over its grooves.
void TskFramePainter::DrawDefaultCaption(HDC c, int l, int space, int ch) {
    String text = Form()->Caption();
    if (Form()->FormStyle() == fsMDIForm)
        if (TskSkinForm* child = GetMaximizedChildSkinForm()) text += " - [" + child->Form()->Caption() + "]";
    TFont font;
    font.Assign(FFrame.IsFormActive() ? FCaptionFont : FInactiveCaptionFont);
    if (FFrame.SkinData() && FFrame.SkinData()->ResourceStrData())
        font.SetCharset(FFrame.SkinData()->ResourceStrData()->CharSet());
    SelectGuard fontGuard(c, font.Handle());
    FitWideTextToWidth(c, text, space);
    if (!text.empty() && space > 0) {
        const int tw = WideTextWidth(c, text), th = WideTextHeight(c, text);
        const int x = l + space / 2 - (tw + 5) / 2, y = ch / 2 - th / 2;
        TRect tr{x - 2, y - 2, x + tw + 2, y + th + 2};
        Fill(c, tr, clBtnFace);
        SetBkMode(c, TRANSPARENT);
        SetTextColor(c, Rgb(font.Color()));
        TRect at{x, y, x + tw, y + th};
        DrawTextWide(c, text, at, DT_NOPREFIX | DT_SINGLELINE);
    }
}

void TskFramePainter::PaintDefault(HDC dc) {
    if (!Form()->HandleAllocated() || !FFrame.HasBorder()) return;
    if (FFrame.SkinData() && FFrame.SkinData()->Changing()) return;
    const int w = Form()->Width(), h = Form()->Height(), ch = FFrame.CaptionHeight();
    if (w <= 6 || h <= 6) return;
    if (FFrame.FObjects->Objects().empty()) FFrame.FObjects->CreateDefaultButtons();
    FFrame.FObjects->LayoutDefaultButtons();
    const TRect cap = FFrame.FObjects->DefaultCaptionRect();
    HWND hwnd = Form()->WindowHandle();
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(hwnd);
    if (!dc) return;
    {
        TskBitmap plain(w - 6, ch);
        TOffscreen off(plain);
        if (HDC c = off.DC()) {
            Fill(c, {0, 0, w - 6, ch}, clBtnFace);
            const int l = cap.Left - 3, r = cap.Right - 3;
            for (int y = 2; y <= ch - 4; ++y) {
                UniquePen pen(CreatePen(PS_SOLID, 1, Rgb((y - 2) % 2 == 0 ? clBtnHighlight : clBtnShadow)));
                SelectGuard g(c, pen.Get());
                MoveToEx(c, l, y, nullptr);
                LineTo(c, r, y);
            }
            DrawDefaultCaption(c, l, r - l, ch);
            for (auto& o : FFrame.FObjects->Objects()) {
                if (!o->Visible) continue;
                SaveGuard save(c);
                SetViewportOrgEx(c, -3, -3, nullptr);
                o->Draw(c, true);
            }
            SaveGuard save(dc);
            const int top = ch + 3;
            ExcludeClipRect(dc, 3, top, w - 3, h - 3);
            BitBlt(dc, 3, 3, w - 6, ch, c, 0, 0, SRCCOPY);
            // The strip between the caption and the client area.
            Fill(dc, {3, 3 + ch, w - 3, top}, clBtnFace);
            TRect ring{0, 0, w, h};
            const TColor colours[3][2] = {
                {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, {clBtnFace, clBtnFace}};
            for (const auto& c2 : colours) {
                DrawFrame3D(dc, ring, TskColor(Rgb(c2[0])), TskColor(Rgb(c2[1])));
                ring = {ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
            }
        }
    }
    if (own) ReleaseDC(hwnd, dc);
}

void TskFramePainter::PaintBackground(HDC dc, const TRect& client) {
    if (FFrame.SkinInUse()) {
        const TskSkinData& s = *FFrame.SkinData();
        if (s.bgpictureindex == -1) {
            if (!IsEmptySkinRect(s.clientrect) && !s.Picture.Empty()) {
                TileOver(dc, client, s.Picture, s.clientrect);
                return;
            }
        } else if (const TskBitmap* bg = s.ActivePicture(s.bgpictureindex); bg && !bg->Empty()) {
            TileOver(dc, client, *bg, {0, 0, bg->Width(), bg->Height()});
            return;
        }
    }
    // No skin, or a missing or empty tile: the plain face.
    Fill(dc, client, clBtnFace);
}

void TskFramePainter::DrawLogo(HDC dc, const TRect& client) {
    if (FLogo.Empty()) return;
    const int x = IntMax(0, client.Width() - FLogo.Width()), y = IntMax(0, client.Height() - FLogo.Height());
    if (FFrame.LogoBitMapTransparent) {
        TransparentBlt(dc, x, y, FLogo.Width(), FLogo.Height(), FLogo.Canvas().Handle(), 0, 0, FLogo.Width(),
                       FLogo.Height(), UINT(Rgb(FLogo.TransparentColor())));
    } else {
        BitBlt(dc, x, y, FLogo.Width(), FLogo.Height(), FLogo.Canvas().Handle(), 0, 0, SRCCOPY);
    }
}

void TskFramePainter::PaintClient(HDC dc) {
    if (!dc || !Form()) return;
    const TRect client{0, 0, Form()->ClientWidth(), Form()->ClientHeight()};
    PaintBackground(dc, client);
    DrawLogo(dc, client);
}

void TskFramePainter::PaintMDIClient(HDC dc) {
    if (!dc || !Form() || !Form()->ClientHandle()) return;
    const TRect client = GetClientRect(Form()->ClientHandle());
    bool filled = false;
    if (FFrame.SkinInUse()) {
        const TskSkinData& s = *FFrame.SkinData();
        if (s.mdibgpictureindex == -1) {
            PaintBackground(dc, client);
            filled = true;
        } else if (const TskBitmap* bg = s.ActivePicture(s.mdibgpictureindex); bg && !bg->Empty()) {
            TileOver(dc, client, *bg, {0, 0, bg->Width(), bg->Height()});
            filled = true;
        }
    }
    // No skin, or a wallpaper index that names no picture: the plain workspace.
    if (!filled) Fill(dc, client, clAppWorkSpace);
    DrawLogo(dc, client);
}

void TskFramePainter::DrawObject(TskActiveSkinObject* Object) {
    if (!Object || !Form() || !Form()->HandleAllocated() || !FFrame.HasBorder()) return;
    if (!IsWindowVisible(Form()->WindowHandle())) return;
    if (FFrame.IsMaximizedChild()) return;
    HWND h = Form()->WindowHandle();
    HDC dc = GetWindowDC(h);
    if (!dc) return;
    {
        SaveGuard save(dc);
        const TRect cl = FFrame.SkinInUse() ? FFrame.Metrics().ClientRect
                                            : TRect{3, FFrame.CaptionHeight() + 3, Form()->Width() - 3,
                                                    Form()->Height() - 3};
        ExcludeClipRect(dc, cl.Left, cl.Top, cl.Right, cl.Bottom);
        Object->Draw(dc, true);
    }
    ReleaseDC(h, dc);
}

} // namespace vd
