#include "platform/win/x11/X11Input.h"

#include "platform/win/Input.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Keys.h"
#include "platform/win/x11/X11Windows.h"

namespace vd {
constexpr RawButton kNoButton = RawButton::None; // X.h takes the name None for a macro
}

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vd {

bool X11Input::Handle(XEvent& e) {
    switch (e.type) {
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
    char buf[8] = {};
    KeySym ks = 0;
    const int n = XLookupString(&e.xkey, buf, sizeof buf, &ks, nullptr);
    RawInput in;
    in.kind = e.type == KeyPress ? RawInput::KeyDown : RawInput::KeyUp;
    in.vk = x11::KeysymToVk(ks);
    if (!in.vk) return;
    if (e.type == KeyPress && n == 1) in.ch = static_cast<unsigned char>(buf[0]);
    QueueInput(in);
}

} // namespace vd
