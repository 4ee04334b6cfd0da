// What the window manager learns about our windows (class, process, owner, maximized state),
// read back as another program would, and a minimize that no window manager can honour.
#include "X11Fixture.h"

#include "platform/rtl/FileUtils.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

namespace vd::test {
namespace {

std::vector<long> CardinalsOf(::Display* d, ::Window w, const char* name, Atom want = XA_CARDINAL) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> out;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 64, False, want, &type, &format, &n, &after,
                           &data) == Success &&
        data) {
        if (format == 32) out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + n);
        XFree(data);
    }
    return out;
}

bool HasState(::Display* d, ::Window w, const char* state) {
    const auto states = CardinalsOf(d, w, "_NET_WM_STATE", XA_ATOM);
    const long a = static_cast<long>(XInternAtom(d, state, False));
    return std::find(states.begin(), states.end(), a) != states.end();
}

::Window TransientFor(::Display* d, ::Window w) {
    ::Window owner = 0;
    return XGetTransientForHint(d, w, &owner) ? owner : 0;
}

TEST_F(X11Test, WindowsCarryTheProgramsClassAndProcess) {
    HWND h = Make({10, 10, 110, 90}, WS_POPUP | WS_VISIBLE);
    Sync();
    const ::Window xw = backend->XWindowOf(h);
    ASSERT_NE(xw, 0u);
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(observer, xw, &hint));
    String program = ProgramPath();
    program.erase(0, program.find_last_of('/') + 1);
    String cls = program;
    cls[0] = char(std::toupper(static_cast<unsigned char>(cls[0])));
    EXPECT_EQ(String(hint.res_name), program);
    EXPECT_EQ(String(hint.res_class), cls);
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_EQ(CardinalsOf(observer, xw, "_NET_WM_PID"), std::vector<long>{long(getpid())});
}

TEST_F(X11Test, OwnedAndModalWindowsAreTransientForTheirOwner) {
    HWND main = Make({10, 10, 310, 210}, WS_POPUP | WS_VISIBLE);
    Sync();
    const ::Window mainX = backend->XWindowOf(main);
    // Owned by a window on the screen.
    HWND owned = CreateWindowEx(0, "X11Test", "owned", WS_POPUP | WS_VISIBLE, 40, 40, 100, 80, main);
    windows.push_back(owned);
    // Modal: shown while the main window takes no input; its owner is elsewhere (none here).
    EnableWindow(main, FALSE);
    HWND modal = Make({60, 60, 200, 160}, WS_POPUP | WS_VISIBLE);
    EnableWindow(main, TRUE);
    // Shown while every window takes input: nobody's dialog.
    HWND plain = Make({80, 80, 180, 160}, WS_POPUP | WS_VISIBLE);
    Sync();
    EXPECT_EQ(TransientFor(observer, backend->XWindowOf(owned)), mainX);
    EXPECT_EQ(TransientFor(observer, backend->XWindowOf(modal)), mainX);
    EXPECT_EQ(TransientFor(observer, backend->XWindowOf(plain)), 0u);
    // Shown again later without a modal loop: no longer anyone's dialog.
    ShowWindow(modal, SW_HIDE);
    ShowWindow(modal, SW_SHOW);
    Sync();
    EXPECT_EQ(TransientFor(observer, backend->XWindowOf(modal)), 0u);
}

// The maximize box style stands for the maximized state: with no window manager the property
// itself (a manager that starts later reads it), with one a request to it.
TEST_F(X11Test, TheMaximizedStyleReachesTheWindowManager) {
    HWND h = Make({10, 10, 210, 110}, WS_POPUP | WS_VISIBLE);
    Sync();
    const ::Window xw = backend->XWindowOf(h);
    auto setMaximized = [&](bool on) {
        const LONG_PTR s = GetWindowLong(h, GWL_STYLE);
        SetWindowLong(h, GWL_STYLE, on ? s | LONG_PTR(WS_MAXIMIZE) : s & ~LONG_PTR(WS_MAXIMIZE));
        Sync();
    };
    setMaximized(true);
    EXPECT_TRUE(HasState(observer, xw, "_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_TRUE(HasState(observer, xw, "_NET_WM_STATE_MAXIMIZED_HORZ"));
    setMaximized(false);
    EXPECT_FALSE(HasState(observer, xw, "_NET_WM_STATE_MAXIMIZED_VERT"));

    // The test plays a window manager: the request comes as a client message to the root.
    const ::Window root = DefaultRootWindow(observer);
    XSelectInput(observer, root, SubstructureRedirectMask);
    XSync(observer, False);
    setMaximized(true);
    const Atom netState = XInternAtom(observer, "_NET_WM_STATE", False);
    long action = -1, first = 0;
    const bool asked = PumpUntil([&] {
        while (XPending(observer)) {
            XEvent e;
            XNextEvent(observer, &e);
            if (e.type == ClientMessage && e.xclient.message_type == netState && e.xclient.window == xw) {
                action = e.xclient.data.l[0];
                first = e.xclient.data.l[1];
            }
        }
        return action >= 0;
    });
    XSelectInput(observer, root, 0);
    XSync(observer, False);
    ASSERT_TRUE(asked);
    EXPECT_EQ(action, 1); // add
    EXPECT_EQ(first, long(XInternAtom(observer, "_NET_WM_STATE_MAXIMIZED_VERT", False)));
}

// No window manager: nobody would ever map an iconified form again, and a minimized
// application's forms take no input. The minimize is undone once the program is idle, unless
// the program hid its forms meanwhile (into the notification area).
TEST_F(X11Test, AMinimizeNobodyCanHonourIsUndone) {
    HWND app = Make({0, 0, 0, 0}, WS_POPUP | WS_VISIBLE);
    HWND form = CreateWindowEx(0, "X11Test", "form", WS_POPUP | WS_VISIBLE, 20, 20, 100, 80, app);
    windows.push_back(form);
    Sync();
    const ::Window xw = backend->XWindowOf(form);
    ASSERT_NE(xw, 0u);
    int restores = 0;
    handler = [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (w == app && m == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_RESTORE) {
            ++restores;
            ShowWindow(app, SW_RESTORE);
            return true;
        }
        return false;
    };
    auto viewable = [&] {
        XWindowAttributes a{};
        return XGetWindowAttributes(observer, xw, &a) && a.map_state == IsViewable;
    };
    // The first map's events are in before the minimize (a later map would count as a restore).
    ASSERT_TRUE(PumpUntil(viewable));
    PumpFor(100);
    ShowWindow(app, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return restores == 1 && !IsIconic(app); }));
    EXPECT_TRUE(IsWindowVisible(form));
    Sync();
    EXPECT_TRUE(viewable());

    // Hidden right after the minimize, as the tray does: it stays hidden.
    ShowWindow(app, SW_MINIMIZE);
    ShowWindow(app, SW_HIDE);
    PumpFor(200);
    EXPECT_EQ(restores, 1);
    EXPECT_TRUE(IsIconic(app));
    ShowWindow(app, SW_RESTORE);
    PumpFor(20);
}

} // namespace
} // namespace vd::test
