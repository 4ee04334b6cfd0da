#include "platform/win/x11/X11Input.h"

#include "platform/rtl/Utf8.h"
#include "platform/win/Input.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Keys.h"
#include "platform/win/x11/X11Windows.h"

namespace vd {
constexpr RawButton kNoButton = RawButton::None; // X.h takes the name None for a macro
}

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

namespace vd {

X11Input::X11Input(X11Connection& conn, const X11Windows& windows) : FConn(conn), FWindows(windows) {
    // The desktop's input method when one runs ($XMODIFIERS), else the built-in one that
    // composes dead keys by the locale's table. Without either, keys still type Latin-1.
    XSetLocaleModifiers("");
    FIm = XOpenIM(FConn.Dpy(), nullptr, nullptr, nullptr);
    if (!FIm) {
        XSetLocaleModifiers("@im=none");
        FIm = XOpenIM(FConn.Dpy(), nullptr, nullptr, nullptr);
    }
}

X11Input::~X11Input() {
    for (auto& [w, ic] : FContexts)
        XDestroyIC(ic);
    if (FIm) XCloseIM(FIm);
}

bool X11Input::Filter(XEvent& e) {
    return FIm && XFilterEvent(&e, 0);
}

XIC X11Input::ContextFor(unsigned long xwin) {
    if (!FIm || !xwin) return nullptr;
    if (auto it = FContexts.find(xwin); it != FContexts.end()) return it->second;
    XIC ic = XCreateIC(FIm, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, xwin,
                       XNFocusWindow, xwin, nullptr);
    if (!ic) return nullptr;
    // The input method may need events the window does not ask for yet.
    long filter = 0;
    XWindowAttributes wa{};
    if (!XGetICValues(ic, XNFilterEvents, &filter, nullptr) && XGetWindowAttributes(FConn.Dpy(), xwin, &wa) &&
        (wa.your_event_mask | filter) != wa.your_event_mask)
        XSelectInput(FConn.Dpy(), xwin, wa.your_event_mask | filter);
    FContexts.emplace(xwin, ic);
    return ic;
}

void X11Input::Focus(XEvent& e) {
    if (!FWindows.Find(e.xfocus.window)) return;
    XIC ic = ContextFor(e.xfocus.window);
    if (!ic) return;
    if (e.type == FocusIn)
        XSetICFocus(ic);
    else
        XUnsetICFocus(ic);
}

bool X11Input::Handle(XEvent& e) {
    switch (e.type) {
    case FocusIn:
    case FocusOut:
        Focus(e);
        return false;
    case ButtonPress:
    case ButtonRelease:
        Button(e);
        return true;
    case MotionNotify:
        Motion(e);
        return true;
    case KeyPress:
    case KeyRelease:
        Key(e);
        return true;
    default:
        return false;
    }
}

void X11Input::Destroyed(HWND hwnd) {
    if (FPointerWin == hwnd) FPointerWin = nullptr;
    // Before the X window goes: the input method holds it.
    if (auto it = FContexts.find(FWindows.XWindowOf(hwnd)); it != FContexts.end()) {
        XDestroyIC(it->second);
        FContexts.erase(it);
    }
}

void X11Input::Button(XEvent& e) {
    FPointerWin = FWindows.Find(e.xbutton.window);
    RawInput in;
    in.screen = {e.xbutton.x_root, e.xbutton.y_root};
    const unsigned b = e.xbutton.button;
    if (b == 4 || b == 5) {
        if (e.type == ButtonRelease) return;
        in.kind = RawInput::Wheel;
        in.wheelDelta = b == 4 ? WHEEL_DELTA : -WHEEL_DELTA;
    } else {
        in.kind = e.type == ButtonPress ? RawInput::ButtonDown : RawInput::ButtonUp;
        in.button = b == 1   ? RawButton::Left
                    : b == 2 ? RawButton::Middle
                    : b == 3 ? RawButton::Right
                             : kNoButton;
        if (in.button == kNoButton) return;
    }
    QueueInput(in);
}

void X11Input::Motion(XEvent& e) {
    FPointerWin = FWindows.Find(e.xmotion.window);
    Display* dpy = FConn.Dpy();
    // Only motion right behind motion is merged: input keeps its order.
    XEvent next;
    while (XPending(dpy) && XPeekEvent(dpy, &next) == 0 && next.type == MotionNotify &&
           next.xmotion.window == e.xmotion.window)
        XNextEvent(dpy, &e);
    RawInput in;
    in.kind = RawInput::MouseMove;
    in.screen = {e.xmotion.x_root, e.xmotion.y_root};
    QueueInput(in);
}

void X11Input::Key(XEvent& e) {
    KeySym ks = 0;
    std::vector<char> text(32);
    int n = 0;
    int status = XLookupNone;
    XIC ic = e.type == KeyPress ? ContextFor(e.xkey.window) : nullptr;
    if (ic) {
        n = Xutf8LookupString(ic, &e.xkey, text.data(), static_cast<int>(text.size()), &ks, &status);
        if (status == XBufferOverflow) {
            text.resize(static_cast<std::size_t>(n) + 1);
            n = Xutf8LookupString(ic, &e.xkey, text.data(), static_cast<int>(text.size()), &ks, &status);
        }
        if (status != XLookupChars && status != XLookupBoth) n = 0;
        if (status != XLookupKeySym && status != XLookupBoth) ks = 0;
    } else {
        // Key releases, or no input method: Latin-1, which is the first 256 code points.
        char latin[8] = {};
        const int got = XLookupString(&e.xkey, latin, sizeof latin, &ks, nullptr);
        if (e.type == KeyPress && got == 1) {
            const String u = Utf8Encode(static_cast<unsigned char>(latin[0]));
            text.assign(u.begin(), u.end());
            n = static_cast<int>(u.size());
        }
    }
    n = std::max(n, 0);
    RawInput in;
    in.kind = e.type == KeyPress ? RawInput::KeyDown : RawInput::KeyUp;
    in.vk = x11::KeysymToVk(ks);
    // X gives the Delete key the character DEL; here it is a key only, so that a text control
    // deletes instead of inserting it.
    if (in.vk == VK_DELETE && n == 1 && text[0] == '\x7f') n = 0;
    const std::string_view utf8(text.data(), static_cast<std::size_t>(n));
    if (in.vk) {
        std::size_t size = 0;
        // One character goes with its key; more (an input method's commit) follow as text.
        if (!utf8.empty()) in.ch = Utf8Decode(utf8, 0, &size);
        if (size < utf8.size()) {
            in.ch = 0;
            size = 0;
        }
        QueueInput(in);
        if (size == utf8.size()) return;
    }
    QueueText(utf8.data(), static_cast<int>(utf8.size()));
}

// Characters without a key of their own arrive as VK_PACKET presses, each with its character.
void X11Input::QueueText(const char* utf8, int len) {
    const std::string_view s(utf8, static_cast<std::size_t>(len));
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t size = 0;
        const char32_t cp = Utf8Decode(s, pos, &size);
        pos += std::max<std::size_t>(size, 1);
        RawInput in;
        in.kind = RawInput::KeyDown;
        in.vk = VK_PACKET;
        in.ch = cp;
        QueueInput(in);
        in.kind = RawInput::KeyUp;
        in.ch = 0;
        QueueInput(in);
    }
}

} // namespace vd
