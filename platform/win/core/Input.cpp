// Routing of mouse and key input, capture, focus and activation.
#include "platform/win/core/WinCore.h"

#include <array>
#include <atomic>
#include <cstdlib>

namespace vd {
namespace wincore {
namespace {

std::array<std::atomic<bool>, 256> gAsyncDown{};
std::array<std::atomic<bool>, 256> gSyncDown{};

int ButtonVk(RawButton b) {
    switch (b) {
    case RawButton::Left:
        return VK_LBUTTON;
    case RawButton::Right:
        return VK_RBUTTON;
    case RawButton::Middle:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

void ApplyKeys(std::array<std::atomic<bool>, 256>& keys, const RawInput& in) {
    switch (in.kind) {
    case RawInput::ButtonDown:
    case RawInput::ButtonUp:
        if (int vk = ButtonVk(in.button)) keys[vk] = in.kind == RawInput::ButtonDown;
        break;
    case RawInput::KeyDown:
    case RawInput::KeyUp:
        if (in.vk > 0 && in.vk < 256) keys[in.vk] = in.kind == RawInput::KeyDown;
        break;
    default:
        break;
    }
}

WPARAM MouseKeys() {
    WPARAM mk = 0;
    if (gSyncDown[VK_LBUTTON]) mk |= MK_LBUTTON;
    if (gSyncDown[VK_RBUTTON]) mk |= MK_RBUTTON;
    if (gSyncDown[VK_MBUTTON]) mk |= MK_MBUTTON;
    if (gSyncDown[VK_SHIFT]) mk |= MK_SHIFT;
    if (gSyncDown[VK_CONTROL]) mk |= MK_CONTROL;
    return mk;
}

UINT ClientMessage(const RawInput& in, bool dbl) {
    if (in.kind == RawInput::MouseMove) return WM_MOUSEMOVE;
    const bool down = in.kind == RawInput::ButtonDown;
    switch (in.button) {
    case RawButton::Left:
        return down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case RawButton::Right:
        return down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    case RawButton::Middle:
        return down ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
    default:
        return WM_MOUSEMOVE;
    }
}

// Non-client messages sit at the client number minus 0x160.
UINT NcMessage(UINT client) {
    return client - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
}

bool IsDoubleClick(ThreadQueue& q, HWND h, UINT downMsg, const MSG& m) {
    ClickState& c = q.click;
    const bool dbl = c.valid && c.hwnd == h && c.downMsg == downMsg &&
                     m.time - c.time <= CurrentBackend().DoubleClickTime() &&
                     std::abs(m.pt.X - c.pt.X) <= 2 && std::abs(m.pt.Y - c.pt.Y) <= 2;
    if (dbl) {
        c.valid = false;
    } else {
        c = ClickState{h, downMsg, m.time, m.pt, true};
    }
    return dbl;
}

Window* EnabledTarget(HWND h) {
    Window* w = Get(h);
    // Input to a disabled window, or to a child of one, is blocked.
    return w && EffectivelyEnabled(*w) ? w : nullptr;
}

bool RouteMouse(ThreadQueue& q, const RawInput& in, MSG& msg) {
    msg = MSG{};
    msg.time = static_cast<DWord>(CurrentBackend().NowMs());
    msg.pt = in.screen;
    const bool down = in.kind == RawInput::ButtonDown;
    if (down) q.altArmed = false;
    if (in.kind == RawInput::Wheel) {
        HWND target = q.focus ? q.focus : q.active;
        if (!Get(target)) return false;
        msg.hwnd = target;
        msg.message = WM_MOUSEWHEEL;
        const std::int32_t packed = static_cast<std::int32_t>(
            (static_cast<std::uint32_t>(in.wheelDelta) << 16) | (MouseKeys() & 0xFFFF));
        msg.wParam = static_cast<WPARAM>(static_cast<std::intptr_t>(packed));
        msg.lParam = PointToLParam(in.screen);
        return true;
    }
    if (WindowRef cap = Lookup(q.capture)) {
        // Captured: a client message in the capture window's coordinates, whatever is under it.
        UINT m = ClientMessage(in, false);
        if (down && (cap->cls->style & CS_DBLCLKS) && IsDoubleClick(q, cap->Handle(), m, msg))
            m = ClientMessage(in, true);
        TPoint p = in.screen;
        ScreenToClient(cap->Handle(), p);
        msg.hwnd = cap->Handle();
        msg.message = m;
        msg.wParam = MouseKeys();
        msg.lParam = PointToLParam(p);
        return true;
    }
    WindowRef w = Lookup(WindowFromPoint(in.screen));
    if (!w) {
        // Outside our windows while a menu is open: the opener closes it.
        if (down && q.menuGrab) {
            if (WindowRef opener = Lookup(q.menuGrab)) CallProc(*opener, WM_CANCELMODE, 0, 0);
        }
        return false;
    }
    int ht = HTNOWHERE;
    for (;;) {
        ht = static_cast<int>(CallProc(*w, WM_NCHITTEST, 0, PointToLParam(in.screen)));
        if (ht != HTTRANSPARENT || !w->IsChild() || !w->alive) break;
        w = Lookup(w->parent->Handle());
        if (!w) return false;
    }
    if (!w->alive || ht == HTERROR) return false;
    if (!EnabledTarget(w->Handle())) return false;
    const HWND h = w->Handle();
    const UINT clientMsg = ClientMessage(in, false);
    if (down) {
        const HWND root = GetAncestor(h, GA_ROOT);
        if (root != q.active) {
            const LRESULT ma =
                CallProc(*w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MakeLParam(ht, clientMsg));
            Window* r = Get(root);
            if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) && r &&
                !(r->exStyle & WS_EX_NOACTIVATE))
                Activate(r, WA_CLICKACTIVE);
            if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT || !w->alive) return false;
        }
    }
    CallProc(*w, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MakeLParam(ht, clientMsg));
    if (!w->alive) return false;
    const bool client = ht == HTCLIENT;
    UINT m = client ? clientMsg : NcMessage(clientMsg);
    if (down && !client && q.focus && q.focus != h) {
        // A press on a frame or caption ends the focused window's mode (an open drop-down list).
        if (WindowRef f = Lookup(q.focus)) CallProc(*f, WM_CANCELMODE, 0, 0);
        if (!w->alive) return false;
    }
    if (down) {
        const bool allowDbl = !client || (w->cls->style & CS_DBLCLKS);
        if (IsDoubleClick(q, h, m, msg) && allowDbl)
            m = client ? ClientMessage(in, true) : NcMessage(ClientMessage(in, true));
        if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
            // Ancestors hear of the press before the child's own message.
            for (Window* p = w->parent; p; p = p->IsChild() ? p->parent : nullptr) {
                TPoint pp = in.screen;
                ScreenToClient(p->Handle(), pp);
                WindowRef keepP = Lookup(p->Handle());
                if (!keepP) break;
                CallProc(*p, WM_PARENTNOTIFY, MakeWParam(clientMsg, 0), PointToLParam(pp));
                if (!w->alive || !p->alive || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
            }
            if (!w->alive) return false;
        }
    }
    msg.hwnd = h;
    msg.message = m;
    if (client) {
        TPoint p = in.screen;
        ScreenToClient(h, p);
        msg.wParam = MouseKeys();
        msg.lParam = PointToLParam(p);
    } else {
        msg.wParam = static_cast<WPARAM>(ht);
        msg.lParam = PointToLParam(in.screen);
    }
    return true;
}

bool RouteKey(ThreadQueue& q, const RawInput& in, MSG& msg) {
    msg = MSG{};
    msg.time = static_cast<DWord>(CurrentBackend().NowMs());
    msg.pt = CurrentBackend().CursorPos();
    const HWND target = q.focus ? q.focus : q.active;
    const bool alt = gSyncDown[VK_MENU];
    const bool ctrl = gSyncDown[VK_CONTROL];
    const bool down = in.kind == RawInput::KeyDown;
    q.altAloneUp = false;
    if (down) {
        if (in.vk == VK_MENU) {
            if (!in.repeat) q.altArmed = true;
        } else {
            q.altArmed = false;
        }
    } else {
        q.altAloneUp = in.vk == VK_MENU && q.altArmed;
        q.altArmed = false;
    }
    if (!Get(target)) return false;
    const bool sys = (alt && !ctrl) || in.vk == VK_MENU || in.vk == VK_F10;
    msg.hwnd = target;
    msg.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    msg.wParam = static_cast<WPARAM>(in.vk);
    LPARAM lp = 1;
    if (alt) lp |= LPARAM(1) << 29;
    if (in.repeat || !down) lp |= LPARAM(1) << 30;
    if (!down) lp |= LPARAM(1) << 31;
    msg.lParam = lp;
    msg.keyChar = down ? in.ch : 0;
    return true;
}

} // namespace

void UpdateAsyncKeys(const RawInput& in) {
    ApplyKeys(gAsyncDown, in);
}

bool RouteInput(ThreadQueue& q, const RawInput& in, MSG& msg) {
    ApplyKeys(gSyncDown, in);
    if (in.kind == RawInput::KeyDown || in.kind == RawInput::KeyUp) return RouteKey(q, in, msg);
    return RouteMouse(q, in, msg);
}

void Activate(Window* w, int how) {
    auto qp = w ? w->queue : CurrentQueue();
    ThreadQueue& q = *qp;
    const HWND newH = w ? w->Handle() : nullptr;
    const HWND oldH = q.active;
    if (oldH == newH) return;
    WindowRef neu = Lookup(newH);
    WindowRef old = Lookup(oldH);
    q.active = newH;
    if (old) {
        CallProc(*old, WM_NCACTIVATE, FALSE, 0);
        if (old->alive)
            CallProc(*old, WM_ACTIVATE, MakeWParam(WA_INACTIVE, old->iconic ? 1 : 0),
                     reinterpret_cast<LPARAM>(newH));
    }
    if (neu && neu->alive && q.active == newH) {
        ZOrderInsert(*neu, (neu->exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP);
        CurrentBackend().TopLevelChanged(newH, wcZOrder);
        CallProc(*neu, WM_NCACTIVATE, TRUE, 0);
        if (neu->alive)
            CallProc(*neu, WM_ACTIVATE, MakeWParam(how, neu->iconic ? 1 : 0), reinterpret_cast<LPARAM>(oldH));
        if (neu->alive && q.active == newH && !q.settingFocus &&
            !(q.focus && (q.focus == newH || IsChild(newH, q.focus))))
            SetFocus(newH);
    } else if (!neu && q.focus) {
        SetFocus(nullptr);
    }
}

void ActivateAnother(Window& leaving) {
    auto ok = [&](Window* c) {
        return c && c != &leaving && c->alive && !c->destroying && EffectivelyVisible(*c) &&
               EffectivelyEnabled(*c) && !(c->exStyle & WS_EX_NOACTIVATE) && !c->iconic;
    };
    Window* next = nullptr;
    if (leaving.owner && ok(Get(leaving.owner))) next = Get(leaving.owner);
    if (!next)
        for (Window* t : TopLevels())
            if (t->queue == leaving.queue && ok(t) && !(t->exStyle & WS_EX_TOOLWINDOW)) {
                next = t;
                break;
            }
    if (leaving.queue->active == leaving.Handle()) Activate(next, WA_ACTIVE);
}

void FocusLostBy(Window& w) {
    (void)w;
    SetFocus(nullptr);
}

} // namespace wincore

using namespace wincore;

HWND SetCapture(HWND hwnd) {
    auto q = CurrentQueue();
    const HWND old = q->capture;
    if (hwnd && !Get(hwnd)) return old;
    q->capture = hwnd;
    if (old && old != hwnd)
        if (WindowRef o = Lookup(old)) CallProc(*o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    CurrentBackend().CaptureChanged(hwnd);
    return old;
}

BOOL ReleaseCapture() {
    auto q = CurrentQueue();
    const HWND old = q->capture;
    if (!old) return TRUE;
    q->capture = nullptr;
    if (WindowRef o = Lookup(old)) CallProc(*o, WM_CAPTURECHANGED, 0, 0);
    CurrentBackend().CaptureChanged(nullptr);
    return TRUE;
}

HWND GetCapture() {
    return CurrentQueue()->capture;
}

void SetMenuGrab(HWND opener) {
    auto q = CurrentQueue();
    if (opener && !Get(opener)) opener = nullptr;
    q->menuGrab = opener;
    CurrentBackend().MenuGrabChanged(opener);
}

HWND GetMenuGrab() {
    auto q = CurrentQueue();
    if (q->menuGrab && !Get(q->menuGrab)) q->menuGrab = nullptr;
    return q->menuGrab;
}

HWND SetFocus(HWND hwnd) {
    auto qp = CurrentQueue();
    ThreadQueue& q = *qp;
    const HWND old = q.focus;
    if (hwnd) {
        Window* w = Get(hwnd);
        if (!w) return nullptr;
        Window* root = Get(GetAncestor(hwnd, GA_ROOT));
        // Pop-ups that refuse activation never take the keyboard either.
        if (!root || (root->exStyle & WS_EX_NOACTIVATE)) return nullptr;
        if (q.active != root->Handle()) {
            q.settingFocus = true; // activation must not move the focus elsewhere first
            Activate(root, WA_ACTIVE);
            q.settingFocus = false;
            if (!Get(hwnd)) return nullptr;
        }
    }
    const HWND cur = q.focus;
    if (cur == hwnd) return old;
    q.focus = hwnd;
    if (WindowRef c = Lookup(cur)) CallProc(*c, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (q.focus != hwnd) return old; // the losing window moved the focus itself
    if (WindowRef n = Lookup(hwnd)) CallProc(*n, WM_SETFOCUS, reinterpret_cast<WPARAM>(cur), 0);
    return old;
}

HWND GetFocus() {
    return CurrentQueue()->focus;
}

HWND SetActiveWindow(HWND hwnd) {
    auto q = CurrentQueue();
    const HWND old = q->active;
    Window* w = hwnd ? Get(GetAncestor(hwnd, GA_ROOT)) : nullptr;
    if (hwnd && !w) return nullptr;
    if (w && (w->exStyle & WS_EX_NOACTIVATE)) return old;
    Activate(w, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow() {
    return CurrentQueue()->active;
}
BOOL SetForegroundWindow(HWND hwnd) {
    return SetActiveWindow(hwnd) || GetActiveWindow() == hwnd ? TRUE : FALSE;
}
HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL GetCursorPos(TPoint& pt) {
    pt = CurrentBackend().CursorPos();
    return TRUE;
}

short GetAsyncKeyState(int vk) {
    if (vk <= 0 || vk >= 256) return 0;
    return gAsyncDown[vk] ? static_cast<short>(0x8000) : 0;
}

short GetKeyState(int vk) {
    if (vk <= 0 || vk >= 256) return 0;
    return gSyncDown[vk] ? static_cast<short>(0x8000) : 0;
}

UINT GetDoubleClickTime() {
    return CurrentBackend().DoubleClickTime();
}

void SetCursorShape(CursorShape shape) {
    CurrentBackend().CursorChanged(shape);
}

} // namespace vd
