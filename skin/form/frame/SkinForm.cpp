#include "skin/form/frame/SkinForm.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinFormMDI.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>

namespace vd {

namespace {

TPoint PointFromLParam(LPARAM l) {
    const auto v = static_cast<std::uintptr_t>(l);
    return {static_cast<std::int16_t>(v & 0xFFFF), static_cast<std::int16_t>((v >> 16) & 0xFFFF)};
}

bool Inside(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IsCaptionObject(const TskActiveSkinObject* o) {
    return dynamic_cast<const TskSkinCaptionObject*>(o) != nullptr;
}

} // namespace

TskSkinForm* GetSkinForm(const TComponent* form) {
    if (!dynamic_cast<const TCustomForm*>(form)) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TskSkinForm*>(form->Components(i))) return f;
    return nullptr;
}

TskSkinForm* GetMaximizedChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main->FormStyle() != fsMDIForm) return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TskSkinForm* f = GetSkinForm(main->MDIChildren(i)))
            if (f->WindowState() == skwsMaximized && f->Form()->Visible()) return f;
    return nullptr;
}

TskSkinForm* GetActiveChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return nullptr;
    TCustomForm* child = main->ActiveMDIChild();
    return child ? GetSkinForm(child) : nullptr;
}

TskSkinForm::TskSkinForm(TComponent* AOwner) : TComponent(AOwner) {
    FForm = dynamic_cast<TCustomForm*>(AOwner);
    if (!FForm) throw EInvalidCast("Invalid class typecast");
    SetDefaultFace(FDefCaptionFont, fsBold);
    FDefCaptionFont.SetColor(clBtnText);
    FDefInActiveCaptionFont.Assign(FDefCaptionFont);
    FDefInActiveCaptionFont.SetColor(clBtnShadow);

    auto makeTimer = [this](unsigned interval, void (TskSkinForm::*tick)()) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->SetOnTimer([this, tick](TObject*) { (this->*tick)(); });
        return t;
    };
    FTrackTimer = makeTimer(50, &TskSkinForm::TrackTimerTick);
    FMorphTimer = makeTimer(25, &TskSkinForm::MorphTimerTick);
    FAnimationTimer = makeTimer(25, &TskSkinForm::AnimationTimerTick);

    FForm->SetBorderIcons(0);
    FForm->OnShortCut = [this](TMessage& Msg, bool& Handled) { ShortCutHook(Msg, Handled); };
    FForm->SetAutoScroll(false);
    FDefaultSystemMenu = new TPopupMenu(this);
    CreateMenus();
    RegisterMDIParentBackground();

    if (!(ComponentState() & csDesigning)) {
        FSavedWindowProc = FForm->WindowProc;
        FForm->WindowProc = [this](TMessage& m) { FormWndProc(m); };
        FHooked = true;
        if (FForm->HandleAllocated()) FForm->RecreateWnd();
    }
    CreateDefaultButtons();
}

TskSkinForm::~TskSkinForm() {
    // The form gets its own procedure back before anything of the frame goes.
    if (FHooked && FForm) FForm->WindowProc = FSavedWindowProc;
    FHooked = false;
    UnhookMDIClient();
    RemoveAppHook();
    StopTimers();
    DestroyMenus();
    Destroying();
    if (FForm && FForm->HandleAllocated() && IsWindow(FForm->WindowHandle())) {
        KillTimer(FForm->WindowHandle(), 1);
        KillTimer(FForm->WindowHandle(), 2);
        if (FRegionSet) SetWindowRgn(FForm->WindowHandle(), nullptr, FALSE);
    }
    FObjects.clear();
}

void TskSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) {
        FSkinData = nullptr;
        if (FSkinInUse && !(ComponentState() & csDestroying)) ChangeSkinData();
    }
    if (AComponent == FMenusSkinData) FMenusSkinData = nullptr;
    if (AComponent == FTrackTimer) FTrackTimer = nullptr;
    if (AComponent == FSkinMenu) FSkinMenu = nullptr;
    if (AComponent == FMorphTimer) FMorphTimer = nullptr;
    if (AComponent == FAnimationTimer) FAnimationTimer = nullptr;
    if (AComponent == FSystemMenu) FSystemMenu = nullptr;
    if (AComponent == FTrayIcon) FTrayIcon = nullptr;
    RemoveMessageHook(AComponent);
    if (AComponent == FSkinHint) FSkinHint = nullptr;
    if (AComponent == FStatusBar) FStatusBar = nullptr;
    if (AComponent == FTrayMenu) FTrayMenu = nullptr;
    if (AComponent == FMDITabsBar) FMDITabsBar = nullptr;
    if (AComponent == FWindowMenuItem) FWindowMenuItem = nullptr;
    if (AComponent == FMainMenuBar) {
        FMainMenuBar = nullptr;
        FMenuBarLink = nullptr;
    }
}

void TskSkinForm::Loaded() {
    TComponent::Loaded();
    if (FSkinData) ChangeSkinData();
}

void TskSkinForm::SetStatusBar(TskSkinStatusBar* Value) {
    if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
    FStatusBar = Value;
    if (Value) Value->FreeNotification(this);
}

void TskSkinForm::SetSkinHint(TskSkinHint* Value) {
    if (FSkinHint) FSkinHint->RemoveFreeNotification(this);
    FSkinHint = Value;
    if (Value) Value->FreeNotification(this);
}

void TskSkinForm::SetSystemMenu(TPopupMenu* Value) {
    if (FSystemMenu) FSystemMenu->RemoveFreeNotification(this);
    FSystemMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TskSkinForm::SetMenusSkinData(TskSkinData* Value) {
    if (FMenusSkinData) FMenusSkinData->RemoveFreeNotification(this);
    FMenusSkinData = Value;
    if (Value) Value->FreeNotification(this);
}

void TskSkinForm::SetShowIcon(bool Value) {
    if (Value == FShowIcon) return;
    FShowIcon = Value;
    if (!(ComponentState() & (csDesigning | csLoading))) {
        if (FSkinInUse) LayoutObjects();
        FrameRepaint();
    }
}

void TskSkinForm::SetMaxMenuItemsInWindow(int Value) {
    if (Value >= 0) FMaxMenuItemsInWindow = Value;
    MenuSettingsChanged();
}

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
    HWND h = FForm->WindowHandle();
    switch (Message.Msg) {
    case WM_NCCREATE:
    case WM_CREATE:
        CallDefault(Message);
        // The frame draws the caption itself.
        if (h) SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~LONG_PTR(WS_CAPTION));
        return;
    case WM_DESTROY:
        StopTimers();
        if (IsMDIChild()) {
            FWindowState = skwsNormal;
            ChildHidden();
            if (TskSkinForm* main = MainMDIFrame(); main && main->Form()->HandleAllocated())
                SendMessage(main->Form()->WindowHandle(), WM_SKINMDIRESTORED, 0, 0);
            RefreshMainBars(true);
        }
        break;
    case WM_SIZE:
        WMSize(Message);
        RouteNcMouse(Message);
        return;
    case WM_ACTIVATE:
        CallDefault(Message);
        FrameRepaint();
        if (IsMaximizedChild()) {
            SetActiveState(false);
        } else {
            ResetObjectStates();
            SetActiveState(true);
        }
        if (IsMDIForm()) RefreshMainBars(false);
        return;
    case WM_SETTEXT:
        CallDefault(Message);
        if (HasBorder() && !IsMaximizedChild()) FrameRepaint();
        if (IsMDIChild()) ChildCaptionChanged();
        return;
    case WM_ERASEBKGND:
        // The client window covers a multiple-document main form's client area.
        if (IsMDIForm()) break;
        PaintClientBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_SHOWWINDOW:
        WMShowWindow(Message);
        return;
    case WM_SETCURSOR:
        if (UseFormCursorInNCArea) {
            const auto l = static_cast<std::uintptr_t>(Message.LParam);
            const int ht = static_cast<std::int16_t>(l & 0xFFFF);
            if (ht != HTCLIENT && (ht < 10 || ht > 17))
                Message.LParam = LPARAM((l & ~std::uintptr_t(0xFFFF)) | std::uintptr_t(HTCLIENT));
        }
        break;
    case WM_MOUSEACTIVATE:
        // The active child clicked while its frame still looks inactive.
        if (IsMDIChild() && !FFrameActive) {
            TCustomForm* main = Application ? Application->MainForm() : nullptr;
            if (main && main->ActiveMDIChild() == FForm) {
                FFrameActive = true;
                FrameRepaint();
                SetActiveState(!IsMaximizedChild());
            }
        }
        break;
    case WM_GETMINMAXINFO:
        WMGetMinMaxInfo(Message);
        return;
    case WM_NCCALCSIZE:
        NcCalcSize(Message);
        return;
    case WM_NCHITTEST: {
        if (IsMaximizedChild()) {
            Message.Result = HTCLIENT;
            return;
        }
        const TPoint p = ScreenToFrame(PointFromLParam(Message.LParam));
        Message.Result = HitTest(p);
        if (!TrackTimerRunning() && Message.Result == HTOBJECT) {
            TrackObjects(p.X, p.Y, true);
            EnableTrackTimer(true);
        }
        return;
    }
    case WM_NCPAINT:
        if (!HasBorder() || IsMaximizedChild()) return;
        if (FSkinInUse)
            PaintFrameSkin();
        else if (!FPaintingSuspended)
            PaintFrameDefault();
        return;
    case WM_NCACTIVATE:
        WMNcActivate(Message);
        return;
    case WM_SYNCPAINT:
        if (FRolledUp) {
            FrameRepaint();
            Message.Result = 0;
            return;
        }
        break;
    case WM_SYSCOMMAND:
        if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
            KeyMenu();
            return;
        }
        if ((Message.WParam & 0xFFF0) == SC_RESTORE && OnRestore) OnRestore(this);
        break;
    case WM_TIMER:
        if (Message.WParam == 1 || Message.WParam == 2) {
            WMTimer(Message);
            return;
        }
        break;
    case WM_SIZING:
        WMSizing(Message);
        return;
    case WM_MOVING:
        WMMoving(Message);
        return;
    case WM_ENTERSIZEMOVE:
        GetCursorPos(FSnapCursor);
        ResetObjectStates();
        EnableTrackTimer(false);
        FHotIndex = FPressedIndex = -1;
        FInSizeMove = true;
        {
            BOOL full = FALSE;
            FFullDrag = SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
        }
        break;
    case WM_EXITSIZEMOVE:
        EnableTrackTimer(false);
        FHotIndex = FPrevHotIndex = FPressedIndex = -1;
        if (FSkinInUse) FrameRepaint();
        break;
    case WM_SKINLOADING:
    case WM_SKINLOADED:
    case WM_SKINSETTLED:
    case WM_SKINSTRINGSCHANGED:
        SkinMessage(Message);
        return;
    case WM_SKINMENUCLOSED:
        SkinMenuClose(this);
        return;
    case WM_SKINMDIFIT:
    case WM_SKINMDIMAXIMIZED:
    case WM_SKINMDIRESTORED:
        MDIMessage(Message);
        return;
    case WM_SKINFRAMEPAINT:
        if (Message.LParam != skFramePaintMagic) break;
        if (Message.WParam && HasBorder() && !IsMaximizedChild()) {
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            if (FSkinInUse)
                PaintFrameSkin(dc);
            else
                PaintFrameDefault(dc);
        }
        Message.Result = skFramePaintMagic;
        return;
    default:
        break;
    }
    CallDefault(Message);
    RouteNcMouse(Message);
}

void TskSkinForm::RouteNcMouse(TMessage& Message) {
    if (!FHooked || !FForm) return;
    const UINT m = Message.Msg;
    const bool ncMouse = m == WM_NCMOUSEMOVE || m == WM_NCLBUTTONDOWN || m == WM_NCLBUTTONDBLCLK ||
                         m == WM_NCLBUTTONUP || m == WM_NCRBUTTONUP || m == WM_NCRBUTTONDOWN ||
                         m == WM_NCRBUTTONDBLCLK;
    if (m == WM_LBUTTONUP || m == WM_RBUTTONUP) {
        // A pressed button captured the mouse, so its release comes here: the press ends as a
        // non-client release would end it, or every other object stays refused.
        const int pressed = FPressedIndex;
        FPressedIndex = -1;
        if (pressed < 0 || pressed >= int(FObjects.size())) return;
        TskActiveSkinObject* o = FObjects[size_t(pressed)].get();
        if (!IsCaptionObject(o) && GetCapture() == FForm->WindowHandle()) ReleaseCapture();
        o->MouseUp(-1, -1, m == WM_LBUTTONUP ? mbLeft : mbRight);
        return;
    }
    if (!ncMouse) return;
    const TPoint p = ScreenToFrame(PointFromLParam(Message.LParam));
    const int ht = static_cast<int>(Message.WParam);
    auto objectAt = [this](int index) -> TskActiveSkinObject* {
        return index >= 0 && index < int(FObjects.size()) ? FObjects[size_t(index)].get() : nullptr;
    };
    switch (m) {
    case WM_NCMOUSEMOVE:
        if (auto* o = objectAt(FPressedIndex))
            o->MouseMove(p.X, p.Y);
        else if (auto* hot = objectAt(FHotIndex))
            hot->MouseMove(p.X, p.Y);
        break;
    case WM_NCLBUTTONDOWN: {
        if (FInSizeMove) {
            FInSizeMove = false;
            break;
        }
        TrackObjects(p.X, p.Y, true);
        // Nothing under the pointer: nothing pressed, nothing captured.
        TskActiveSkinObject* hot = objectAt(FHotIndex);
        if (!hot) break;
        FPressedIndex = FHotIndex;
        hot->MouseDown(p.X, p.Y, mbLeft);
        if (!IsCaptionObject(hot) && FForm->HandleAllocated()) SetCapture(FForm->WindowHandle());
        if (ht == HTCAPTION) FPressedIndex = -1;
        break;
    }
    case WM_NCLBUTTONDBLCLK: {
        TrackObjects(p.X, p.Y, true);
        if (TskActiveSkinObject* hot = objectAt(FHotIndex)) {
            hot->MouseDown(p.X, p.Y, mbLeft);
            hot->DblClick();
        }
        if (ht == HTCAPTION) CaptionDblClick();
        FPressedIndex = -1;
        break;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
        TskActiveSkinObject* o = objectAt(FPressedIndex);
        FPressedIndex = -1;
        if (!o) break;
        if (!IsCaptionObject(o) && GetCapture() == FForm->WindowHandle()) ReleaseCapture();
        o->MouseUp(p.X, p.Y, m == WM_NCLBUTTONUP ? mbLeft : mbRight);
        break;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK: {
        TrackObjects(p.X, p.Y, true);
        if (TskActiveSkinObject* hot = objectAt(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
        if (ht == HTCAPTION) {
            FPressedIndex = -1;
            if (m == WM_NCRBUTTONDOWN) {
                TPoint cursor;
                GetCursorPos(cursor);
                PopupSystemMenu(cursor.X, cursor.Y);
            }
        }
        break;
    }
    default:
        break;
    }
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

void TskSkinForm::CaptionDblClick() {
    if (!Sizeable()) {
        RollUp(!FRolledUp);
        return;
    }
    if (FWindowState == skwsMinimized)
        SetWindowState(skwsNormal);
    else if (FWindowState != skwsMaximized && !FRolledUp && (FBorderIcons & skbiMaximize))
        SetWindowState(skwsMaximized);
    else if (FWindowState == skwsMaximized && !FRolledUpWhenMaximized)
        SetWindowState(skwsNormal);
    else
        RollUp(!FRolledUp);
}

void TskSkinForm::WMNcActivate(TMessage& Message) {
    if (FSkinMenuOpen) SkinMenuClose(this);
    FFrameActive = Message.WParam != 0;
    FrameRepaint();
    SetActiveState(HasBorder() && !IsMaximizedChild());
    if (IsMDIChild()) ChildActivationChanged();
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
    if (pw < MinWidth && FWindowState != skwsMinimized) return MinWidth;
    if (FSkinData->formminwidth > 0) return FSkinData->formminwidth;
    return pw;
}

int TskSkinForm::GetMinHeight() const {
    const int frame =
        FSkinInUse ? FSkinData->Picture.Height() - FSkinData->clientrect.Height() : CaptionHeight() + 6;
    if (MinHeight > frame && !FRolledUp && FWindowState != skwsMinimized) return MinHeight;
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
    // The button row: close, maximize, minimize, roll-up, tray, then the custom ones.
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
    for (auto& o : FObjects)
        if (rowMember(o.get()) && o->Command() == cmSysMenu) {
            sysMenu = o.get();
            break;
        }
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
    if (FRolledUp || FWindowState == skwsMinimized) return OverCaption(p) ? HTCAPTION : HTOBJECT;
    const TskActiveSkinObject* hot = HotObject();
    if (hot && !dynamic_cast<const TskSkinCaptionObject*>(hot) && !OverCaption(p) && !Inside(cl, p) &&
        !FInSizeMove)
        return HTOBJECT;
    auto notAtEdge = [&] {
        if (Inside(cl, p)) return HTCLIENT;
        return OverCaption(p) ? HTCAPTION : HTOBJECT;
    };
    if (FWindowState == skwsMaximized || !Sizeable()) return notAtEdge();
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
    if (FWindowState == skwsMaximized || FRolledUp || !Sizeable() || FWindowState == skwsMinimized)
        return plain();
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

// ---- objects: tracking, state, timers

TskActiveSkinObject* TskSkinForm::HotObject() const {
    return FHotIndex >= 0 && FHotIndex < int(FObjects.size()) ? FObjects[size_t(FHotIndex)].get() : nullptr;
}

TskActiveSkinObject* TskSkinForm::FindObject(const String& IDName) const {
    for (auto& o : FObjects)
        if (o->IDName == IDName) return o.get();
    return nullptr;
}

bool TskSkinForm::IsFormActive() const {
    if (FForm && (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild)) return FFrameActive;
    return FForm && FForm->Active();
}

bool TskSkinForm::TrackTimerRunning() const {
    return FTrackTimer && FTrackTimer->Enabled();
}

void TskSkinForm::TrackObjects(int X, int Y, bool Allow) {
    if (FObjects.empty() || !IsFormActive()) return;
    int next = -1;
    if (Allow) {
        // Buttons lie over the caption strip: they come first.
        int caption = -1;
        for (int i = 0; i < int(FObjects.size()); ++i) {
            const auto& o = FObjects[size_t(i)];
            if (!o->Enabled || !o->Visible || !Inside(o->ObjectRect, {X, Y})) continue;
            if (!dynamic_cast<TskSkinCaptionObject*>(o.get())) {
                next = i;
                break;
            }
            if (caption < 0) caption = i;
        }
        if (next < 0) next = caption;
        if (FPressedIndex >= 0 && next != FPressedIndex) next = -1;
    }
    if (next == FHotIndex) return;
    FPrevHotIndex = FHotIndex;
    FHotIndex = next;
    if (FPrevHotIndex >= 0 && FPrevHotIndex < int(FObjects.size())) {
        TskActiveSkinObject* old = FObjects[size_t(FPrevHotIndex)].get();
        if (old->Enabled && old->Visible) old->MouseLeave();
        if (ShowObjectHint && FSkinHint) HideObjectHint();
    }
    if (TskActiveSkinObject* hot = HotObject()) {
        hot->MouseEnter();
        if (ShowObjectHint && FSkinHint && !hot->HintText.empty()) ShowObjectHintFor(*hot);
    }
}

void TskSkinForm::TrackTimerTick() {
    if (!IsFormActive() || FInSizeMove) {
        if (FInSizeMove) EnableTrackTimer(false);
        return;
    }
    TPoint c;
    GetCursorPos(c);
    const TPoint p = ScreenToFrame(c);
    const TRect client = FSkinInUse ? FMetrics.ClientRect
                                    : TRect{3, CaptionHeight() + 3, FForm->Width() - 3, FForm->Height() - 3};
    const bool overWindow =
        WindowFromPoint(c) == FForm->WindowHandle() || GetCapture() == FForm->WindowHandle();
    TrackObjects(p.X, p.Y, overWindow && !Inside(client, p));
    if (FHotIndex < 0 && FPressedIndex < 0) EnableTrackTimer(false);
}

void TskSkinForm::ResetObjectStates() {
    for (auto& o : FObjects) {
        if (dynamic_cast<TskSkinCaptionObject*>(o.get())) continue;
        o->IsActive = false;
        o->MouseInside = false;
        o->MorphFactor = 0;
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get())) a->FrameIndex = 1;
    }
}

void TskSkinForm::SetActiveState(bool Animate) {
    const bool active = IsFormActive();
    for (auto& o : FObjects) {
        auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get());
        if (!c || c->IsActive == active) continue;
        c->IsActive = active;
        if (Animate) {
            if (c->CanAnimate()) {
                c->AnimationElapsed = 25;
                c->AnimationFrame = active ? 1 : c->inactiveanimation ? c->framecount : 0;
                StartAnimationTimer();
            }
            FrameRepaint();
            if (c->CanMorph()) StartMorphTimer();
        } else {
            c->MorphFactor = active ? 1 : 0;
        }
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TskSkinForm::EnableTrackTimer(bool On) {
    if (FTrackTimer) FTrackTimer->SetEnabled(On);
}

void TskSkinForm::StartMorphTimer() {
    if (FMorphTimer && !FMorphTimer->Enabled()) FMorphTimer->SetEnabled(true);
}

void TskSkinForm::StartAnimationTimer() {
    if (FAnimationTimer && !FAnimationTimer->Enabled()) FAnimationTimer->SetEnabled(true);
}

void TskSkinForm::StopTimers() {
    for (TTimer* t : {FTrackTimer, FMorphTimer, FAnimationTimer})
        if (t) t->SetEnabled(false);
}

void TskSkinForm::MorphTimerTick() {
    bool any = false;
    for (size_t i = 0; i < FObjects.size(); ++i) {
        TskActiveSkinObject* o = FObjects[i].get();
        if (o->CanMorph() && o->IsMorphing()) {
            o->DoMorph();
            any = true;
        }
    }
    if (!any) FMorphTimer->SetEnabled(false);
}

void TskSkinForm::AnimationTimerTick() {
    bool any = false;
    for (size_t i = 0; i < FObjects.size(); ++i) {
        TskActiveSkinObject* o = FObjects[i].get();
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o)) {
            if (a->IsActive && !(a->PressedDown && !IsEmptySkinRect(a->downskinrect)) && !a->MenuTracking) {
                a->DoAnimationStep();
                any = true;
            }
        } else if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o)) {
            if (c->DoAnimationStep()) any = true;
        }
    }
    if (!any) FAnimationTimer->SetEnabled(false);
}

// ---- events

void TskSkinForm::DoObjectMouseDown(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button) {
    if (OnMouseDownEvent) OnMouseDownEvent(o.IDName, X, Y, o.ObjectRect, Button);
}
void TskSkinForm::DoObjectMouseUp(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button) {
    if (OnMouseUpEvent) OnMouseUpEvent(o.IDName, X, Y, o.ObjectRect, Button);
}
void TskSkinForm::DoObjectMouseMove(const TskActiveSkinObject& o, int X, int Y) {
    if (OnMouseMoveEvent) OnMouseMoveEvent(o.IDName, X, Y, o.ObjectRect);
}
void TskSkinForm::DoObjectMouseEnter(const TskActiveSkinObject& o) {
    if (OnMouseEnterEvent) OnMouseEnterEvent(o.IDName);
}
void TskSkinForm::DoObjectMouseLeave(const TskActiveSkinObject& o) {
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(o.IDName);
}
void TskSkinForm::DoObjectPaint(const TskActiveSkinObject& o, HDC dc) {
    if (!OnPaintEvent) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    OnPaintEvent(o.IDName, &canvas, o.ObjectRect);
    canvas.SetHandle(nullptr);
}

} // namespace vd
