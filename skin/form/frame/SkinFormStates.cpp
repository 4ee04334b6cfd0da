// The frame's own window states (normal, minimized strip, maximized, rolled up), placement in
// the monitor, magnetic edges, the fade-in and the notification area.
#include "platform/vcl/Application.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinTrayIcon.h"

#include <algorithm>

namespace vd {

namespace {

constexpr std::uintptr_t kFadeStartTimer = 1;
constexpr std::uintptr_t kFadeStepTimer = 2;
// The fade raises the alpha by this much each time more than 5 ms passed.
constexpr int kFadeStep = 10;
constexpr UINT kFadeStepMs = 6;

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

void TskSkinForm::SetWindowState(int State) {
    if (State == FWindowState || State < skwsNormal || State > skwsMaximized) return;
    const int old = FWindowState;
    // Minimizing the main form minimizes the whole application: the frame stays normal.
    if (!(State == skwsMinimized && IsMainForm(FForm))) FWindowState = State;
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
void TskSkinForm::ShowMaximizedStyle() {
    if (!FForm || !FForm->HandleAllocated() || FForm->FormStyle() == fsMDIChild) return;
    HWND h = FForm->WindowHandle();
    const LONG_PTR style = GetWindowLong(h, GWL_STYLE);
    const LONG_PTR want =
        FWindowState == skwsMaximized ? style | LONG_PTR(WS_MAXIMIZE) : style & ~LONG_PTR(WS_MAXIMIZE);
    if (want != style) SetWindowLong(h, GWL_STYLE, want);
}

void TskSkinForm::DoMinimize() {
    if (IsMainForm(FForm)) {
        Application->Minimize();
        if (OnMinimize) OnMinimize(this);
        return;
    }
    if (IsEmptySkinRect(FRestoreRect)) FRestoreRect = FForm->BoundsRect();
    const TPoint p = GetMinimizedPosition();
    FForm->SetBounds(p.X, p.Y, GetMinWidth(), GetMinHeight());
    if (IsMDIChild()) TellMainForm(WM_SKINMDIRESTORED);
    if (OnMinimize) OnMinimize(this);
}

TRect TskSkinForm::GetMDIClientArea() const {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return TRect();
    TRect r{0, 0, main->ClientWidth(), main->ClientHeight()};
    int left = 0, top = 0, right = r.Right, bottom = r.Bottom;
    for (int i = 0; i < main->ControlCount(); ++i) {
        TControl* c = main->Controls(i);
        if (!c->Visible()) continue;
        switch (c->Align()) {
        case alLeft:
            left = std::max(left, c->Left() + c->Width());
            break;
        case alTop:
            top = std::max(top, c->Top() + c->Height());
            break;
        case alRight:
            right = std::min(right, c->Left());
            break;
        case alBottom:
            bottom = std::min(bottom, c->Top());
            break;
        default:
            break;
        }
    }
    return {left, top, right, bottom};
}

TPoint TskSkinForm::GetMinimizedPosition() const {
    const bool child = FForm->FormStyle() == fsMDIChild;
    TRect area;
    if (child) {
        const TRect c = GetMDIClientArea();
        area = {0, 0, c.Width(), c.Height()};
    } else {
        area = WorkAreaOfForm(true);
    }
    const int mw = GetMinWidth(), mh = GetMinHeight();
    // A zero minimum would never leave its place: step by at least one pixel.
    const int stepX = std::max(1, mw), stepY = std::max(1, mh);
    const TPoint first{area.Left, area.Bottom - mh};
    auto taken = [&](TPoint p) {
        if (!Screen) return false;
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f == FForm || !f->Visible() || (!child && IsMainForm(f))) continue;
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

void TskSkinForm::NudgeSize() {
    if (!FForm) return;
    const int w = FForm->Width(), h = FForm->Height();
    const int other = w - 1 < GetMinWidth() ? w + 1 : w - 1;
    FForm->SetBounds(FForm->Left(), FForm->Top(), other, h);
    FForm->SetBounds(FForm->Left(), FForm->Top(), w, h);
}

void TskSkinForm::DoMaximize() {
    if (IsEmptySkinRect(FRestoreRect)) FRestoreRect = FForm->BoundsRect();
    if (FForm->FormStyle() == fsMDIChild) {
        EnableTrackTimer(false);
        FHotIndex = -1;
        const TRect a = GetMDIClientArea();
        const bool same = FForm->Width() == a.Width() && FForm->Height() == a.Height();
        FForm->SetBounds(0, 0, a.Width(), a.Height());
        if (same) NudgeSize();
        TellMainForm(WM_SKINMDIMAXIMIZED);
    } else {
        TRect r = WorkAreaOfForm(!MaximizeOnFullScreen);
        const TRect monitor = WorkAreaOfForm(false);
        const TRect desktop{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (r == monitor && monitor == desktop) r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    if (FStatusBar) FStatusBar->SetGripVisible(false);
    if (OnMaximize) OnMaximize(this);
}

void TskSkinForm::DoRestore() {
    FRolledUpWhenMaximized = false;
    const int oldWidth = FForm->Width(), oldHeight = FForm->Height();
    if (FNotPositioned) {
        FNotPositioned = false;
        TRect r = FRestoreRect;
        if (IsEmptySkinRect(r)) r = FForm->BoundsRect();
        if (PositionInMonitor != skpDefault) {
            const TRect a = WorkAreaOfForm(PositionInMonitor == skpDesktopCenter);
            const int w = r.Width(), h = r.Height();
            r = {a.Left + a.Width() / 2 - w / 2, a.Top + a.Height() / 2 - h / 2, 0, 0};
            r.Right = r.Left + w;
            r.Bottom = r.Top + h;
        }
        FForm->SetBoundsRect(r);
    } else if (!IsEmptySkinRect(FRestoreRect)) {
        FForm->SetBoundsRect(FRestoreRect);
    }
    // The same size brings no WM_SIZE: the frame lays itself out anyway.
    if (FForm->Width() == oldWidth && FForm->Height() == oldHeight) NudgeSize();
    EnableTrackTimer(true);
    FForm->Invalidate();
    FRestoreRect = TRect();
    if (IsMDIChild() && FWindowState != skwsMaximized) TellMainForm(WM_SKINMDIRESTORED);
    if (FStatusBar) FStatusBar->SetGripVisible(true);
    if (OnRestore) OnRestore(this);
}

void TskSkinForm::RollUp(bool Value) {
    if (!(FBorderIcons & skbiRollUp) || FWindowState == skwsMinimized) return;
    if (FRolledUp && FWindowState == skwsMaximized && !FRolledUpWhenMaximized) return;
    if (FWindowState == skwsMaximized) FRolledUpWhenMaximized = Value;
    if (Value == FRolledUp) return;
    FRolledUp = Value;
    if (Value) {
        FHeightBeforeRollUp = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (ClientHeight != 0) {
        FForm->SetClientHeight(ClientHeight);
    } else {
        FForm->SetHeight(FHeightBeforeRollUp);
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TskSkinForm::PositionInMonitorNow() {
    const TRect a = WorkAreaOfForm(PositionInMonitor == skpDesktopCenter);
    FForm->SetBounds(a.Left + a.Width() / 2 - FForm->Width() / 2,
                     a.Top + a.Height() / 2 - FForm->Height() / 2, FForm->Width(), FForm->Height());
}

void TskSkinForm::WMShowWindow(TMessage& Message) {
    CallDefault(Message);
    if (Message.WParam == 0) {
        if (FAlphaBlend && FForm->HandleAllocated()) {
            HWND h = FForm->WindowHandle();
            SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
        }
        ChildHidden();
        return;
    }
    if (FNotPositioned) {
        if (PositionInMonitor == skpDefault) {
            FNotPositioned = false;
        } else if (FWindowState == skwsNormal) {
            FNotPositioned = false;
            PositionInMonitorNow();
        }
    }
    StartFade();
    HookMDIClient();
    NudgeSize();
    ChildShown();
    // No system menu bar: menus are skinned.
    if (FForm->Menu()) FForm->SetMenu(nullptr);
}

void TskSkinForm::WMSize(TMessage& Message) {
    // Inside a full-window size loop WM_SIZING has already laid the frame out.
    if (FInSizeMove && FFullDrag && GetCapture() == FForm->WindowHandle()) {
        if (!FLogo.Empty()) FForm->Invalidate();
        CallDefault(Message);
        return;
    }
    CallDefault(Message);
    FStuckLeft = FStuckTop = FStuckRight = FStuckBottom = false;
    FWidth = FForm->Width();
    FHeight = FForm->Height();
    if (!FSkinInUse)
        FrameRepaint();
    else if (FWidth >= GetMinWidth() && FHeight >= GetMinHeight())
        UpdateRegion(true);
    if (FAlphaBlend && FAlphaBlendValue != 255 && IsLayeredWindowOS() && FForm->HandleAllocated())
        RedrawWindow(FForm->WindowHandle(), nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    if (!FLogo.Empty() && FForm->FormStyle() != fsMDIForm) FForm->Invalidate();
}

void TskSkinForm::WMSizing(TMessage& Message) {
    FStuckLeft = FStuckTop = FStuckRight = FStuckBottom = false;
    CallDefault(Message);
    const auto* r = reinterpret_cast<const TRect*>(Message.LParam);
    if (!r || !FFullDrag) return;
    const int w = r->Width(), h = r->Height();
    const bool changed = w != FForm->Width() || h != FForm->Height();
    FWidth = w;
    FHeight = h;
    if (FSkinInUse && FForm->Width() >= GetMinWidth() && FForm->Height() >= GetMinHeight() && changed)
        UpdateRegion(true);
}

void TskSkinForm::WMMoving(TMessage& Message) {
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    if (!r) return;
    if (FWindowState == skwsMaximized && FForm->FormStyle() != fsMDIChild) {
        *r = {FForm->Left(), FForm->Top(), FForm->Left() + r->Width(), FForm->Top() + r->Height()};
        Message.Result = 1;
        return;
    }
    if (!Magnetic) {
        CallDefault(Message);
        return;
    }
    int x = r->Left, y = r->Top;
    const int w = r->Width(), h = r->Height();
    SnapToEdges(x, y, h, w);
    *r = {x, y, x + w, y + h};
    Message.Result = 1;
}

void TskSkinForm::SnapToEdges(int& X, int& Y, int Height, int Width) {
    TRect area;
    if (FForm->FormStyle() == fsMDIChild) {
        const TRect c = GetMDIClientArea();
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        const TPoint o = main ? main->ClientToScreen({c.Left, c.Top}) : TPoint{c.Left, c.Top};
        area = {o.X, o.Y, o.X + c.Width(), o.Y + c.Height()};
    } else {
        area = WorkAreaOfForm(true);
    }
    const int m = MagneticSize;
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

// ---- alpha and fade-in

void TskSkinForm::SetAlphaBlend(bool Value) {
    if (Value == FAlphaBlend) return;
    FAlphaBlend = Value;
    if ((ComponentState() & (csLoading | csDesigning)) || !IsLayeredWindowOS() || !FForm->HandleAllocated())
        return;
    HWND h = FForm->WindowHandle();
    const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (Value) {
        SetWindowLong(h, GWL_EXSTYLE, ex | LONG_PTR(WS_EX_LAYERED));
        SetWindowAlpha(h, FAlphaBlendValue);
    } else {
        SetWindowLong(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    }
}

void TskSkinForm::SetAlphaBlendValue(Byte Value) {
    if (Value == FAlphaBlendValue) return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && IsLayeredWindowOS() && FForm->HandleAllocated() &&
        !(ComponentState() & (csLoading | csDesigning)))
        SetWindowAlpha(FForm->WindowHandle(), Value);
}

void TskSkinForm::StartFade() {
    if (!(FAlphaBlend || AlphaBlendAnimation) || !IsLayeredWindowOS() || !FForm->HandleAllocated()) return;
    HWND h = FForm->WindowHandle();
    SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | LONG_PTR(WS_EX_LAYERED));
    SetWindowAlpha(h, 0);
    SetTimer(h, kFadeStartTimer, 1);
}

// The fade runs from a timer, a step of 10 each time more than 5 ms passed, so the program
// keeps handling its messages while the window fades in.
void TskSkinForm::WMTimer(TMessage& Message) {
    HWND h = FForm->WindowHandle();
    if (Message.WParam == kFadeStartTimer) {
        KillTimer(h, kFadeStartTimer);
        FFadeTarget = FAlphaBlend ? FAlphaBlendValue : 255;
        if (AlphaBlendAnimation) {
            FFadeAlpha = 0;
            FadeStep();
            if (FFadeAlpha < FFadeTarget) SetTimer(h, kFadeStepTimer, kFadeStepMs);
            return;
        }
        if (FFadeTarget != 255) SetWindowAlpha(h, FFadeTarget);
        if (FFadeTarget == 255)
            SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
        return;
    }
    FadeStep();
    if (FFadeAlpha >= FFadeTarget) KillTimer(h, kFadeStepTimer);
}

void TskSkinForm::FadeStep() {
    HWND h = FForm->WindowHandle();
    FFadeAlpha = std::min(FFadeTarget, FFadeAlpha + kFadeStep);
    SetWindowAlpha(h, FFadeAlpha);
    if (FFadeAlpha >= FFadeTarget && FFadeTarget == 255)
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
}

// ---- notification area

void TskSkinForm::MinimizeToTray() {
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(true);
    Application->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TskSkinForm::RestoreFromTray() {
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(false);
    FTrayIcon->ShowMainForm();
    Application->Restore();
    if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TskSkinForm::AddMessageHook(const void* Owner, TFormMessageHook Hook) {
    RemoveMessageHook(Owner);
    FMessageHooks.emplace_back(Owner, std::move(Hook));
}

void TskSkinForm::RemoveMessageHook(const void* Owner) {
    std::erase_if(FMessageHooks, [Owner](const auto& h) { return h.first == Owner; });
}

void TskSkinForm::SetTrayIcon(TskTrayIcon* Value) {
    if (FTrayIcon) FTrayIcon->RemoveFreeNotification(this);
    FTrayIcon = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->HookOwner();
        if (!AlwaysShowInTray) Value->SetIconVisible(false);
        Value->SetMinimizeToTray(false);
        if (!(ComponentState() & csDesigning)) {
            if (!Value->PopupMenu() && FTrayMenu) Value->SetPopupMenu(FTrayMenu);
            if (!Value->OnDblClick) Value->OnDblClick = [this](TObject*) { RestoreFromTray(); };
        }
    }
}

} // namespace vd
