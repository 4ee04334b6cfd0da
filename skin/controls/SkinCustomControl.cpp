#include "skin/controls/SkinCustomControl.h"

#include "platform/gfx/Gdi.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/store/SkinBitmap.h"

namespace vd {

void TskSkinCustomControl::CreateControlSkinImage(TBitmap& Bitmap) {
    // A framed face comes in pieces from PaintFramed, around the control's own top picture.
    if (FFace.SkinResizeKind == 1 && FForceBackground) return;
    TskSkinCustomBase::CreateControlSkinImage(Bitmap);
}

namespace {

std::optional<TskRegion> CreateControlRegion(TskSkinFace& face, int w, int h) {
    face.CalcSize(w, h);
    const TskBitmap& mask = *face.MaskBitmap;
    TskSkinCorners old = face.Corners();
    const int dw = w - face.skinrect.Width(), dh = h - face.skinrect.Height();
    switch (face.SkinResizeKind) {
    case 0:
        return RegionFromMaskBitmap(mask);
    case 1:
        return BuildSkinRegion(old, FitSkinCorners(old, face.skinrect, w, h), w, mask);
    case 2: {
        old.LeftBottom = old.LeftTop;
        old.RightBottom = old.RightTop;
        TskSkinCorners neu = old;
        neu.RightTop.X += dw;
        neu.RightBottom.X += dw;
        neu.Client.Right += dw;
        return BuildSkinRegion(old, neu, w, mask);
    }
    case 3: {
        old.RightTop = old.LeftTop;
        old.RightBottom = old.LeftBottom;
        TskSkinCorners neu = old;
        neu.LeftBottom.Y += dh;
        neu.RightBottom.Y += dh;
        neu.Client.Bottom += dh;
        return BuildSkinRegion(old, neu, w, mask);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

void TskSkinCustomControl::SetControlRegion() {
    if (!HandleAllocated()) return;
    const bool wanted = FSkinIndex != -1 && FFace.MaskBitmap && !FFace.MaskBitmap->Empty();
    const std::optional<TskRegion> region =
        wanted ? CreateControlRegion(FFace, Width(), Height()) : std::nullopt;
    if (!region) {
        // No shape for this size: the whole window shows, never the shape of an earlier size.
        if (FRegionSet) {
            SetWindowRgn(WindowHandle(), nullptr, TRUE);
            FRegionSet = false;
        }
        return;
    }
    UniqueRegion handle = CreateSkinRegionHandle(*region);
    // The window keeps its own reference; ours goes with the handle, and the control never
    // deletes a region it gave away.
    SetWindowRgn(WindowHandle(), handle.Get(), TRUE);
    FRegionSet = true;
}

void TskSkinCustomControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    int w = Width(), h = Height();
    FFace.CalcSize(w, h);
    if (FSkinIndex != -1 && FForceBackground && FFace.SkinResizeKind == 1)
        PaintFramed();
    else
        TskSkinCustomBase::Paint();
}

void TskSkinCustomControl::PaintFramed() {
    const TskBitmap& src = *FFace.SkinBitmap;
    const TskSkinCorners old = FFace.Corners();
    const TskSkinCorners neu = FitSkinCorners(old, FFace.skinrect, Width(), Height());
    TskBitmap top, bottom, left, right;
    SplitSkinBorderPictures(old, neu, src, FFace.skinrect, Width(), Height(), top, bottom, left, right,
                            FFace.Stretch());
    TBitmap topBmp(top.Width(), top.Height());
    DrawSkin(topBmp.Canvas(), 0, 0, top);
    CreateControlSkinImage(topBmp);
    TCanvas& c = Canvas();
    const TRect& cr = FFace.CurClientRect;
    if (FDrawBackground) {
        const TRect piece{
            FFace.skinrect.Left + FFace.clientrect.Left, FFace.skinrect.Top + FFace.clientrect.Top,
            FFace.skinrect.Left + FFace.clientrect.Right, FFace.skinrect.Top + FFace.clientrect.Bottom};
        const int pw = piece.Width(), ph = piece.Height();
        if (pw <= 0 || ph <= 0) {
            // An empty client piece cannot be tiled: the client area gets the plain fill.
            FillColor(c, cr, clBtnFace);
        } else {
            TskBitmap tile = CutSkin(src, piece);
            SaveGuard save(c.Handle());
            IntersectClipRect(c.Handle(), cr.Left, cr.Top, cr.Right, cr.Bottom);
            for (int i = 0; i <= cr.Width() / pw; ++i)
                for (int j = 0; j <= cr.Height() / ph; ++j)
                    DrawSkin(c, cr.Left + i * pw, cr.Top + j * ph, tile);
        }
    }
    c.Draw(0, 0, &topBmp);
    DrawSkin(c, 0, top.Height(), left);
    DrawSkin(c, Width() - right.Width(), top.Height(), right);
    DrawSkin(c, 0, Height() - bottom.Height(), bottom);
}

} // namespace vd
