#include "skin/form/frame/FrameStates.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/FrameObjects.h"

#include <algorithm>

namespace vd {

namespace {

bool IsMainForm(const TCustomForm* f) {
    return Application && f && Application->MainForm() == f;
}

// Tells a multiple-document main form that one of its children changed state.
void TellMainForm(UINT msg) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main->FormStyle() == fsMDIForm && main->HandleAllocated())
        SendMessage(main->WindowHandle(), msg, 0, 0);
}

} // namespace

void TskFrameStates::SetWindowState(int State) {
    if (State == FWindowState || State < skwsNormal || State > skwsMaximized) return;
    const int old = FWindowState;
    // Minimizing the main form minimizes the whole application: the frame stays normal.
    if (!(State == skwsMinimized && IsMainForm(Form()))) FWindowState = State;
    switch (State) {
    case skwsNormal:
        if (old == skwsMaximized && FRolledUp && !FRollUpBeforeMaximize) {
            FWindowState = old;
            RollUp(false);
            FWindowState = skwsNormal;
        }
        FRollUpBeforeMaximize = false;
        DoRestore();
        break;
    case skwsMinimized:
        DoMinimize();
        break;
    case skwsMaximized:
        FRollUpBeforeMaximize = FRolledUp;
        DoMaximize();
        break;
    default:
        break;
    }
    ShowMaximizedStyle();
}

// The frame keeps the state itself; the maximize box style tells the desktop (a window manager
// keeps a maximized window out of its placement and shows the state in its task bar).
void TskFrameStates::ShowMaximizedStyle() {
    if (!Form() || !Form()->HandleAllocated() || Form()->FormStyle() == fsMDIChild) return;
    HWND h = Form()->WindowHandle();
    const LONG_PTR style = GetWindowLong(h, GWL_STYLE);
    const LONG_PTR want =
        FWindowState == skwsMaximized ? style | LONG_PTR(WS_MAXIMIZE) : style & ~LONG_PTR(WS_MAXIMIZE);
    if (want != style) SetWindowLong(h, GWL_STYLE, want);
}

void TskFrameStates::DoMinimize() {
    if (IsMainForm(Form())) {
        Application->Minimize();
        if (FFrame.OnMinimize) FFrame.OnMinimize(&FFrame);
        return;
    }
    if (IsEmptySkinRect(FRestoreRect)) FRestoreRect = Form()->BoundsRect();
    const TPoint p = MinimizedPosition();
    Form()->SetBounds(p.X, p.Y, FFrame.GetMinWidth(), FFrame.GetMinHeight());
    if (FFrame.IsMDIChild()) TellMainForm(WM_SKINMDIRESTORED);
    if (FFrame.OnMinimize) FFrame.OnMinimize(&FFrame);
}

TPoint TskFrameStates::MinimizedPosition() const {
    const bool child = Form()->FormStyle() == fsMDIChild;
    TRect area;
    if (child) {
        const TRect c = TskFrameMDI::ClientArea();
        area = {0, 0, c.Width(), c.Height()};
    } else {
        area = FFrame.WorkAreaOfForm(true);
    }
    const int mw = FFrame.GetMinWidth(), mh = FFrame.GetMinHeight();
    // A zero minimum would never leave its place: step by at least one pixel.
    const int stepX = std::max(1, mw), stepY = std::max(1, mh);
    const TPoint first{area.Left, area.Bottom - mh};
    auto taken = [&](TPoint p) {
        if (!Screen) return false;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f == Form() || !f->Visible() || (!child && IsMainForm(f))) continue;
            if (child != (f->FormStyle() == fsMDIChild)) continue;
            TskSkinForm* frame = GetSkinForm(f);
            if (frame && frame->WindowState() == skwsMinimized && f->Left() == p.X && f->Top() == p.Y)
                return true;
        }
        return false;
    };
    TPoint p = first;
    // Bounded: at most one try per place of the area, then the first place.
    const long long places = (long long)(std::max(1, area.Width() / stepX) + 1) *
                             (long long)(std::max(1, area.Height() / stepY) + 1);
    for (long long n = 0; n < places && n < 100000; ++n) {
        if (!taken(p)) return p;
        p.X += stepX;
        if (p.X + mw > area.Right) {
            p.X = area.Left;
            p.Y -= stepY;
            if (p.Y < area.Top) return first;
        }
    }
    return first;
}

void TskFrameStates::NudgeSize() {
    if (!Form()) return;
    const int w = Form()->Width(), h = Form()->Height();
    const int other = w - 1 < FFrame.GetMinWidth() ? w + 1 : w - 1;
    Form()->SetBounds(Form()->Left(), Form()->Top(), other, h);
    Form()->SetBounds(Form()->Left(), Form()->Top(), w, h);
}

void TskFrameStates::DoMaximize() {
    if (IsEmptySkinRect(FRestoreRect)) FRestoreRect = Form()->BoundsRect();
    if (Form()->FormStyle() == fsMDIChild) {
        FFrame.EnableTrackTimer(false);
        FFrame.FObjects->ClearHot();
        const TRect a = TskFrameMDI::ClientArea();
        const bool same = Form()->Width() == a.Width() && Form()->Height() == a.Height();
        Form()->SetBounds(0, 0, a.Width(), a.Height());
        if (same) NudgeSize();
        TellMainForm(WM_SKINMDIMAXIMIZED);
    } else {
        TRect r = FFrame.WorkAreaOfForm(!FFrame.MaximizeOnFullScreen);
        const TRect monitor = FFrame.WorkAreaOfForm(false);
        const TRect desktop{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (r == monitor && monitor == desktop) r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        Form()->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    if (FFrame.StatusBar()) FFrame.StatusBar()->SetGripVisible(false);
    if (FFrame.OnMaximize) FFrame.OnMaximize(&FFrame);
}

void TskFrameStates::DoRestore() {
    FRolledUpWhenMaximized = false;
    const int oldWidth = Form()->Width(), oldHeight = Form()->Height();
    if (FNotPositioned) {
        FNotPositioned = false;
        TRect r = FRestoreRect;
        if (IsEmptySkinRect(r)) r = Form()->BoundsRect();
        if (FFrame.PositionInMonitor != skpDefault) {
            const TRect a = FFrame.WorkAreaOfForm(FFrame.PositionInMonitor == skpDesktopCenter);
            const int w = r.Width(), h = r.Height();
            r = {a.Left + a.Width() / 2 - w / 2, a.Top + a.Height() / 2 - h / 2, 0, 0};
            r.Right = r.Left + w;
            r.Bottom = r.Top + h;
        }
        Form()->SetBoundsRect(r);
    } else if (!IsEmptySkinRect(FRestoreRect)) {
        Form()->SetBoundsRect(FRestoreRect);
    }
    // The same size brings no WM_SIZE: the frame lays itself out anyway.
    if (Form()->Width() == oldWidth && Form()->Height() == oldHeight) NudgeSize();
    FFrame.EnableTrackTimer(true);
    Form()->Invalidate();
    FRestoreRect = TRect();
    if (FFrame.IsMDIChild() && FWindowState != skwsMaximized) TellMainForm(WM_SKINMDIRESTORED);
    if (FFrame.StatusBar()) FFrame.StatusBar()->SetGripVisible(true);
    if (FFrame.OnRestore) FFrame.OnRestore(&FFrame);
}

void TskFrameStates::RollUp(bool Value) {
    if (!(FFrame.BorderIcons() & skbiRollUp) || FWindowState == skwsMinimized) return;
    if (FRolledUp && FWindowState == skwsMaximized && !FRolledUpWhenMaximized) return;
    if (FWindowState == skwsMaximized) FRolledUpWhenMaximized = Value;
    if (Value == FRolledUp) return;
    FRolledUp = Value;
    if (Value) {
        FHeightBeforeRollUp = Form()->Height();
        Form()->SetHeight(FFrame.GetMinHeight());
    } else if (FFrame.ClientHeight != 0) {
        Form()->SetClientHeight(FFrame.ClientHeight);
    } else {
        Form()->SetHeight(FHeightBeforeRollUp);
    }
    if (FFrame.OnChangeRollUpState) FFrame.OnChangeRollUpState(&FFrame);
}

void TskFrameStates::PositionInMonitorNow() {
    const TRect a = FFrame.WorkAreaOfForm(FFrame.PositionInMonitor == skpDesktopCenter);
    Form()->SetBounds(a.Left + a.Width() / 2 - Form()->Width() / 2,
                      a.Top + a.Height() / 2 - Form()->Height() / 2, Form()->Width(), Form()->Height());
}

void TskFrameStates::CaptionDblClick() {
    if (!FFrame.Sizeable()) {
        RollUp(!FRolledUp);
        return;
    }
    if (FWindowState == skwsMinimized)
        SetWindowState(skwsNormal);
    else if (FWindowState != skwsMaximized && !FRolledUp && (FFrame.BorderIcons() & skbiMaximize))
        SetWindowState(skwsMaximized);
    else if (FWindowState == skwsMaximized && !FRolledUpWhenMaximized)
        SetWindowState(skwsNormal);
    else
        RollUp(!FRolledUp);
}

void TskFrameStates::Moving(TMessage& Message) {
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    if (!r) return;
    if (FWindowState == skwsMaximized && Form()->FormStyle() != fsMDIChild) {
        *r = {Form()->Left(), Form()->Top(), Form()->Left() + r->Width(), Form()->Top() + r->Height()};
        Message.Result = 1;
        return;
    }
    if (!FFrame.Magnetic) {
        FFrame.CallDefault(Message);
        return;
    }
    int x = r->Left, y = r->Top;
    const int w = r->Width(), h = r->Height();
    SnapToEdges(x, y, h, w);
    *r = {x, y, x + w, y + h};
    Message.Result = 1;
}

void TskFrameStates::SnapToEdges(int& X, int& Y, int Height, int Width) {
    TRect area;
    if (Form()->FormStyle() == fsMDIChild) {
        const TRect c = TskFrameMDI::ClientArea();
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        const TPoint o = main ? main->ClientToScreen({c.Left, c.Top}) : TPoint{c.Left, c.Top};
        area = {o.X, o.Y, o.X + c.Width(), o.Y + c.Height()};
    } else {
        area = FFrame.WorkAreaOfForm(true);
    }
    const int m = FFrame.MagneticSize;
    TPoint cursor;
    GetCursorPos(cursor);
    auto edge = [&](int& v, int size, int line, bool& stuck, int cursorV, int& stored, bool far) {
        const int probe = far ? v + size : v;
        const bool nearEdge = line - m < probe && probe < line + m;
        const int snapped = far ? line - size : line;
        if (nearEdge && !stuck) {
            v = snapped;
            stored = cursorV;
        } else if (stuck) {
            // Held until the pointer has moved more than the magnetic size from the snap.
            v = std::abs(cursorV - stored) > m ? snapped + (cursorV - stored) : snapped;
        }
        stuck = nearEdge;
    };
    edge(X, Width, area.Left, FStuckLeft, cursor.X, FSnapCursor.X, false);
    edge(Y, Height, area.Top, FStuckTop, cursor.Y, FSnapCursor.Y, false);
    edge(X, Width, area.Right, FStuckRight, cursor.X, FSnapCursor.X, true);
    edge(Y, Height, area.Bottom, FStuckBottom, cursor.Y, FSnapCursor.Y, true);
}

TCustomForm* TskFrameStates::Form() const {
    return FFrame.Form();
}

void TskFrameStates::Restore() {
    if ((FWindowState == skwsMaximized && FRolledUpWhenMaximized) ||
        (FWindowState == skwsNormal && FRolledUp))
        RollUp(false);
    else
        SetWindowState(skwsNormal);
}

void TskFrameStates::Shown() {
    if (!FNotPositioned) return;
    if (FFrame.PositionInMonitor == skpDefault) {
        FNotPositioned = false;
    } else if (FWindowState == skwsNormal) {
        FNotPositioned = false;
        PositionInMonitorNow();
    }
}

void TskFrameStates::EnterSizeMove() {
    GetCursorPos(FSnapCursor);
    FInSizeMove = true;
    BOOL full = FALSE;
    FFullDrag = SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

bool TskFrameStates::EndSizeMoveOnPress() {
    if (!FInSizeMove) return false;
    FInSizeMove = false;
    return true;
}

} // namespace vd
