#include "skin/form/frame/SkinForm.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/frame/SkinFormMDI.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>

namespace vd {

using namespace frameparts;

// ---- sizes and geometry

bool TskSkinForm::HasBorder() const {
    return FForm && FForm->BorderStyle() != bsNone;
}

bool TskSkinForm::Sizeable() const {
    return FForm && (FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin);
}

int TskSkinForm::CaptionHeight() const {
    const bool tool =
        FForm && (FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin);
    return tool ? 15 : 19;
}

int TskSkinForm::DefaultButtonSize() const {
    const bool tool =
        FForm && (FForm->BorderStyle() == bsToolWindow || FForm->BorderStyle() == bsSizeToolWin);
    return tool ? 13 : 17;
}

int TskSkinForm::GetMinWidth() const {
    if (!FSkinInUse) return MinWidth > 0 ? MinWidth : 120;
    const int pw = FSkinData->Picture.Width();
    if (pw < MinWidth && WindowState() != skwsMinimized) return MinWidth;
    if (FSkinData->formminwidth > 0) return FSkinData->formminwidth;
    return pw;
}

int TskSkinForm::GetMinHeight() const {
    const int frame =
        FSkinInUse ? FSkinData->Picture.Height() - FSkinData->clientrect.Height() : CaptionHeight() + 6;
    if (MinHeight > frame && !RolledUp() && WindowState() != skwsMinimized) return MinHeight;
    return frame;
}

TRect TskSkinForm::WorkAreaOfForm(bool workArea) const {
    TRect r;
    DesktopWorkArea(workArea, r);
    if (FForm && FForm->HandleAllocated()) WindowWorkArea(FForm->WindowHandle(), workArea, r);
    return r;
}

int TskSkinForm::GetMaxWidth() const {
    const int w = WorkAreaOfForm(!MaximizeOnFullScreen).Width();
    return MaxWidth != 0 ? IntMin(w, MaxWidth) : w;
}

int TskSkinForm::GetMaxHeight() const {
    const int h = WorkAreaOfForm(!MaximizeOnFullScreen).Height();
    return MaxHeight != 0 ? IntMin(h, MaxHeight) : h;
}

void TskSkinForm::CalcFrameMetrics() {
    if (!FSkinInUse) return;
    if (FWidth == 0 && FHeight == 0) {
        FWidth = FForm->Width();
        FHeight = FForm->Height();
    }
    const TskSkinData& s = *FSkinData;
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

TRect TskSkinForm::MapSkinRect(const TRect& r) const {
    if (!FSkinInUse) return r;
    const TskSkinData& s = *FSkinData;
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

// The button row: close, maximize, minimize, roll-up, tray, then the custom ones; the
// system-menu button apart.
std::vector<TskActiveSkinObject*> TskSkinForm::ButtonRow(TskActiveSkinObject*& SysMenu) const {
    std::vector<TskActiveSkinObject*> row;
    auto rowMember = [](TskActiveSkinObject* o) {
        return o->skinrectinapicture && o->Visible && o->Command() >= 0;
    };
    for (int cmd : {int(cmClose), int(cmMaximize), int(cmMinimize), int(cmRollUp), int(cmMinimizeToTray)})
        for (auto& o : FObjects)
            if (rowMember(o.get()) && o->Command() == cmd) {
                row.push_back(o.get());
                break;
            }
    for (auto& o : FObjects)
        if (rowMember(o.get()) && o->Command() == cmDefault) row.push_back(o.get());
    SysMenu = nullptr;
    for (auto& o : FObjects)
        if (rowMember(o.get()) && o->Command() == cmSysMenu) {
            SysMenu = o.get();
            break;
        }
    return row;
}

void TskSkinForm::LayoutObjects() {
    if (!FSkinInUse) {
        LayoutDefaultButtons();
        return;
    }
    CalcFrameMetrics();
    const TskFrameMetrics& m = FMetrics;
    TskSkinCaptionObject* caption = nullptr;
    TskActiveSkinObject* sysMenu = nullptr;
    for (auto& o : FObjects) {
        if (!caption)
            if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get())) caption = c;
        if (!o->skinrectinapicture) o->ObjectRect = MapSkinRect(o->skinrect);
    }
    std::vector<TskActiveSkinObject*> row = ButtonRow(sysMenu);
    const bool useButtons = !IsEmptySkinRect(m.ButtonsRect);
    const TRect area = useButtons ? m.ButtonsRect : m.CaptionRect;
    if (IsEmptySkinRect(area)) return;
    auto sizeOf = [this](TskActiveSkinObject* o) {
        if (o->Command() == cmSysMenu && FShowIcon) return TSize{SmallIconWidth(), SmallIconHeight()};
        return TSize{o->skinrect.Width(), o->skinrect.Height()};
    };
    if (!m.ButtonsInLeft) {
        int x = area.Right;
        TskActiveSkinObject* last = nullptr;
        for (TskActiveSkinObject* o : row) {
            const TSize sz = sizeOf(o);
            o->ObjectRect = {x - sz.cx, area.Top, x, area.Top + sz.cy};
            x -= sz.cx + m.ButtonsOffset;
            last = o;
        }
        if (!useButtons && caption && last) caption->ObjectRect.Right = last->ObjectRect.Left;
        if (sysMenu) {
            const TSize sz = sizeOf(sysMenu);
            const int top = m.CaptionRect.Top + m.CaptionRect.Height() / 2 - sz.cy / 2;
            sysMenu->ObjectRect = {m.CaptionRect.Left, top, m.CaptionRect.Left + sz.cx, top + sz.cy};
            if (caption) caption->ObjectRect.Left = sysMenu->ObjectRect.Right;
        }
    } else {
        if (!useButtons && sysMenu) row.push_back(sysMenu);
        int x = area.Left;
        TskActiveSkinObject* last = nullptr;
        for (TskActiveSkinObject* o : row) {
            const TSize sz = sizeOf(o);
            o->ObjectRect = {x, area.Top, x + sz.cx, area.Top + sz.cy};
            x += sz.cx + m.ButtonsOffset;
            last = o;
        }
        if (!useButtons && caption && last)
            caption->ObjectRect.Left = last->ObjectRect.Right + 2 * m.ButtonsOffset;
    }
}

void TskSkinForm::LayoutDefaultButtons() {
    const int w = FForm->Width(), ch = CaptionHeight(), bs = DefaultButtonSize();
    int x = w - 3;
    for (int cmd : {int(cmClose), int(cmMaximize), int(cmMinimize), int(cmRollUp), int(cmMinimizeToTray)})
        for (auto& o : FObjects)
            if (o->Visible && o->Command() == cmd) {
                o->ObjectRect = {x - bs, 4, x, 4 + bs};
                x -= bs;
                break;
            }
    (void)ch;
    for (auto& o : FObjects)
        if (o->Command() == cmSysMenu) {
            const int sw = FShowIcon ? SmallIconWidth() : bs, sh = FShowIcon ? SmallIconHeight() : bs;
            o->ObjectRect = {3, 4, 3 + sw, 4 + sh};
            break;
        }
}

TRect TskSkinForm::DefaultCaptionRect() const {
    TRect r{3, 3, FForm->Width() - 3, CaptionHeight()};
    for (auto& o : FObjects) {
        if (!o->Visible) continue;
        if (o->Command() == cmSysMenu)
            r.Left = IntMax(r.Left, o->ObjectRect.Right);
        else if (o->Command() >= 0 && o->ObjectRect.Left > FForm->Width() / 2)
            r.Right = IntMin(r.Right, o->ObjectRect.Left);
    }
    return r;
}

TPoint TskSkinForm::ScreenToFrame(TPoint screen) const {
    if (!FForm || !FForm->HandleAllocated()) return screen;
    TRect wr;
    GetWindowRect(FForm->WindowHandle(), wr);
    return {screen.X - wr.Left, screen.Y - wr.Top};
}

TRect TskSkinForm::FrameToScreen(const TRect& r) const {
    if (!FForm || !FForm->HandleAllocated()) return r;
    TRect wr;
    GetWindowRect(FForm->WindowHandle(), wr);
    return {r.Left + wr.Left, r.Top + wr.Top, r.Right + wr.Left, r.Bottom + wr.Top};
}

// ---- hit tests

bool TskSkinForm::OverCaption(TPoint p) const {
    bool caption = false;
    for (auto& o : FObjects) {
        if (!o->Visible || !Inside(o->ObjectRect, p)) continue;
        // A button drawn over the caption strip takes the point: it must stay pressable.
        if (!dynamic_cast<TskSkinCaptionObject*>(o.get())) {
            if (o->Enabled) return false;
        } else {
            caption = true;
        }
    }
    return caption;
}

bool TskSkinForm::PtInSkinShape(TPoint p) const {
    if (Inside(FMetrics.MaskArea, p)) return true;
    return FShape && FShape->Contains(p.X, p.Y);
}

int TskSkinForm::HitTest(TPoint p) {
    if (!FSkinInUse) return HitTestDefault(p);
    CalcFrameMetrics();
    return HitTestSkin(p);
}

int TskSkinForm::HitTestSkin(TPoint p) const {
    const TskFrameMetrics& m = FMetrics;
    const TRect& cl = m.ClientRect;
    const int state = WindowState();
    if (RolledUp() || state == skwsMinimized) return OverCaption(p) ? HTCAPTION : HTOBJECT;
    const TskActiveSkinObject* hot = HotObject();
    if (hot && !dynamic_cast<const TskSkinCaptionObject*>(hot) && !OverCaption(p) && !Inside(cl, p) &&
        !FStates->InSizeMove())
        return HTOBJECT;
    auto notAtEdge = [&] {
        if (Inside(cl, p)) return HTCLIENT;
        return OverCaption(p) ? HTCAPTION : HTOBJECT;
    };
    if (state == skwsMaximized || !Sizeable()) return notAtEdge();
    const int b = FSkinData->borderwidth;
    const TPoint probes[4] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    bool edge = false;
    if (FSkinData->Mask.Empty()) {
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

int TskSkinForm::HitTestDefault(TPoint p) const {
    const int w = FForm->Width(), h = FForm->Height(), ch = CaptionHeight();
    const TRect client{3, ch + 3, w - 3, h - 3};
    auto plain = [&] {
        if (Inside(DefaultCaptionRect(), p)) return HTCAPTION;
        if (Inside(client, p)) return HTCLIENT;
        return HTOBJECT;
    };
    if (WindowState() != skwsNormal || RolledUp() || !Sizeable()) return plain();
    if (HotObject()) return HTOBJECT;
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

} // namespace vd
