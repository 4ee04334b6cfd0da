#include "platform/vcl/Control.h"

#include "platform/vcl/ActionClient.h"
#include "platform/vcl/ActnList.h"

#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/WinControl.h"

#include <algorithm>

namespace vd {
namespace {

TControl* gCaptureControl = nullptr;

} // namespace

CursorShape CursorToShape(TCursor cursor) {
    switch (cursor) {
    case crIBeam:
        return CursorShape::IBeam;
    case crCross:
        return CursorShape::Cross;
    case crSizeNESW:
        return CursorShape::SizeNESW;
    case crSizeNS:
        return CursorShape::SizeNS;
    case crSizeNWSE:
        return CursorShape::SizeNWSE;
    case crSizeWE:
        return CursorShape::SizeWE;
    case crHourGlass:
        return CursorShape::Wait;
    case crNo:
        return CursorShape::No;
    case crHSplit:
        return CursorShape::HSplit;
    case crVSplit:
        return CursorShape::VSplit;
    case crHandPoint:
        return CursorShape::Hand;
    default:
        return CursorShape::Arrow;
    }
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (keyData & (LPARAM(1) << 29)) s |= ssAlt;
    return s;
}

TControl* GetCaptureControl() {
    if (gCaptureControl && gCaptureControl->Parent() && gCaptureControl->Parent()->HandleAllocated() &&
        GetCapture() == gCaptureControl->Parent()->WindowHandle())
        return gCaptureControl;
    if (auto* w = FindControl(GetCapture())) return w;
    return nullptr;
}

void SetCaptureControl(TControl* control) {
    ReleaseCapture();
    gCaptureControl = nullptr;
    if (!control) return;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        SetCapture(w->Handle());
        return;
    }
    if (control->Parent() && control->Parent()->Showing()) {
        SetCapture(control->Parent()->Handle());
        gCaptureControl = control;
    }
}

TCustomForm* GetParentForm(TControl* control) {
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.OnChange = [this](TObject*) {
        if (!FTakingParentLook) FParentFont = false;
        Perform(CM_FONTCHANGED, 0, 0);
    };
}

// Font and colour follow the parent while ParentFont / ParentColor hold.
void TControl::TakeParentLook() {
    if (!FParent) return;
    FTakingParentLook = true;
    if (FParentFont) FFont.Assign(FParent->Font());
    if (FParentShowHint && FShowHint != FParent->ShowHint()) {
        FShowHint = FParent->ShowHint();
        ShowHintChanged();
    }
    if (FParentColor && FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED, 0, 0);
    }
    FTakingParentLook = false;
}

void TControl::SetShowHint(bool v) {
    FParentShowHint = false;
    if (v == FShowHint) return;
    FShowHint = v;
    ShowHintChanged();
}

void TControl::SetParentShowHint(bool v) {
    FParentShowHint = v;
    if (v) TakeParentLook();
}

// Children that follow this control's ShowHint take the new value.
void TControl::ShowHintChanged() {
    Perform(CM_SHOWHINTCHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < w->ControlCount(); ++i)
            w->Controls(i)->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
    FParentFont = v;
    if (v) TakeParentLook();
}

void TControl::SetParentColor(bool v) {
    FParentColor = v;
    if (v) TakeParentLook();
}

TControl::~TControl() {
    Destroying();
}

void TControl::Destroying() {
    if (gCaptureControl == this) gCaptureControl = nullptr;
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    for (TWinControl* p = AParent; p; p = p->Parent())
        if (p == this) return; // a control cannot sit inside itself
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
    bool ok = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, ok);
    return ok;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
    if (OnConstrainedResize) OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

// Constraints, as OnConstrainedResize may adjust them for this resize (0: no limit).
void TControl::DoConstraints(int& AWidth, int& AHeight) {
    int minW = FConstraints.MinWidth, minH = FConstraints.MinHeight;
    int maxW = FConstraints.MaxWidth, maxH = FConstraints.MaxHeight;
    ConstrainedResize(minW, minH, maxW, maxH);
    if (minW > 0) AWidth = std::max(AWidth, minW);
    if (maxW > 0) AWidth = std::min(AWidth, maxW);
    if (minH > 0) AHeight = std::max(AHeight, minH);
    if (maxH > 0) AHeight = std::min(AHeight, maxH);
}

void TControl::ConstrainSize(int& AWidth, int& AHeight) {
    DoConstraints(AWidth, AHeight);
    if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    InvalidateControl(FVisible, false);
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    InvalidateControl(FVisible, false);
    if (!FAnchorMove) UpdateAnchorOrigin();
    if (sized) Resize();
    RequestAlign();
}

void TControl::UpdateAnchorOrigin() {
    if (!FParent) return;
    const TRect c = FParent->ClientRect();
    FAnchorParentSize = {c.Width(), c.Height()};
    FAnchorRect = BoundsRect();
}

TRect TControl::GetClientRect() const {
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientWidth(int v) {
    SetWidth(FWidth - ClientWidth() + v);
}
void TControl::SetClientHeight(int v) {
    SetHeight(FHeight - ClientHeight() + v);
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    if (!v) InvalidateControl(true, false);
    FVisible = v;
    if (v) InvalidateControl(true, false);
    Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetAlign(TAlign v) {
    const TAlign old = FAlign;
    FAlign = v;
    if (old == alNone && v != alNone && FParent) UpdateAnchorOrigin();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors v) {
    FAnchors = v;
    UpdateAnchorOrigin();
}

void TControl::SetText(const String& v) {
    if (v == FText) return;
    FText = v;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
    FParentColor = false;
    if (v == FColor) return;
    FColor = v;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* v) {
    FPopupMenu = v;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK) {
        // Without csDoubleClicks a double click is a plain press.
        if (!(FControlStyle & csDoubleClicks) &&
            (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
             Message.Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) FControlState |= csLButtonDown;
        if (Message.Msg == WM_LBUTTONUP) FControlState &= ~csLButtonDown;
    }
    Dispatch(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled)
        handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint && FParent && FShowHint != FParent->ShowHint()) {
            FShowHint = FParent->ShowHint();
            ShowHintChanged();
        }
        return;
    case CM_MOUSEWHEEL:
        Message.Result =
            DoMouseWheel(KeysToShiftState(LoWord(Message.WParam)),
                         static_cast<std::int16_t>(HiWord(Message.WParam)), LParamToPoint(Message.LParam))
                ? 1
                : 0;
        return;
    case WM_LBUTTONDOWN:
        WMMouseDown(Message, mbLeft, 0);
        return;
    case WM_LBUTTONDBLCLK:
        WMMouseDown(Message, mbLeft, ssDouble);
        return;
    case WM_RBUTTONDOWN:
        WMMouseDown(Message, mbRight, 0);
        return;
    case WM_RBUTTONDBLCLK:
        WMMouseDown(Message, mbRight, ssDouble);
        return;
    case WM_MBUTTONDOWN:
        WMMouseDown(Message, mbMiddle, 0);
        return;
    case WM_MBUTTONDBLCLK:
        WMMouseDown(Message, mbMiddle, ssDouble);
        return;
    case WM_LBUTTONUP:
        WMMouseUp(Message, mbLeft);
        return;
    case WM_RBUTTONUP:
        WMMouseUp(Message, mbRight);
        return;
    case WM_MBUTTONUP:
        WMMouseUp(Message, mbMiddle);
        return;
    case WM_MOUSEMOVE:
        WMMouseMove(Message);
        return;
    case WM_CONTEXTMENU:
        WMContextMenu(Message);
        return;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    case CM_PARENTFONTCHANGED:
    case CM_PARENTCOLORCHANGED:
        TakeParentLook();
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        return;
    case CM_HITTEST:
        Message.Result = HTCLIENT;
        return;
    case CM_CHANGED:
        return;
    default:
        DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_PAINT || Message.Msg == WM_ERASEBKGND) Message.Result = 0;
}

void TControl::WMMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
    DefaultHandler(Message);
    if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
    if (Button == mbLeft) {
        if (Shift & ssDouble) {
            if (FControlStyle & csClickEvents) DblClick();
        } else if (FControlStyle & csClickEvents) {
            FControlState |= csClicked;
        }
    }
    const TPoint p = LParamToPoint(Message.LParam);
    MouseDown(Button, KeysToShiftState(Message.WParam) | Shift, p.X, p.Y);
}

void TControl::WMMouseUp(TMessage& Message, TMouseButton Button) {
    DefaultHandler(Message);
    if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
    const TPoint p = LParamToPoint(Message.LParam);
    if (Button == mbLeft && (FControlState & csClicked)) {
        FControlState &= ~csClicked;
        const TRect r = ClientRect();
        if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) Click();
    }
    MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::WMMouseMove(TMessage& Message) {
    DefaultHandler(Message);
    const TPoint p = LParamToPoint(Message.LParam);
    MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
    const TPoint screen = LParamToPoint(Message.LParam);
    const bool keyboard = screen.X == -1 && screen.Y == -1;
    bool handled = false;
    DoContextPopup(keyboard ? screen : ScreenToClient(screen), handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    if (FPopupMenu && FPopupMenu->AutoPopup()) {
        TPoint p = LParamToPoint(Message.LParam);
        if (p.X == -1 && p.Y == -1) p = ClientToScreen({0, 0});
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(p.X, p.Y);
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TControl::Click() {
    ClickOrExecute(OnClick, this, FActionLink);
}

TBasicAction* TControl::Action() const {
    return LinkedAction(FActionLink);
}

void TControl::SetAction(TBasicAction* action) {
    LinkAction(FActionLink, action, [this](TBasicAction* a) { ActionChange(a); });
}

void TControl::ActionChange(TBasicAction* Sender) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (FControlStyle & csSetCaption) SetCaption(a->Caption());
    SetEnabled(a->Enabled());
    SetHint(a->Hint());
    SetVisible(a->Visible());
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

bool TControl::IsControlVisibleOnScreen() const {
    if (!FVisible) return false;
    if (!FParent) return false;
    return FParent->Showing();
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !FParent || !FParent->HandleAllocated()) return;
    const TRect r = BoundsRect();
    InvalidateRect(FParent->WindowHandle(), &r, !(isOpaque || (FControlStyle & csOpaque)) ? TRUE : FALSE);
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, (FControlStyle & csOpaque) != 0);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

// Opaque windowless controls paint at once on the parent's surface; transparent ones let the
// parent and the siblings below paint first.
void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    Invalidate();
    FParent->Update();
}

void TControl::BringToFront() {
    if (!FParent) return;
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!FParent) return;
    auto& v = FParent->FControls;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.insert(v.begin(), this);
    Invalidate();
}

bool TControl::MouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool v) {
    if (MouseCapture() == v) return;
    SetCaptureControl(v ? this : nullptr);
}

} // namespace vd
