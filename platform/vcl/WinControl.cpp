#include "platform/vcl/WinControl.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/win/CommCtrl.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

namespace vd {
namespace {

std::unordered_map<HWND, TWinControl*>& Registry() {
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

String ClassFor(UINT classStyle) {
    static std::map<UINT, String> registered;
    auto it = registered.find(classStyle);
    if (it != registered.end()) return it->second;
    WNDCLASS wc;
    wc.style = classStyle;
    wc.lpfnWndProc = MakeWndProc(VclWindowProc);
    wc.lpszClassName = "VclControl" + std::to_string(classStyle);
    RegisterClass(wc);
    registered[classStyle] = wc.lpszClassName;
    return wc.lpszClassName;
}

// An exception never unwinds through the window system, but it is never lost either: the
// message it cost is reported with the control and the message number.
void ReportWindowProcFailure(TWinControl* control, UINT msg, const char* what) {
    const Exception report(Format("%s: message 0x%.4X failed: %s", control->ClassName(), msg, String(what)));
    if (Application)
        Application->HandleException(report);
    else
        std::fprintf(stderr, "%s\n", report.what());
}

} // namespace

LRESULT VclWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        auto* control = static_cast<TWinControl*>(cs->lpCreateParams);
        SetWindowLong(hwnd, GWL_USERDATA, reinterpret_cast<LONG_PTR>(control));
        if (control) {
            control->FHandle = hwnd;
            Registry()[hwnd] = control;
        }
    }
    if (msg == WM_NCDESTROY) Registry().erase(hwnd);
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLong(hwnd, GWL_USERDATA));
    if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        if (control->WindowProc)
            control->WindowProc(m);
        else
            control->WndProc(m);
    } catch (const std::exception& e) {
        ReportWindowProcFailure(control, msg, e.what());
    } catch (...) {
        ReportWindowProcFailure(control, msg, "unknown exception");
    }
    return m.Result;
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    auto it = Registry().find(hwnd);
    return it == Registry().end() ? nullptr : it->second;
}

TWinControl* FindControl(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetAncestor(h, GA_PARENT))
        if (auto* c = TWinControl::FromHandle(h)) return c;
    return nullptr;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
}

void TWinControl::Destroying() {
    if (FBeforeDestroyHandled) return;
    FBeforeDestroyHandled = true;
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->DefocusControl(this, true);
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    DestroyHandle();
    TControl::Destroying();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams{};
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FVisible) Params.Style |= WS_VISIBLE;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
    Params.WndParent = FParent ? FParent->Handle() : nullptr;
    Params.ClassStyle = (FControlStyle & csDoubleClicks) ? CS_DBLCLKS : 0;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && !p.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    const String cls = p.WinClassName.empty() ? ClassFor(p.ClassStyle) : p.WinClassName;
    FDefWndProc = nullptr;
    WNDCLASS native;
    if (!p.SubClassOf.empty()) {
        if (!GetClassInfo(p.SubClassOf, native))
            throw EInvalidOperation("Window class '" + p.SubClassOf + "' not found");
        // Set before the window exists: its creation messages already reach the class procedure.
        FDefWndProc = native.lpfnWndProc;
    }
    if (!p.WinClassName.empty()) {
        WNDCLASS wc;
        if (!GetClassInfo(cls, wc)) {
            if (!p.SubClassOf.empty()) wc = native;
            wc.style = p.ClassStyle | (p.SubClassOf.empty() ? 0 : native.style);
            wc.lpfnWndProc = MakeWndProc(VclWindowProc);
            wc.lpszClassName = cls;
            RegisterClass(wc);
        }
    }
    HWND h =
        CreateWindowEx(p.ExStyle, cls, p.Caption, p.Style, p.X, p.Y, p.Width, p.Height, p.WndParent, this);
    if (!h) {
        FHandle = nullptr;
        throw EInvalidOperation("Error creating window");
    }
    FHandle = h;
}

void TWinControl::CreateSubClass(TCreateParams& Params, const String& ClassName) {
    Params.SubClassOf = ClassName;
    if (Params.WinClassName.empty()) Params.WinClassName = "Vcl" + ClassName;
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    // The parent's window comes first; making it makes ours too.
    if (FParent && !FParent->HandleAllocated()) {
        FParent->HandleNeeded();
        if (FHandle) return;
    }
    FControlState |= csCreating;
    try {
        CreateWnd();
    } catch (...) {
        FControlState &= ~csCreating;
        throw;
    }
    FControlState &= ~csCreating;
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
    Realign();
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::DestroyWnd() {
    HWND h = FHandle;
    if (!h) return;
    SetWindowLong(h, GWL_USERDATA, 0);
    Registry().erase(h);
    FHandle = nullptr;
    DestroyWindow(h);
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

// Style changes are applied by building the window again; text, bounds and children stay.
void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    const bool hadFocus = Focused();
    DestroyHandle();
    CreateHandle();
    UpdateShowing();
    if (hadFocus && CanFocus()) ::vd::SetFocus(FHandle);
}

bool TWinControl::Showing() const {
    return FHandle && IsWindowVisible(FHandle);
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->FParent == this) return;
    AControl->FParent = this;
    FControls.push_back(AControl);
    AControl->TakeParentLook();
    AControl->UpdateAnchorOrigin();
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (FHandle) w->CreateHandle();
    } else {
        AControl->Invalidate();
    }
    Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(FControls.begin(), FControls.end(), AControl);
    if (it == FControls.end()) return;
    if (TCustomForm* form = GetParentForm(this))
        if (auto* w = dynamic_cast<TWinControl*>(AControl)) form->DefocusControl(w, true);
    // Erase what it covered even when it is opaque: nothing paints that area any more.
    if (AControl->Visible() && FHandle) {
        const TRect r = AControl->BoundsRect();
        InvalidateRect(FHandle, &r, TRUE);
    }
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->DestroyHandle();
    FControls.erase(std::find(FControls.begin(), FControls.end(), AControl));
    AControl->FParent = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!allowWinControls && c->HasWindow()) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        const TRect r = c->BoundsRect();
        if (pos.X < r.Left || pos.Y < r.Top || pos.X >= r.Right || pos.Y >= r.Bottom) continue;
        if (c->Perform(CM_HITTEST, 0, PointToLParam({pos.X - r.Left, pos.Y - r.Top})) == 0) continue;
        return c;
    }
    return nullptr;
}

TRect TWinControl::GetClientRect() const {
    if (FHandle) return vd::GetClientRect(FHandle);
    return {0, 0, FWidth, FHeight};
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle) {
        TPoint p{0, 0};
        vd::ClientToScreen(FHandle, p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!FHandle) {
        const TSize before{FWidth, FHeight};
        TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        if (before != TSize{FWidth, FHeight}) Realign();
        return;
    }
    ConstrainSize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!FAnchorMove) UpdateAnchorOrigin();
    RequestAlign();
}

void TWinControl::SetText(const String& v) {
    if (v == FText) return;
    FText = v;
    if (FHandle) SetWindowText(FHandle, v);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, (FControlStyle & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::UpdateShowing() {
    if (!FHandle) return;
    const bool want = FVisible;
    const bool has = (GetWindowLong(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
    if (want != has) ShowWindow(FHandle, want ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK && IsControlMouseMsg(Message)) {
        // The window's own default still sees it (a right button-up becomes WM_CONTEXTMENU).
        if (Message.Result == 0 && FHandle)
            DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    TControl::WndProc(Message);
}

// Mouse messages for a windowless child under the point, or for the one holding the capture.
bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    TControl* control = nullptr;
    const TPoint p = LParamToPoint(Message.LParam);
    if (FHandle && GetCapture() == FHandle) {
        TControl* cap = GetCaptureControl();
        if (cap && cap != this && cap->Parent() == this) control = cap;
    } else {
        control = ControlAtPos(p, false);
    }
    if (!control) return false;
    Message.Result = control->Perform(Message.Msg, Message.WParam,
                                      PointToLParam({p.X - control->Left(), p.Y - control->Top()}));
    return true;
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        WMPaint(Message);
        return;
    case WM_MOUSEWHEEL:
        // The class library's wheel pipeline first; unhandled, the window's own handling.
        if (Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) == 0) DefaultHandler(Message);
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!ReflectNotification(Message)) TControl::Dispatch(Message);
        return;
    case WM_ERASEBKGND: {
        // The default erase fills with the control's colour.
        if (Message.WParam) {
            HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
            const TRect r = ClientRect();
            FillRect(reinterpret_cast<HDC>(Message.WParam), &r, b);
            DeleteObject(b);
        }
        Message.Result = 1;
        return;
    }
    case WM_SIZE:
        WMSize(Message);
        return;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(Message);
        return;
    case WM_GETMINMAXINFO:
        // The size limits hold for sizes the window system makes too (a user's edge drag).
        DefaultHandler(Message);
        if (auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam)) {
            // The constraints as OnConstrainedResize makes them, as every SetBounds sees them.
            int minW = FConstraints.MinWidth, minH = FConstraints.MinHeight;
            int maxW = FConstraints.MaxWidth, maxH = FConstraints.MaxHeight;
            ConstrainedResize(minW, minH, maxW, maxH);
            if (minW > 0) mmi->ptMinTrackSize.X = minW;
            if (minH > 0) mmi->ptMinTrackSize.Y = minH;
            if (maxW > 0) mmi->ptMaxTrackSize.X = maxW;
            if (maxH > 0) mmi->ptMaxTrackSize.Y = maxH;
        }
        return;
    case WM_SETFOCUS:
        WMSetFocus(Message);
        return;
    case WM_KILLFOCUS:
        WMKillFocus(Message);
        return;
    case WM_NCDESTROY:
        WMNCDestroy(Message);
        return;
    case WM_SETCURSOR: {
        if (static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(Message.LParam))) == HTCLIENT) {
            TPoint p;
            GetCursorPos(p);
            p = ScreenToClient(p);
            TControl* c = GetCaptureControl();
            if (!c) c = ControlAtPos(p, false);
            if (!c) c = this;
            if (c->Cursor() != crDefault) {
                SetCursorShape(CursorToShape(c->Cursor()));
                Message.Result = 1;
                return;
            }
        }
        DefaultHandler(Message);
        return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(Message);
        return;
    case CN_CHAR:
    case CN_SYSCHAR:
        CNChar(Message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(Message);
        return;
    case WM_CHAR:
        WMChar(Message);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(Message);
        return;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTFONTCHANGED:
    case CM_PARENTCOLORCHANGED: {
        if (Message.Msg == CM_PARENTFONTCHANGED || Message.Msg == CM_PARENTCOLORCHANGED) TakeParentLook();
        // Children that follow this control's look hear of it.
        TMessage m{Message.Msg == CM_FONTCHANGED || Message.Msg == CM_PARENTFONTCHANGED
                       ? CM_PARENTFONTCHANGED
                       : CM_PARENTCOLORCHANGED,
                   0, 0, 0};
        for (TControl* c : std::vector<TControl*>(FControls))
            c->WindowProc(m);
        Invalidate();
        return;
    }
    case CM_VISIBLECHANGED:
        UpdateShowing();
        return;
    case WM_CONTEXTMENU: {
        if (Message.Result) return;
        const TPoint p = LParamToPoint(Message.LParam);
        if (p.X != -1 || p.Y != -1) {
            if (TControl* c = ControlAtPos(ScreenToClient(p), false)) {
                Message.Result = c->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
                if (Message.Result) return;
            }
        }
        WMContextMenu(Message);
        return;
    }
    case CM_ENABLEDCHANGED:
        if (FHandle) EnableWindow(FHandle, FEnabled ? TRUE : FALSE);
        Invalidate();
        return;
    default:
        TControl::Dispatch(Message);
    }
}

bool TWinControl::ReflectNotification(TMessage& Message) {
    HWND from = nullptr;
    switch (Message.Msg) {
    case WM_NOTIFY:
        if (Message.LParam) from = reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (Message.LParam) from = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hwndItem;
        break;
    case WM_MEASUREITEM: {
        // Measure requests name the child by its id only.
        const auto* mi = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam);
        for (TControl* c : FControls)
            if (auto* w = dynamic_cast<TWinControl*>(c);
                w && mi && w->FHandle && static_cast<UINT>(GetWindowLong(w->FHandle, GWL_ID)) == mi->CtlID)
                from = w->FHandle;
        break;
    }
    default:
        from = reinterpret_cast<HWND>(Message.LParam);
    }
    TWinControl* child = from && from != FHandle ? FromHandle(from) : nullptr;
    if (!child || child->Parent() != this) return false;
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    Message.Result = CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WMPaint(TMessage& Message) {
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    PAINTSTRUCT ps;
    if (!dc) {
        BeginPaint(FHandle, ps);
        dc = ps.hdc;
    }
    const int saved = SaveDC(dc);
    // Opaque windowless children cover their part: the parent leaves it alone.
    for (TControl* c : FControls)
        if (!c->HasWindow() && c->Visible() && (c->ControlStyle() & csOpaque))
            ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    PaintWindow(reinterpret_cast<std::uintptr_t>(dc));
    RestoreDC(dc, saved);
    PaintControls(reinterpret_cast<std::uintptr_t>(dc), nullptr);
    if (!Message.WParam) EndPaint(FHandle, ps);
}

void TWinControl::PaintWindow(std::uintptr_t DC) {
    TMessage m{WM_PAINT, DC, 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(std::uintptr_t DCValue, TControl* First) {
    HDC dc = reinterpret_cast<HDC>(DCValue);
    auto start = FControls.begin();
    if (First) {
        start = std::find(FControls.begin(), FControls.end(), First);
        if (start == FControls.end()) start = FControls.begin();
    }
    for (auto it = start; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (c->HasWindow() || !c->Visible()) continue;
        const TRect r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        const int saved = SaveDC(dc);
        TPoint org;
        GetViewportOrgEx(dc, &org);
        SetViewportOrgEx(dc, org.X + c->Left(), org.Y + c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::WMSize(TMessage& Message) {
    DefaultHandler(Message);
    Realign();
    if (!(ComponentState() & csLoading)) Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
    const auto* wp = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (FHandle && wp) {
        TRect r = vd::GetWindowRect(FHandle);
        // Relative to the parent window, also one that is not a control (a child form's
        // multiple-document client window).
        const HWND parent = FParent && FParent->HandleAllocated()            ? FParent->FHandle
                            : (GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) ? GetParent(FHandle)
                                                                             : nullptr;
        if (parent) {
            TPoint o{0, 0};
            vd::ClientToScreen(parent, o);
            r = {r.Left - o.X, r.Top - o.Y, r.Right - o.X, r.Bottom - o.Y};
        }
        FLeft = r.Left;
        FTop = r.Top;
        FWidth = r.Width();
        FHeight = r.Height();
    }
    DefaultHandler(Message);
}

// The form learns of the new focus inside the inherited handling, so a control's own
// WM_SETFOCUS code around it runs before and after as it chooses.
void TWinControl::WMSetFocus(TMessage& Message) {
    DefaultHandler(Message);
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetFocusedControl(this);
}
void TWinControl::WMKillFocus(TMessage& Message) {
    DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
    DefaultHandler(Message);
    FHandle = nullptr;
}

void TWinControl::CNKeyDown(TMessage& Message) {
    Message.Result = 1;
    TCustomForm* form = GetParentForm(this);
    if (form && form->IsShortCut(Message)) return;
    LRESULT mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 && form &&
        form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
        return;
    Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
    Message.Result = 0;
    TCustomForm* form = GetParentForm(this);
    const bool alt = Message.Msg == CN_SYSCHAR;
    if (form && (alt || (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) &&
        form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        Message.Result = 1;
}

void TWinControl::WMKeyDown(TMessage& Message) {
    Word key = static_cast<Word>(Message.WParam);
    TCustomForm* form = GetParentForm(this);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (form && form != this && form->KeyPreview()) {
        static_cast<TWinControl*>(form)->KeyDown(key, shift);
        if (key == 0) return;
    }
    KeyDown(key, shift);
    if (key == 0) return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    Word key = static_cast<Word>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    if (key == 0) return;
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    TKeyChar ch = static_cast<TKeyChar>(Message.WParam);
    KeyPress(ch);
    if (ch == 0) return;
    Message.WParam = ch;
    DefaultHandler(Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

} // namespace vd
