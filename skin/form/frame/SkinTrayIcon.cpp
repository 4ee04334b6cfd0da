#include "skin/form/frame/SkinTrayIcon.h"

#include "platform/rtl/SysUtils.h"
#include "platform/shell/MessageWindow.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/form/frame/SkinForm.h"

#include <algorithm>

namespace vd {

TskTrayIcon::TskTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
    FAnimateTimer = new TTimer(this);
    FAnimateTimer->SetEnabled(false);
    FAnimateTimer->SetInterval(FAnimateTimerInterval);
    FAnimateTimer->SetOnTimer([this](TObject*) { AnimateTimerTick(); });
    FClickTimer = new TTimer(this);
    FClickTimer->SetEnabled(false);
    // Clicks are told from double clicks by the desktop's time, as in every other window.
    FClickTimer->SetInterval(GetDoubleClickTime());
    FClickTimer->SetOnTimer([this](TObject*) { ClickTimerTick(); });
    if (!Designing() && Application && !Application->Icon().Empty() && UseAppIcon())
        FIcon.Assign(Application->Icon());
    FHandle = CreateMessageWindow([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (h != FHandle) return DefWindowProc(h, m, w, l);
        return HiddenWndProc(m, w, l);
    });
    WatchTaskbarCreated(FHandle);
    if (!Designing()) {
        HookWindows();
        HookOwner();
    }
}

TskTrayIcon::~TskTrayIcon() {
    Destroying();
    UnhookWindows();
    if (FOwnerFrame) {
        FOwnerFrame->RemoveMessageHook(this);
        FOwnerFrame = nullptr;
    }
    if (FIconShown || FIconVisible) {
        NOTIFYICONDATA d;
        d.hWnd = FHandle;
        d.uID = 1;
        Shell_NotifyIcon(NIM_DELETE, d);
    }
    FIconShown = false;
    UnwatchTaskbarCreated(FHandle);
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TskTrayIcon::HookWindows() {
    if (!Application) return;
    FAppWindow = Application->Handle();
    FSavedAppProc =
        SetWindowProc(FAppWindow, MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          TMessage msg{m, w, l, 0};
                          if (h == FAppWindow) AppMessage(msg);
                          return CallWindowProc(FSavedAppProc, h, m, w, l);
                      }));
}

void TskTrayIcon::UnhookWindows() {
    if (FAppWindow && IsWindow(FAppWindow) && FSavedAppProc) SetWindowProc(FAppWindow, FSavedAppProc);
    FAppWindow = nullptr;
    FSavedAppProc.reset();
}

void TskTrayIcon::HookOwner() {
    if (Designing()) return;
    TskSkinForm* frame = GetSkinForm(Owner());
    if (!frame || frame == FOwnerFrame) return;
    // Followed by a link: the frame may go first, or the icon.
    FOwnerFrame = frame;
    frame->AddMessageHook(this, [this](TMessage& Message) { OwnerMessage(Message); });
}

void TskTrayIcon::OwnerMessage(TMessage& Message) {
    if (Message.Msg == WM_SHOWWINDOW) {
        if (Message.WParam == 1 && Message.LParam == 0) OwnerShown();
        return;
    }
    if (Message.Msg != WM_ACTIVATE || FFixingFocus) return;
    const auto how = LoWord(static_cast<std::uintptr_t>(Message.WParam));
    TWinControl* active = Screen ? Screen->ActiveControl() : nullptr;
    if ((how != WA_ACTIVE && how != WA_CLICKACTIVE) || !active || !active->HandleAllocated()) return;
    // Only a control of the owner form: giving the focus to another window's control would
    // activate that window in the middle of this activation.
    if (GetParentForm(active) != Owner()) return;
    // Coming back from another window: the control that had the focus gets it again.
    TWinControl* home = active->Parent() ? active->Parent() : active;
    const HWND from = reinterpret_cast<HWND>(Message.LParam);
    if (home->HandleAllocated() && from == home->WindowHandle()) return;
    FFixingFocus = true;
    SetFocus(active->WindowHandle());
    FFixingFocus = false;
}

void TskTrayIcon::Loaded() {
    TComponent::Loaded();
    if (dynamic_cast<TWinControl*>(Owner()) && MinimizedOnStart && !Designing()) {
        FIconVisible = true;
        FMinimizeToTray = true;
        if (Application) {
            Application->ShowMainForm = false;
            ShowWindow(Application->Handle(), SW_HIDE);
        }
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
    HookOwner();
}

bool TskTrayIcon::FillData(NOTIFYICONDATA& d) const {
    if (Designing() && !FSettingPreview && !FDesignPreview) return false;
    d.hWnd = FHandle;
    d.uID = 1;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = CallbackMessage;
    d.hIcon = FIcon.Handle();
    d.szTip = !FHint.empty() && FShowHint ? CutTrayTip(FHint) : String();
    return true;
}

void TskTrayIcon::ShowIcon() {
    if (!FSettingPreview) FIconVisible = true;
    if (Designing() && !FSettingPreview) return;
    NOTIFYICONDATA d;
    if (FillData(d)) FIconShown = Shell_NotifyIcon(NIM_ADD, d) != FALSE;
}

void TskTrayIcon::HideIcon() {
    if (!FSettingPreview) FIconVisible = false;
    if (Designing() && !FSettingPreview) return;
    NOTIFYICONDATA d;
    if (FillData(d)) Shell_NotifyIcon(NIM_DELETE, d);
    FIconShown = false;
}

void TskTrayIcon::ModifyIcon() {
    NOTIFYICONDATA d;
    if (FIconShown && FillData(d)) Shell_NotifyIcon(NIM_MODIFY, d);
}

void TskTrayIcon::SetIconVisible(bool Value) {
    if (Value)
        ShowIcon();
    else
        HideIcon();
}

void TskTrayIcon::SetIcon(const TIcon& Value) {
    FIcon.Assign(Value);
    ModifyIcon();
}

void TskTrayIcon::SetHint(const String& Value) {
    FHint = Value;
    ModifyIcon();
}

void TskTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    ModifyIcon();
}

void TskTrayIcon::SetPopupMenu(TskSkinPopupMenu* Value) {
    FPopupMenu = Value;
}

void TskTrayIcon::SetIconList(TCustomImageList* Value) {
    FIconList = Value;
    FIconIndex = 0;
}

void TskTrayIcon::SetIconIndex(int Value) {
    // An empty list keeps index 0 and the icon; negative indexes count as 0.
    if (FIconList && FIconList->Count() > 0) {
        FIconIndex = std::clamp(Value, 0, FIconList->Count() - 1);
        TIcon icon;
        if (FIconList->GetIcon(FIconIndex, icon)) FIcon.Assign(icon);
    } else {
        FIconIndex = 0;
    }
    ModifyIcon();
}

void TskTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    if (Value) FIconIndex = 0;
    FAnimateTimer->SetEnabled(Value);
}

void TskTrayIcon::SetAnimateTimerInterval(unsigned Value) {
    FAnimateTimerInterval = Value;
    FAnimateTimer->SetInterval(Value);
}

void TskTrayIcon::SetDesignPreview(bool Value) {
    FDesignPreview = Value;
    FSettingPreview = true;
    SetIconVisible(Value);
    FSettingPreview = false;
}

void TskTrayIcon::AnimateTimerTick() {
    if (!FIconList || FIconList->Count() == 0) return;
    const int count = FIconList->Count();
    if (FIconIndex >= count) FIconIndex = 0;
    TIcon icon;
    if (FIconList->GetIcon(FIconIndex, icon)) FIcon.Assign(icon);
    Cycle(FIconIndex >= count - 1 ? 0 : FIconIndex + 1);
    ModifyIcon();
    FIconIndex = FIconIndex >= count - 1 ? 0 : FIconIndex + 1;
}

TShiftState TskTrayIcon::ShiftState() const {
    TShiftState s = 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetAsyncKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetAsyncKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    return s;
}

LRESULT TskTrayIcon::HiddenWndProc(UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (Msg == CallbackMessage) {
        if (Enabled) TrayNotify(lParam);
        return 0;
    }
    if (Msg == TaskbarCreatedMessage()) {
        // A notification area appeared: the icon goes back in.
        if (FIconVisible) ShowIcon();
        return 0;
    }
    if (Msg == TrayLostMessage()) {
        TrayLost();
        return 0;
    }
    switch (Msg) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY:
        return 1;
    default:
        return DefWindowProc(FHandle, Msg, wParam, lParam);
    }
}

void TskTrayIcon::TrayLost() {
    FIconShown = false;
    // A window hidden in the notification area must not stay out of reach.
    if (FHidApplication) {
        FHidApplication = false;
        ShowMainForm();
        if (Application) Application->Restore();
        if (OnTrayLost) OnTrayLost(this);
    }
}

void TskTrayIcon::TrayNotify(LPARAM mouse) {
    TPoint p;
    GetCursorPos(p);
    const TShiftState shift = ShiftState();
    switch (UINT(mouse)) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
        FClickTimer->SetEnabled(false);
        FClickTimer->SetInterval(GetDoubleClickTime());
        FClickTimer->SetEnabled(true);
        MouseDown(mbLeft, shift | ssLeft, p.X, p.Y);
        FClickStart = true;
        if (PopupByLeftButton) PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClickStart) FClickReady = true;
        if (FClickStart && !FClickTimer->Enabled()) {
            // The press outlasted the double-click time.
            FClickStart = FClickReady = false;
            Click();
        }
        FClickStart = false;
        MouseUp(mbLeft, shift | ssLeft, p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        FIsDblClick = true;
        DblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup() && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            for (int i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Default) {
                    items->Items(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift | ssRight, p.X, p.Y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift | ssRight, p.X, p.Y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift | ssMiddle, p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift | ssMiddle, p.X, p.Y);
        break;
    case BalloonClickMessage:
        if (OnBalloonHintClick) OnBalloonHintClick(this);
        break;
    default:
        break;
    }
}

void TskTrayIcon::ClickTimerTick() {
    FClickTimer->SetEnabled(false);
    if (!FIsDblClick && FClickReady) {
        FClickReady = false;
        Click();
    }
    FIsDblClick = false;
}

void TskTrayIcon::Click() {
    if (OnClick) OnClick(this);
}
void TskTrayIcon::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TskTrayIcon::Cycle(int NextIndex) {
    if (OnCycle) OnCycle(this, NextIndex);
}
void TskTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TskTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TskTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TskTrayIcon::MinimizeToTray() {
    // Hidden only when the icon really is in a notification area; otherwise the application
    // stays iconified in the task bar, where the user can reach it.
    SetIconVisible(true);
    if (FIconShown) HideMainForm();
}

void TskTrayIcon::AppMessage(TMessage& Message) {
    if (Message.Msg == WM_SIZE && Message.WParam == SIZE_MINIMIZED && FMinimizeToTray) {
        MinimizeToTray();
        return;
    }
    if (Message.Msg == WM_WINDOWPOSCHANGED && FSettingMDIForm && Application && Application->MainForm()) {
        if (Application->MainForm()->FormStyle() == fsMDIForm && MinimizedOnStart)
            ShowWindow(Application->Handle(), SW_HIDE);
        FSettingMDIForm = false;
    }
}

void TskTrayIcon::ShowMainForm() {
    if (!dynamic_cast<TWinControl*>(Owner()) || !Application || !Application->MainForm()) return;
    FHidApplication = false;
    HWND app = Application->Handle();
    ShowWindow(app, SW_RESTORE);
    TCustomForm* main = Application->MainForm();
    main->SetVisible(true);
    if (main->HandleAllocated() && IsIconic(main->WindowHandle()))
        ShowWindow(main->WindowHandle(), SW_RESTORE);
}

void TskTrayIcon::OwnerShown() {
    if (!Application) return;
    HWND app = Application->Handle();
    if (IsWindowVisible(app) && !IsIconic(app)) return;
    FHidApplication = false;
    ShowWindow(app, SW_RESTORE);
    SetForegroundWindow(app);
}

void TskTrayIcon::HideMainForm() {
    if (!dynamic_cast<TWinControl*>(Owner()) || !Application || !Application->MainForm()) return;
    Application->MainForm()->SetVisible(false);
    ShowWindow(Application->Handle(), SW_HIDE);
    FHidApplication = true;
}

void TskTrayIcon::PopupAtCursor() {
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
    TPoint p;
    if (!GetCursorPos(p)) return;
    if (Application) Application->ProcessMessages();
    if (!FPopupMenu) return;
    SetForegroundWindow(FHandle);
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->WindowHandle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
    if (owner && owner->HandleAllocated()) PostMessage(owner->WindowHandle(), WM_NULL, 0, 0);
}

const TPropertyTable<TskTrayIcon>& TskTrayIcon::Properties() {
    using namespace props;
    using C = TskTrayIcon;
    constexpr auto FromBool = &TPropValue::FromBool;
    static const TPropertyTable<C> table{
        TNameMatch::IgnoreCase,
        {
            {"Enabled", Store(&C::Enabled, AsBool)},
            {"IconVisible",
             [](C& c, const TPropValue& v) {
                 c.FIconVisible = v.AsBool();
                 if (!(c.ComponentState() & csLoading)) c.SetIconVisible(c.FIconVisible);
             },
             Unless(&C::FIconVisible, true, FromBool)},
            {"Hint", Call(&C::SetHint, AsText), Unless(&C::FHint, String(), &TPropValue::FromString)},
            {"ShowHint", Call(&C::SetShowHint, AsBool)},
            {"PopupByLeftButton", Store(&C::PopupByLeftButton, AsBool),
             Unless(&C::PopupByLeftButton, false, FromBool)},
            {"MinimizedOnStart", Store(&C::MinimizedOnStart, AsBool),
             Unless(&C::MinimizedOnStart, false, FromBool)},
            {"MinimizeToTray", Store(&C::FMinimizeToTray, AsBool)},
            {"CycleIcons", Call(&C::SetCycleIcons, AsBool)},
            {"AnimateTimerInterval",
             [](C& c, const TPropValue& v) { c.SetAnimateTimerInterval(static_cast<unsigned>(v.AsInt())); }},
            {"IconIndex", Call(&C::SetIconIndex, AsInt)},
            {"DesignPreview", Store(&C::FDesignPreview, AsBool)},
            {"PopupMenu", LinkAny<TskSkinPopupMenu>(&C::SetPopupMenu),
             [](const C& c) { return LinkName(c.PopupMenu()); }},
            {"IconList", LinkAny<TCustomImageList>(&C::SetIconList)},
        }};
    return table;
}

bool TskTrayIcon::SetProperty(const String& name, const TPropValue& value) {
    return Properties().Set(*this, name, value) || TComponent::SetProperty(name, value);
}

bool TskTrayIcon::SetComponentProperty(const String& name, TComponent* value) {
    return Properties().SetComponent(*this, name, value) || TComponent::SetComponentProperty(name, value);
}

void TskTrayIcon::GetProperties(TPropList& out) const {
    TComponent::GetProperties(out);
    Properties().Get(*this, out);
}

} // namespace vd
