#pragma once
// A minimal system-tray manager that a test plays on its own X connection: it owns the tray
// selection, takes the dock requests and embeds the icon windows. Header-only: the tests that
// include it link Xlib already.
#include "tests/support/WaitUntil.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <functional>

namespace vd::test {

class TrayManager {
public:
    explicit TrayManager(Display* d) : FDpy(d) {
        FSel = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
        FOpcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    }
    ~TrayManager() { Stop(); }
    // The manager goes away.
    void Stop() {
        if (FWin) XDestroyWindow(FDpy, FWin);
        FWin = 0;
        XSync(FDpy, False);
    }
    void Start() {
        const ::Window root = DefaultRootWindow(FDpy);
        FWin = XCreateSimpleWindow(FDpy, root, 0, 0, 200, 100, 0, 0, 0);
        XSelectInput(FDpy, FWin, SubstructureNotifyMask);
        XMapWindow(FDpy, FWin);
        XSetSelectionOwner(FDpy, FSel, FWin, CurrentTime);
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = root;
        ev.xclient.message_type = XInternAtom(FDpy, "MANAGER", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = CurrentTime;
        ev.xclient.data.l[1] = long(FSel);
        ev.xclient.data.l[2] = long(FWin);
        XSendEvent(FDpy, root, False, StructureNotifyMask, &ev);
        XSync(FDpy, False);
    }
    // The window of the next dock request, 0 when none came in time.
    ::Window WaitDock() {
        ::Window docked = 0;
        const bool came = Next([&](const XEvent& ev) {
            if (ev.type == ClientMessage && ev.xclient.message_type == FOpcode && ev.xclient.data.l[1] == 0)
                docked = ::Window(ev.xclient.data.l[2]);
            return docked != 0;
        });
        return came ? docked : 0;
    }
    [[nodiscard]] bool WaitDestroyed(::Window w) {
        return Next(
            [&](const XEvent& ev) { return ev.type == DestroyNotify && ev.xdestroywindow.window == w; });
    }
    void Embed(::Window icon, int x) {
        XReparentWindow(FDpy, icon, FWin, x, 10);
        XResizeWindow(FDpy, icon, 32, 32);
        XMapWindow(FDpy, icon);
        XSync(FDpy, False);
    }

private:
    [[nodiscard]] bool Next(const std::function<bool(const XEvent&)>& match) {
        const auto matched = [&] {
            while (XPending(FDpy) > 0) {
                XEvent ev;
                XNextEvent(FDpy, &ev);
                if (match(ev)) return true;
            }
            return false;
        };
        return WaitUntil(matched, 5000, [&] {
            pollfd fd{ConnectionNumber(FDpy), POLLIN, 0};
            poll(&fd, 1, 50);
        });
    }

    Display* FDpy;
    Atom FSel = 0;
    Atom FOpcode = 0;
    ::Window FWin = 0;
};

} // namespace vd::test
