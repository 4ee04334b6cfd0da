#include "platform/win/x11/X11Grabs.h"

#include "platform/win/Windows.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Windows.h"

#include <X11/Xlib.h>

namespace vd {

void X11Grabs::MenuGrabChanged(HWND hwnd) {
    Display* dpy = FConn.Dpy();
    FMenuGrab = hwnd;
    if (!hwnd) {
        if (!GetCapture()) XUngrabPointer(dpy, CurrentTime);
        if (FKeyboardGrabbed) XUngrabKeyboard(dpy, CurrentTime);
        FKeyboardGrabbed = false;
        XSync(dpy, False);
        return;
    }
    // A menu from the tray with our forms withdrawn or in the background: without a grab its
    // keys would go to another program.
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy, &focus, &revert);
    if (!FKeyboardGrabbed && !FWindows.Find(focus))
        FKeyboardGrabbed =
            XGrabKeyboard(dpy, FConn.Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    XId w = FWindows.XWindowOf(GetAncestor(hwnd, GA_ROOT));
    XWindowAttributes a{};
    if (!w || !XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable) {
        // The opener has no window on the screen (a tray menu while the forms are withdrawn):
        // grab through the menu's own pop-up, the frontmost of ours that is shown.
        w = 0;
        for (HWND h : GetTopLevelWindows()) {
            const XId x = IsWindowVisible(h) ? FWindows.XWindowOf(h) : 0;
            if (x && XGetWindowAttributes(dpy, x, &a) && a.map_state == IsViewable) {
                w = x;
                break;
            }
        }
    }
    if (!w) return;
    // Our own windows still get their events; a press anywhere else comes to us as well.
    XGrabPointer(dpy, w, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, 0, 0, CurrentTime);
    XSync(dpy, False);
}

void X11Grabs::CaptureChanged(HWND hwnd) {
    Display* dpy = FConn.Dpy();
    if (!hwnd) {
        XUngrabPointer(dpy, CurrentTime);
        XSync(dpy, False); // done before anyone else asks the server
        if (FMenuGrab && IsWindow(FMenuGrab)) MenuGrabChanged(FMenuGrab);
        return;
    }
    const XId w = FWindows.XWindowOf(GetAncestor(hwnd, GA_ROOT));
    if (!w) return;
    XGrabPointer(dpy, w, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, 0, 0, CurrentTime);
    XSync(dpy, False);
}

} // namespace vd
