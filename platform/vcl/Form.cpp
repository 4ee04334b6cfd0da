#include "platform/vcl/Form.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Screen.h"

#include <algorithm>

namespace vd {

// FormMDI.cpp: a minimized child hands activation on.
void MDIChildMinimized(TCustomForm& child);

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FColor = clBtnFace;
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    FWidth = 320;
    FHeight = 240;
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
}

void TCustomForm::Destroying() {
    if (FBeforeDestroyHandled) return;
    if (OnDestroy) OnDestroy(this);
    if (Screen) Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
    TWinControl::Destroying();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::SetMenu(TMainMenu* v) {
    FMenu = v;
}

void TCustomForm::SetWindowMenu(TMenuItem* v) {
    FWindowMenu = v;
}

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (v == FFormStyle) return;
    const bool mdiChange =
        v == fsMDIChild || v == fsMDIForm || FFormStyle == fsMDIChild || FFormStyle == fsMDIForm;
    FFormStyle = v;
    if (mdiChange)
        RecreateWnd();
    else if (HandleAllocated())
        SetWindowPos(FHandle, v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    if (v == FBorderIcons) return;
    FBorderIcons = v;
    if (!HandleAllocated()) return;
    DWord style = static_cast<DWord>(GetWindowLong(FHandle, GWL_STYLE)) &
                  ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    if (v & biSystemMenu) style |= WS_SYSMENU;
    if (v & biMinimize) style |= WS_MINIMIZEBOX;
    if (v & biMaximize) style |= WS_MAXIMIZEBOX;
    SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone) {
        if (FBorderIcons & biSystemMenu) Params.Style |= WS_SYSMENU;
        if (FBorderIcons & biMinimize) Params.Style |= WS_MINIMIZEBOX;
        if (FBorderIcons & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    Params.WndParent = Application ? Application->Handle() : nullptr;
    if (FFormStyle == fsMDIChild) {
        TCustomForm* frame = Application ? Application->MainForm() : nullptr;
        if (!frame || frame->FFormStyle != fsMDIForm) throw EInvalidOperation("No MDI parent form is active");
        frame->HandleNeeded();
        Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD;
        Params.WndParent = frame->FClientHandle;
    }
    Params.ClassStyle = CS_DBLCLKS;
    Params.WinClassName = "VclForm";
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (FFormStyle == fsMDIForm) CreateMDIClient();
    // The desktop shows the form's own icon, else the program's.
    const TIcon* icon = FIcon && !FIcon->Empty() ? FIcon : Application ? &Application->Icon() : nullptr;
    if (icon && !icon->Empty() && !(GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD))
        SendMessage(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon->Handle()));
}

void TCustomForm::PaintWindow(std::uintptr_t DC) {
    (void)DC;
    if (OnPaint) OnPaint(this);
}

void TCustomForm::ApplyPosition() {
    if (FShown) return;
    FShown = true;
    TRect area;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: {
        MONITORINFO mi;
        GetMonitorInfo(MonitorFromPoint({FLeft, FTop}, MONITOR_DEFAULTTOPRIMARY), mi);
        area = FPosition == poScreenCenter ? mi.rcWork : mi.rcMonitor;
        break;
    }
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* other = Application ? Application->MainForm() : nullptr;
        if (FPosition == poOwnerFormCenter) other = dynamic_cast<TCustomForm*>(Owner());
        if (!other || other == this) return;
        area = other->BoundsRect();
        break;
    }
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth,
              FHeight);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (HandleAllocated()) SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TWindowState TCustomForm::WindowState() const {
    if (FHandle && IsIconic(FHandle)) return wsMinimized;
    if (FHandle && IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        if (FVisible) {
            HandleNeeded();
            ApplyPosition();
            if (OnShow) OnShow(this);
            ShowWindow(Handle(), SW_SHOW);
            if (FFormStyle == fsMDIChild)
                SendMessage(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
        } else {
            if (OnHide) OnHide(this);
            if (FHandle && FFormStyle == fsMDIChild) MDIChildLeaving();
            if (FHandle) ShowWindow(FHandle, SW_HIDE);
        }
        return;
    case WM_MDIACTIVATE:
        if (FFormStyle == fsMDIChild) MDIActivated(reinterpret_cast<HWND>(Message.LParam) == FHandle);
        return;
    case WM_MOUSEACTIVATE:
        // A click on a child of the client brings that child forward first.
        if (FFormStyle == fsMDIChild)
            SendMessage(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
        break;
    case WM_SIZE:
        if (FFormStyle == fsMDIChild && Message.WParam == SIZE_MINIMIZED && FHandle) MDIChildMinimized(*this);
        break;
    case WM_NCACTIVATE:
        // The active child's caption follows the frame's.
        if (FFormStyle == fsMDIForm && FActiveMDIChild && IsWindow(FActiveMDIChild))
            SendMessage(FActiveMDIChild, WM_NCACTIVATE, Message.WParam, 0);
        break;
    case WM_ACTIVATE:
        SetActive(LoWord(Message.WParam) != WA_INACTIVE);
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_QUERYENDSESSION:
        Message.Result = CloseQuery() ? 1 : 0;
        return;
    case CM_RELEASE:
        DeferFree();
        return;
    case WM_SYSCOMMAND:
        if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
            Application->Minimize();
            return;
        }
        break;
    case CM_DIALOGKEY:
        if (GetKeyState(VK_MENU) >= 0) {
            if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            if (Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) {
                if (FActiveControl && FActiveControl->Parent()) {
                    FActiveControl->Parent()->SelectNext(
                        FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                    Message.Result = 1;
                }
                return;
            }
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}

void TCustomForm::SetActive(bool value) {
    FActive = value;
    if (value) {
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        if (Screen) Screen->SetActiveForm(this);
        SetWindowFocus();
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::MDIActivated(bool on) {
    FActive = on;
    if (!on) {
        Deactivate();
        return;
    }
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    TCustomForm* frame = Application ? Application->MainForm() : nullptr;
    if (frame && frame->HandleAllocated() && GetActiveWindow() == frame->WindowHandle()) SetWindowFocus();
    Activate();
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SetWindowFocus() {
    if (!HandleAllocated()) return;
    if (TCustomForm* child = ActiveMDIChild()) {
        child->SetWindowFocus();
        return;
    }
    HWND target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl->Handle() : FHandle;
    if (GetFocus() != target) ::vd::SetFocus(target);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && (!ContainsControl(control) || control == this)) throw EInvalidOperation("Invalid control");
    // A resource names it before the form is shown: nothing can be focused yet.
    if (control && !(ComponentState() & csLoading) && !control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control && !control->CanFocus()) return;
    const bool wasActive = FActive;
    FActiveControl = control;
    if (HandleAllocated() && (wasActive || Showing())) SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (Screen) {
        Screen->SetActiveControl(control);
        Screen->SetFocusedForm(this);
    }
    if (FFocusedControl == control) return true;
    if (control != this) FActiveControl = control;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    TWinControl* common = old;
    while (common && common != this && !common->ContainsControl(control)) {
        common->Perform(CM_EXIT, 0, 0);
        common = common->Parent();
    }
    std::vector<TWinControl*> enter;
    for (TWinControl* c = control; c && c != this && c != common; c = c->Parent())
        enter.push_back(c);
    for (auto it = enter.rbegin(); it != enter.rend(); ++it)
        (*it)->Perform(CM_ENTER, 0, 0);
    if (FFocusedControl != control) return false;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && FFocusedControl && control->ContainsControl(FFocusedControl))
        FFocusedControl = control->Parent();
    if (FActiveControl && control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (Screen && Screen->ActiveControl() && control->ContainsControl(Screen->ActiveControl()))
        Screen->SetActiveControl(nullptr);
}

bool TCustomForm::IsShortCut(TMessage& Message) {
    bool handled = false;
    if (OnShortCut) OnShortCut(Message, handled);
    if (!handled && FMenu) handled = FMenu->IsShortCut(Message);
    return handled;
}

bool TCustomForm::CloseQuery() {
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    // A child of a multiple-document form is minimized by default, or kept when it cannot be.
    TCloseAction action = FFormStyle != fsMDIChild      ? caHide
                          : (FBorderIcons & biMinimize) ? caMinimize
                                                        : caNone;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        if (FHandle) ShowWindow(FHandle, SW_MINIMIZE);
        break;
    default:
        Release();
        break;
    }
}

void TCustomForm::Release() {
    // Going away: the next window of its kind may take the name before this one is freed.
    SetName(String());
    if (HandleAllocated())
        PostMessage(FHandle, CM_RELEASE, 0, 0);
    else
        DeferFree();
}

namespace {
TModalLoopHook& ModalLoopHookSlot() {
    static TModalLoopHook hook;
    return hook;
}
} // namespace

TModalLoopHook SetModalLoopHook(TModalLoopHook Hook) {
    TModalLoopHook old = std::move(ModalLoopHookSlot());
    ModalLoopHookSlot() = std::move(Hook);
    return old;
}

TModalResult TCustomForm::ShowModal() {
    if (FVisible || !FEnabled || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND cap = GetCapture()) {
        SendMessage(cap, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    if (HWND focus = GetFocus()) SendMessage(focus, WM_CANCELMODE, 0, 0);
    const HWND previous = GetActiveWindow();
    // The other forms take no input while this one is up.
    std::vector<HWND> disabled;
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TCustomForm* f = Screen->Forms(i);
            if (f != this && f->HandleAllocated() && IsWindowVisible(f->FHandle) &&
                IsWindowEnabled(f->FHandle)) {
                disabled.push_back(f->FHandle);
                EnableWindow(f->FHandle, FALSE);
            }
        }
    if (Application) Application->ModalStarted();
    FModal = true;
    FModalResult = mrNone;
    auto restore = [&] {
        FModal = false;
        for (HWND h : disabled)
            if (IsWindow(h)) EnableWindow(h, TRUE);
        if (Application) Application->ModalFinished();
    };
    TModalResult result = mrNone;
    try {
        Show();
        bool hookPending = static_cast<bool>(ModalLoopHookSlot());
        while (FModalResult == mrNone) {
            if (hookPending) {
                hookPending = false;
                Application->ProcessMessages();
                // A copy: the hook may replace itself.
                if (TModalLoopHook hook = ModalLoopHookSlot()) hook(*this);
            } else {
                Application->HandleMessage();
            }
            if (Application->Terminated()) {
                FModalResult = mrCancel;
            } else if (FModalResult != mrNone) {
                // The close protocol may keep the form up.
                TCloseAction action = caNone;
                if (CloseQuery()) {
                    action = caHide;
                    DoClose(action);
                }
                if (action == caNone) FModalResult = mrNone;
                if (action == caFree) Release();
            }
        }
        result = FModalResult;
        Hide();
    } catch (...) {
        // A modal form is never left up without its loop.
        FModalResult = mrNone;
        try {
            Hide();
        } catch (...) {
        }
        restore();
        throw;
    }
    restore();
    if (previous && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
    return result;
}

} // namespace vd
