#include "skin/form/frame/FrameGeometry.h"

#include "platform/gfx/Gdi.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinFormHelpers.h"

namespace vd {

using namespace frameparts;

void TskFrameGeometry::TakeFormSize() {
    FWidth = FFrame.Form()->Width();
    FHeight = FFrame.Form()->Height();
}

void TskFrameGeometry::ClearRegion() {
    TCustomForm* form = FFrame.Form();
    if (FRegionSet && form->HandleAllocated()) SetWindowRgn(form->WindowHandle(), nullptr, TRUE);
    FRegionSet = false;
    FShape.reset();
}

void TskFrameGeometry::CalcMetrics() {
    if (!FFrame.SkinInUse()) return;
    if (FWidth == 0 && FHeight == 0) {
        FWidth = FFrame.Form()->Width();
        FHeight = FFrame.Form()->Height();
    }
    const TskSkinData& s = *FFrame.SkinData();
    const int pw = s.Picture.Width(), ph = s.Picture.Height();
    const int dx = FWidth - pw, dy = FHeight - ph;
    TskFrameMetrics& m = FMetrics;
    m.LeftTop = s.lefttoppoint;
    m.RightTop = {s.righttoppoint.X + dx, s.righttoppoint.Y};
    m.LeftBottom = {s.leftbottompoint.X, s.leftbottompoint.Y + dy};
    m.RightBottom = {s.rightbottompoint.X + dx, s.rightbottompoint.Y + dy};
    m.ClientRect = {s.clientrect.Left, s.clientrect.Top, s.clientrect.Right + dx, s.clientrect.Bottom + dy};
    m.CaptionRect = s.captionrect;
    if (!IsEmptySkinRect(m.CaptionRect)) m.CaptionRect.Right += dx;
    m.ButtonsRect = s.buttonsrect;
    if (s.buttonsrect.Left >= pw / 2) {
        m.ButtonsRect.Left += dx;
        m.ButtonsRect.Right += dx;
    }
    m.ButtonsOffset = s.buttonsoffset;
    m.ButtonsInLeft = s.buttonsinleft;
    m.HitLeftTop = s.hittestlefttoppoint;
    m.HitRightTop = {s.hittestrighttoppoint.X + dx, s.hittestrighttoppoint.Y};
    m.HitLeftBottom = {s.hittestleftbottompoint.X, s.hittestleftbottompoint.Y + dy};
    m.HitRightBottom = {s.hittestrightbottompoint.X + dx, s.hittestrightbottompoint.Y + dy};
    m.MaskArea = {s.maskrectarea.Left, s.maskrectarea.Top, s.maskrectarea.Right + dx,
                  s.maskrectarea.Bottom + dy};
}

TRect TskFrameGeometry::MapSkinRect(const TRect& r) const {
    if (!FFrame.SkinInUse()) return r;
    const TskSkinData& s = *FFrame.SkinData();
    const int pw = s.Picture.Width(), ph = s.Picture.Height();
    const int dx = FWidth - pw, dy = FHeight - ph;
    const TRect lt{0, 0, s.lefttoppoint.X, s.lefttoppoint.Y};
    const TRect rt{s.righttoppoint.X, 0, pw, s.righttoppoint.Y};
    const TRect lb{0, s.leftbottompoint.Y, s.leftbottompoint.X, ph};
    const TRect rb{s.rightbottompoint.X, s.rightbottompoint.Y, pw, ph};
    auto in = [](const TRect& area, TPoint p) { return PointInRectIncl(area, p); };
    const TPoint a = r.TopLeft(), b = r.BottomRight();
    TRect o = r;
    auto move = [&](int x, int y) {
        o.Left += x;
        o.Right += x;
        o.Top += y;
        o.Bottom += y;
    };
    if (in(lt, a) && in(lt, b)) return o;
    if (in(rt, a) && in(rt, b)) {
        move(dx, 0);
    } else if (in(lb, a) && in(lb, b)) {
        move(0, dy);
    } else if (in(rb, a) && in(rb, b)) {
        move(dx, dy);
    } else if (in(lt, a) && in(rb, b)) {
        o.Right += dx;
        o.Bottom += dy;
    } else if (in(lt, a) && in(rt, b)) {
        o.Right += dx;
    } else if (in(lb, a) && in(rb, b)) {
        move(0, dy);
        o.Right += dx;
    } else if (in(lt, a) && in(lb, b)) {
        o.Bottom += dy;
    } else if (in(rt, a) && in(rb, b)) {
        move(dx, 0);
        o.Bottom += dy;
    }
    return o;
}

bool TskFrameGeometry::PtInSkinShape(TPoint p) const {
    if (Inside(FMetrics.MaskArea, p)) return true;
    return FShape && FShape->Contains(p.X, p.Y);
}

int TskFrameGeometry::HitTest(TPoint p) {
    if (!FFrame.SkinInUse()) return HitTestDefault(p);
    CalcMetrics();
    return HitTestSkin(p);
}

int TskFrameGeometry::HitTestSkin(TPoint p) const {
    const TskFrameMetrics& m = FMetrics;
    const TRect& cl = m.ClientRect;
    const int state = FFrame.WindowState();
    if (FFrame.RolledUp() || state == skwsMinimized)
        return FFrame.FObjects->OverCaption(p) ? HTCAPTION : HTOBJECT;
    const TskActiveSkinObject* hot = FFrame.HotObject();
    if (hot && !dynamic_cast<const TskSkinCaptionObject*>(hot) && !FFrame.FObjects->OverCaption(p) &&
        !Inside(cl, p) && !FFrame.FStates->InSizeMove())
        return HTOBJECT;
    auto notAtEdge = [&] {
        if (Inside(cl, p)) return HTCLIENT;
        return FFrame.FObjects->OverCaption(p) ? HTCAPTION : HTOBJECT;
    };
    if (state == skwsMaximized || !FFrame.Sizeable()) return notAtEdge();
    const int b = FFrame.SkinData()->borderwidth;
    const TPoint probes[4] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    bool edge = false;
    if (FFrame.SkinData()->Mask.Empty()) {
        const TRect all{0, 0, FWidth, FHeight};
        for (const TPoint& q : probes)
            if (!Inside(all, q)) edge = true;
    } else if (!Inside(m.MaskArea, p)) {
        for (const TPoint& q : probes)
            if (!PtInSkinShape(q)) edge = true;
    }
    if (!edge) return notAtEdge();
    if (p.X <= m.HitLeftTop.X && p.Y <= m.HitLeftTop.Y) return HTTOPLEFT;
    if (p.X >= m.HitRightTop.X && p.Y <= m.HitRightTop.Y) return HTTOPRIGHT;
    if (p.X <= m.HitLeftBottom.X && p.Y >= m.HitLeftBottom.Y) return HTBOTTOMLEFT;
    if (p.X >= m.HitRightBottom.X && p.Y >= m.HitRightBottom.Y) return HTBOTTOMRIGHT;
    if (Inside({m.HitLeftTop.X, 0, m.HitRightTop.X, cl.Top}, p)) return HTTOP;
    if (Inside({m.HitLeftBottom.X, cl.Bottom, m.HitRightBottom.X, FHeight}, p)) return HTBOTTOM;
    if (Inside({0, m.HitLeftTop.Y, cl.Left, m.HitLeftBottom.Y}, p)) return HTLEFT;
    if (Inside({cl.Right, m.HitRightTop.Y, FWidth, m.HitRightBottom.Y}, p)) return HTRIGHT;
    return notAtEdge();
}

int TskFrameGeometry::HitTestDefault(TPoint p) const {
    const int w = FFrame.Form()->Width(), h = FFrame.Form()->Height(), ch = FFrame.CaptionHeight();
    const TRect client{3, ch + 3, w - 3, h - 3};
    auto plain = [&] {
        if (Inside(FFrame.FObjects->DefaultCaptionRect(), p)) return HTCAPTION;
        if (Inside(client, p)) return HTCLIENT;
        return HTOBJECT;
    };
    if (FFrame.WindowState() != skwsNormal || FFrame.RolledUp() || !FFrame.Sizeable()) return plain();
    if (FFrame.HotObject()) return HTOBJECT;
    // Three columns and rows count as the left and top edges, two as the right and bottom ones.
    if (p.X <= 2 && p.Y <= 2) return HTTOPLEFT;
    if (p.X >= w - 2 && p.Y <= 2) return HTTOPRIGHT;
    if (p.X <= 2 && p.Y >= h - 2) return HTBOTTOMLEFT;
    if (p.X >= w - 2 && p.Y >= h - 2) return HTBOTTOMRIGHT;
    if (p.Y <= 2) return HTTOP;
    if (p.X <= 2) return HTLEFT;
    if (p.Y >= h - 2) return HTBOTTOM;
    if (p.X >= w - 2) return HTRIGHT;
    return plain();
}

void TskFrameGeometry::UpdateRegion(bool Relayout) {
    if ((FFrame.ComponentState() & csDesigning) || !FFrame.SkinInUse() || !FFrame.Form()->HandleAllocated())
        return;
    CalcMetrics();
    if (Relayout) FFrame.LayoutObjects();
    HWND h = FFrame.Form()->WindowHandle();
    const TskSkinData& s = *FFrame.SkinData();
    const bool none = !FFrame.HasBorder() || (FFrame.IsMaximizedChild()) || s.Mask.Empty();
    std::optional<TskRegion> shape;
    // The masks are always composed for the current size, so the region fits the window.
    if (!none) shape = BuildSkinRegion(SkinCorners(s), FrameCorners(FMetrics), FWidth, s.Mask);
    if (shape && !IsEmptySkinRect(FMetrics.MaskArea)) shape->AddRect(FMetrics.MaskArea);
    if (!shape) {
        ClearRegion();
        FFrame.FrameRepaint();
        return;
    }
    UniqueRegion rgn = CreateSkinRegionHandle(*shape);
    FShape = std::move(shape);
    // The window keeps its own reference to the region.
    SetWindowRgn(h, rgn.Get(), TRUE);
    FRegionSet = true;
}

} // namespace vd
