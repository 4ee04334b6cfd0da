#include "skin/form/frame/FrameFade.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/FrameMenuMode.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/FramePainter.h"
#include "skin/form/frame/FrameStates.h"
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
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/frame/SkinFormMDI.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace vd {

using namespace frameparts;

// ---- window procedure

void TskSkinForm::CallDefault(TMessage& Message) {
    if (FSavedWindowProc)
        FSavedWindowProc(Message);
    else if (FForm)
        FForm->WndProc(Message);
}

void TskSkinForm::FormWndProc(TMessage& Message) {
    PreWndProc(Message);
    if (!FMessageHooks.empty()) {
        // A copy: a hook may add or remove hooks.
        const auto hooks = FMessageHooks;
        for (const auto& [owner, hook] : hooks)
            hook(Message);
    }
    if (const TMessageHandler handler = FindHandler(Message.Msg); handler && handler(*this, Message)) return;
    CallDefault(Message);
    RouteNcMouse(Message);
}

// A handler answers true when it finished the message; false passes it on to the form's own
// procedure and then to the caption objects.
TskSkinForm::TMessageHandler TskSkinForm::FindHandler(UINT Msg) {
    using F = TskSkinForm;
    using M = TMessage;
    static const std::unordered_map<UINT, TMessageHandler> handlers = {
        {WM_NCCREATE, [](F& f, M& m) { return f.WMCreate(m); }},
        {WM_CREATE, [](F& f, M& m) { return f.WMCreate(m); }},
        {WM_DESTROY, [](F& f, M&) { return f.WMDestroy(); }},
        {WM_SIZE, [](F& f, M& m) { return f.WMSize(m), f.RouteNcMouse(m), true; }},
        {WM_ACTIVATE, [](F& f, M& m) { return f.WMActivate(m); }},
        {WM_SETTEXT, [](F& f, M& m) { return f.WMSetText(m); }},
        {WM_ERASEBKGND, [](F& f, M& m) { return f.WMEraseBkgnd(m); }},
        {WM_SHOWWINDOW, [](F& f, M& m) { return f.WMShowWindow(m), true; }},
        {WM_SETCURSOR, [](F& f, M& m) { return f.WMSetCursor(m); }},
        {WM_MOUSEACTIVATE, [](F& f, M&) { return f.WMMouseActivate(); }},
        {WM_GETMINMAXINFO, [](F& f, M& m) { return f.WMGetMinMaxInfo(m), true; }},
        {WM_NCCALCSIZE, [](F& f, M& m) { return f.NcCalcSize(m), true; }},
        {WM_NCHITTEST, [](F& f, M& m) { return f.WMNcHitTest(m); }},
        {WM_NCPAINT, [](F& f, M&) { return f.WMNcPaint(); }},
        {WM_NCACTIVATE, [](F& f, M& m) { return f.WMNcActivate(m), true; }},
        {WM_SYNCPAINT, [](F& f, M& m) { return f.WMSyncPaint(m); }},
        {WM_SYSCOMMAND, [](F& f, M& m) { return f.WMSysCommand(m); }},
        {WM_TIMER,
         [](F& f, M& m) { return (m.WParam == 1 || m.WParam == 2) && (f.FFade->Timer(m.WParam), true); }},
        {WM_SIZING, [](F& f, M& m) { return f.WMSizing(m), true; }},
        {WM_MOVING, [](F& f, M& m) { return f.FStates->Moving(m), true; }},
        {WM_ENTERSIZEMOVE, [](F& f, M&) { return f.WMEnterSizeMove(); }},
        {WM_EXITSIZEMOVE, [](F& f, M&) { return f.WMExitSizeMove(); }},
        {WM_SKINLOADING, [](F& f, M& m) { return f.SkinMessage(m), true; }},
        {WM_SKINLOADED, [](F& f, M& m) { return f.SkinMessage(m), true; }},
        {WM_SKINSETTLED, [](F& f, M& m) { return f.SkinMessage(m), true; }},
        {WM_SKINSTRINGSCHANGED, [](F& f, M& m) { return f.SkinMessage(m), true; }},
        {WM_SKINMENUCLOSED, [](F& f, M&) { return f.FMenuMode->Close(), true; }},
        {WM_SKINMDIFIT, [](F& f, M& m) { return f.FMDI->Message(m), true; }},
        {WM_SKINMDIMAXIMIZED, [](F& f, M& m) { return f.FMDI->Message(m), true; }},
        {WM_SKINMDIRESTORED, [](F& f, M& m) { return f.FMDI->Message(m), true; }},
        {WM_SKINFRAMEPAINT, [](F& f, M& m) { return f.WMFramePaint(m); }},
    };
    const auto it = handlers.find(Msg);
    return it == handlers.end() ? nullptr : it->second;
}

bool TskSkinForm::WMCreate(TMessage& Message) {
    // The handle as the message arrived: the frame draws the caption itself.
    HWND h = FForm->WindowHandle();
    CallDefault(Message);
    if (h) SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
    return true;
}

bool TskSkinForm::WMDestroy() {
    FObjects->StopTimers();
    if (IsMDIChild()) {
        FStates->ChildDestroyed();
        FMDI->ChildHidden();
        if (TskSkinForm* main = MainMDIFrame(); main && main->Form()->HandleAllocated())
            SendMessage(main->Form()->WindowHandle(), WM_SKINMDIRESTORED, 0, 0);
        FMDI->RefreshMainBars(true);
    }
    return false;
}

bool TskSkinForm::WMActivate(TMessage& Message) {
    CallDefault(Message);
    FrameRepaint();
    if (IsMaximizedChild()) {
        SetActiveState(false);
    } else {
        ResetObjectStates();
        SetActiveState(true);
    }
    if (IsMDIForm()) FMDI->RefreshMainBars(false);
    return true;
}

bool TskSkinForm::WMSetText(TMessage& Message) {
    CallDefault(Message);
    if (HasBorder() && !IsMaximizedChild()) FrameRepaint();
    if (IsMDIChild()) FMDI->ChildCaptionChanged();
    return true;
}

bool TskSkinForm::WMEraseBkgnd(TMessage& Message) {
    // The client window covers a multiple-document main form's client area.
    if (IsMDIForm()) return false;
    PaintClientBackground(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
    return true;
}

bool TskSkinForm::WMSetCursor(TMessage& Message) {
    if (UseFormCursorInNCArea) {
        const auto l = static_cast<std::uintptr_t>(Message.LParam);
        const int ht = static_cast<std::int16_t>(l & 0xFFFF);
        if (ht != HTCLIENT && (ht < 10 || ht > 17))
            Message.LParam = LPARAM((l & ~std::uintptr_t(0xFFFF)) | std::uintptr_t(HTCLIENT));
    }
    return false;
}

bool TskSkinForm::WMMouseActivate() {
    // The active child clicked while its frame still looks inactive.
    if (IsMDIChild() && !FFrameActive) {
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        if (main && main->ActiveMDIChild() == FForm) {
            FFrameActive = true;
            FrameRepaint();
            SetActiveState(!IsMaximizedChild());
        }
    }
    return false;
}

bool TskSkinForm::WMNcHitTest(TMessage& Message) {
    if (IsMaximizedChild()) {
        Message.Result = HTCLIENT;
        return true;
    }
    const TPoint p = ScreenToFrame(PointFromLParam(Message.LParam));
    Message.Result = HitTest(p);
    if (!TrackTimerRunning() && Message.Result == HTOBJECT) {
        TrackObjects(p.X, p.Y, true);
        EnableTrackTimer(true);
    }
    return true;
}

bool TskSkinForm::WMNcPaint() {
    if (!HasBorder() || IsMaximizedChild()) return true;
    if (FSkinInUse)
        PaintFrameSkin();
    else if (!FPainter->Suspended())
        PaintFrameDefault();
    return true;
}

bool TskSkinForm::WMSyncPaint(TMessage& Message) {
    if (!RolledUp()) return false;
    FrameRepaint();
    Message.Result = 0;
    return true;
}

bool TskSkinForm::WMSysCommand(TMessage& Message) {
    if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
        FMenuMode->KeyMenu();
        return true;
    }
    if ((Message.WParam & 0xFFF0) == SC_RESTORE && OnRestore) OnRestore(this);
    return false;
}

bool TskSkinForm::WMEnterSizeMove() {
    FStates->EnterSizeMove();
    ResetObjectStates();
    EnableTrackTimer(false);
    FObjects->ResetTracking();
    return false;
}

bool TskSkinForm::WMExitSizeMove() {
    EnableTrackTimer(false);
    FObjects->ResetTracking();
    if (FSkinInUse) FrameRepaint();
    return false;
}

bool TskSkinForm::WMFramePaint(TMessage& Message) {
    if (Message.LParam != skFramePaintMagic) return false;
    if (Message.WParam && HasBorder() && !IsMaximizedChild()) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (FSkinInUse)
            PaintFrameSkin(dc);
        else
            PaintFrameDefault(dc);
    }
    Message.Result = skFramePaintMagic;
    return true;
}

// Whatever closes menus also hides the object hint and the main form's own drop-downs.
void TskSkinForm::PreWndProc(TMessage& Message) {
    if (!IsMenuCloseMessage(Message.Msg)) return;
    if (ShowObjectHint && FSkinHint) FSkinHint->HideHint();
    FMenuMode->CloseForMessage();
    FMDI->CancelChildDropDowns();
}

// A pressed button captured the mouse, so releases reach the objects too.
void TskSkinForm::RouteNcMouse(TMessage& Message) {
    if (FHooked) FObjects->RouteMouse(Message);
}

// The frame's limits, narrowed by the form's own (its constraints and OnConstrainedResize,
// which the default answer holds): a frame drag must not make the form smaller than any
// other way of sizing it may.
void TskSkinForm::WMGetMinMaxInfo(TMessage& Message) {
    auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    if (!mmi) {
        CallDefault(Message);
        return;
    }
    const MINMAXINFO before = *mmi;
    CallDefault(Message);
    const TPoint formMin = mmi->ptMinTrackSize, formMax = mmi->ptMaxTrackSize;
    mmi->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
    mmi->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
    if (formMin.X != before.ptMinTrackSize.X)
        mmi->ptMinTrackSize.X = std::max(mmi->ptMinTrackSize.X, formMin.X);
    if (formMin.Y != before.ptMinTrackSize.Y)
        mmi->ptMinTrackSize.Y = std::max(mmi->ptMinTrackSize.Y, formMin.Y);
    if (formMax.X != before.ptMaxTrackSize.X)
        mmi->ptMaxTrackSize.X = std::min(mmi->ptMaxTrackSize.X, formMax.X);
    if (formMax.Y != before.ptMaxTrackSize.Y)
        mmi->ptMaxTrackSize.Y = std::min(mmi->ptMaxTrackSize.Y, formMax.Y);
}

void TskSkinForm::WMNcActivate(TMessage& Message) {
    if (FMenuMode->MenuOpen()) FMenuMode->Close();
    FFrameActive = Message.WParam != 0;
    FrameRepaint();
    SetActiveState(HasBorder() && !IsMaximizedChild());
    if (IsMDIChild()) FMDI->ChildActivationChanged();
    // The main form's default passes its state on to the active child.
    if (IsMDIForm() || IsMDIChild()) CallDefault(Message);
    Message.Result = 1;
}

void TskSkinForm::NcCalcSize(TMessage& Message) {
    Message.Result = 0;
    if (!HasBorder() || IsMaximizedChild()) return;
    TRect* r = nullptr;
    if (Message.WParam)
        r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
    else
        r = reinterpret_cast<TRect*>(Message.LParam);
    if (!r) return;
    if (FSkinInUse) {
        CalcFrameMetrics();
        const TskSkinData& s = *FSkinData;
        r->Left += s.clientrect.Left;
        r->Top += s.clientrect.Top;
        r->Right -= s.Picture.Width() - s.clientrect.Right;
        r->Bottom -= s.Picture.Height() - s.clientrect.Bottom;
    } else {
        r->Left += 3;
        r->Top += CaptionHeight() + 3;
        r->Right -= 3;
        r->Bottom -= 3;
    }
    if (r->Right < r->Left) r->Right = r->Left;
    if (r->Bottom < r->Top) r->Bottom = r->Top;
}

} // namespace vd
