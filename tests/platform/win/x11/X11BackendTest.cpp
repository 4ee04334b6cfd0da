// The X11 back end against a real X server (Xvfb, started here). Input comes through XTest,
// as a user's would.
#include "X11Fixture.h"

#include "platform/gfx/Gdi.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

#include <memory>

namespace vd::test {
namespace {

TEST_F(X11Test, TopLevelIsUndecoratedAndMappedAtItsFirstPosition) {
    HWND h = Make({50, 60, 250, 160});
    EXPECT_EQ(backend->XWindowOf(h), 0u) << "no X window before the first show";
    ShowWindow(h, SW_SHOW);
    const ::Window xw = backend->XWindowOf(h);
    ASSERT_NE(xw, 0u);
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes a{};
        return XGetWindowAttributes(observer, xw, &a) && a.map_state == IsViewable;
    }));
    XWindowAttributes a{};
    XGetWindowAttributes(observer, xw, &a);
    EXPECT_EQ(a.x, 50);
    EXPECT_EQ(a.y, 60);
    EXPECT_EQ(a.width, 200);
    EXPECT_EQ(a.height, 100);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(observer, xw, &hints, &supplied));
    EXPECT_TRUE(hints.flags & USPosition);
    EXPECT_EQ(hints.x, 50);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom motif = XInternAtom(observer, "_MOTIF_WM_HINTS", False);
    ASSERT_EQ(XGetWindowProperty(observer, xw, motif, 0, 5, False, AnyPropertyType, &type, &format, &n,
                                 &after, &data),
              Success);
    ASSERT_EQ(n, 5u);
    const long* v = reinterpret_cast<const long*>(data);
    EXPECT_EQ(v[0], 2) << "decorations field in use";
    EXPECT_EQ(v[2], 0) << "no decorations";
    XFree(data);
}

TEST_F(X11Test, ShapeRectanglesEqualTheWindowRegion) {
    HWND h = Make({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE);
    SetWindowRgnRects(h, {{0, 0, 40, 10}, {0, 10, 100, 100}}, TRUE);
    Sync();
    const ::Window xw = backend->XWindowOf(h);
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(observer, xw, ShapeBounding, &count, &ordering);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rects[0].width, 40);
    EXPECT_EQ(rects[0].height, 10);
    EXPECT_EQ(rects[1].y, 10);
    EXPECT_EQ(rects[1].height, 90);
    XFree(rects);
    ClearWindowRgn(h, TRUE);
    Sync();
    rects = XShapeGetRectangles(observer, xw, ShapeBounding, &count, &ordering);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(rects[0].width, 100);
    EXPECT_EQ(rects[0].height, 100);
    XFree(rects);
}

TEST_F(X11Test, OpacityPropertyFollowsTheLayeredAlpha) {
    HWND h = Make({10, 10, 60, 60}, WS_POPUP | WS_VISIBLE);
    const ::Window xw = backend->XWindowOf(h);
    const Atom opacity = XInternAtom(observer, "_NET_WM_WINDOW_OPACITY", False);
    auto read = [&]() -> long long {
        Sync();
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(observer, xw, opacity, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after,
                           &data);
        long long value =
            n ? static_cast<long long>(*reinterpret_cast<unsigned long*>(data) & 0xFFFFFFFFul) : -1;
        if (data) XFree(data);
        return value;
    };
    EXPECT_EQ(read(), -1);
    SetWindowLong(h, GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA);
    EXPECT_EQ(read(), 128LL * 0x01010101LL);
    SetWindowLong(h, GWL_EXSTYLE, 0);
    EXPECT_EQ(read(), -1);
}

TEST_F(X11Test, CaptionDragRunsTheMoveLoopThroughXTest) {
    HWND h = Make({100, 100, 300, 200}, WS_POPUP | WS_VISIBLE);
    handler = [h](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w == h && m == WM_NCHITTEST) {
            r = HTCAPTION;
            return true;
        }
        return false;
    };
    PumpFor(50);
    MessageSpy spy;
    spy.Watch(h);
    XTestFakeMotionEvent(observer, 0, 150, 110, CurrentTime);
    XTestFakeButtonEvent(observer, 1, True, CurrentTime);
    XTestFakeMotionEvent(observer, 0, 170, 140, CurrentTime);
    XTestFakeButtonEvent(observer, 1, False, CurrentTime);
    Sync();
    ASSERT_TRUE(PumpUntil([&] { return !spy.Of(h, WM_EXITSIZEMOVE).empty(); }));
    EXPECT_EQ(GetWindowRect(h), (TRect{120, 130, 320, 230}));
    Sync();
    XWindowAttributes a{};
    XGetWindowAttributes(observer, backend->XWindowOf(h), &a);
    EXPECT_EQ(a.x, 120);
    EXPECT_EQ(a.y, 130);
    EXPECT_TRUE(spy.Of(h, WM_NCLBUTTONUP).empty());
}

TEST_F(X11Test, CaptureGrabsThePointer) {
    HWND h = Make({10, 10, 60, 60}, WS_POPUP | WS_VISIBLE);
    PumpFor(20);
    SetCapture(h);
    Sync();
    const ::Window root = DefaultRootWindow(observer);
    EXPECT_EQ(
        XGrabPointer(observer, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime),
        AlreadyGrabbed);
    ReleaseCapture();
    Sync();
    EXPECT_EQ(
        XGrabPointer(observer, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime),
        GrabSuccess);
    XUngrabPointer(observer, CurrentTime);
    Sync();
}

TEST_F(X11Test, KeysAndWheelBecomeMessages) {
    HWND h = Make({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE);
    PumpFor(20);
    SetFocus(h);
    XSetInputFocus(observer, backend->XWindowOf(h), RevertToParent, CurrentTime);
    Sync();
    MessageSpy spy;
    spy.Watch(h);
    const KeyCode a = XKeysymToKeycode(observer, XK_a);
    XTestFakeKeyEvent(observer, a, True, CurrentTime);
    XTestFakeKeyEvent(observer, a, False, CurrentTime);
    // Delete is a key without a character (X gives it DEL, which an edit would insert).
    const KeyCode del = XKeysymToKeycode(observer, XK_Delete);
    XTestFakeKeyEvent(observer, del, True, CurrentTime);
    XTestFakeKeyEvent(observer, del, False, CurrentTime);
    XTestFakeMotionEvent(observer, 0, 50, 50, CurrentTime);
    XTestFakeButtonEvent(observer, 5, True, CurrentTime);
    XTestFakeButtonEvent(observer, 5, False, CurrentTime);
    Sync();
    ASSERT_TRUE(
        PumpUntil([&] { return !spy.Of(h, WM_MOUSEWHEEL).empty() && spy.Of(h, WM_KEYUP).size() >= 2; }));
    ASSERT_EQ(spy.Of(h, WM_KEYDOWN).size(), 2u);
    EXPECT_EQ(spy.Of(h, WM_KEYDOWN)[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(spy.Of(h, WM_KEYDOWN)[1].wParam, static_cast<WPARAM>(VK_DELETE));
    ASSERT_EQ(spy.Of(h, WM_CHAR).size(), 1u);
    EXPECT_EQ(spy.Of(h, WM_CHAR)[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(static_cast<std::int16_t>(HiWord(spy.Of(h, WM_MOUSEWHEEL)[0].wParam)), -120);
}

TEST_F(X11Test, PaintedPixelsReachTheScreen) {
    HWND h = Make({30, 30, 130, 90}, WS_POPUP);
    handler = [h](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w != h || m != WM_PAINT) return false;
        PAINTSTRUCT ps;
        BeginPaint(w, ps);
        HBRUSH b = CreateSolidBrush(RGB(10, 200, 30));
        const TRect c = GetClientRect(w);
        FillRect(ps.hdc, &c, b);
        DeleteObject(b);
        EndPaint(w, ps);
        r = 0;
        return true;
    };
    ShowWindow(h, SW_SHOW);
    const ::Window xw = backend->XWindowOf(h);
    ASSERT_TRUE(PumpUntil([&] {
        Sync();
        XImage* img = XGetImage(observer, xw, 50, 30, 1, 1, AllPlanes, ZPixmap);
        if (!img) return false;
        const unsigned long p = XGetPixel(img, 0, 0);
        XDestroyImage(img);
        return p == 0x0AC81E;
    }));
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// With no window manager running, the test plays one: it redirects the root's children and
// watches for the iconify request, then maps the window again as a WM would on restore.
TEST_F(X11Test, ApplicationMinimizeIconifiesTheFormAndAWindowManagerRestoreComesBack) {
    HWND app = Make({0, 0, 0, 0}); // the hidden application window
    HWND form = CreateWindowEx(0, "X11Test", "form", WS_POPUP | WS_VISIBLE, 20, 20, 100, 80, app);
    windows.push_back(form);
    Sync();
    const ::Window xw = backend->XWindowOf(form);
    ASSERT_NE(xw, 0u);
    const ::Window root = DefaultRootWindow(observer);
    XSelectInput(observer, root, SubstructureRedirectMask | SubstructureNotifyMask);
    Sync();
    std::vector<UINT> restored;
    handler = [&](HWND w, UINT m, WPARAM wp, LPARAM, LRESULT&) {
        if (w == app && m == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_RESTORE) {
            restored.push_back(m);
            ShowWindow(app, SW_RESTORE);
            return true;
        }
        return false;
    };
    ShowWindow(app, SW_MINIMIZE);
    Sync();
    const Atom changeState = XInternAtom(observer, "WM_CHANGE_STATE", False);
    bool iconifyAsked = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!iconifyAsked && std::chrono::steady_clock::now() < deadline) {
        while (XPending(observer)) {
            XEvent e;
            XNextEvent(observer, &e);
            if (e.type == ClientMessage && e.xclient.message_type == changeState && e.xclient.window == xw &&
                e.xclient.data.l[0] == IconicState)
                iconifyAsked = true;
        }
        if (!iconifyAsked) backend->WaitForInput(10);
    }
    ASSERT_TRUE(iconifyAsked);
    EXPECT_FALSE(IsWindowVisible(form));
    // The "window manager" restores it: the program hears SC_RESTORE on its application window.
    XSelectInput(observer, root, 0);
    XMapWindow(observer, xw);
    Sync();
    ASSERT_TRUE(PumpUntil([&] { return !restored.empty(); }));
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(form));
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(X11Test, PopupsBypassTheWindowManagerAndSaveUnder) {
    WNDCLASS wc;
    wc.lpszClassName = "X11Popup";
    wc.style = CS_SAVEBITS;
    RegisterClass(wc);
    HWND pop = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "X11Popup", "", WS_POPUP,
                              5, 5, 40, 40, nullptr);
    windows.push_back(pop);
    HWND form = Make({100, 100, 200, 200}, WS_POPUP | WS_VISIBLE);
    SetWindowPos(pop, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Sync();
    XWindowAttributes a{};
    ASSERT_TRUE(XGetWindowAttributes(observer, backend->XWindowOf(pop), &a));
    EXPECT_TRUE(a.override_redirect);
    EXPECT_TRUE(a.save_under);
    ASSERT_TRUE(XGetWindowAttributes(observer, backend->XWindowOf(form), &a));
    EXPECT_FALSE(a.override_redirect);
    auto typeOf = [&](HWND h) {
        Atom type = 0, value = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(observer, backend->XWindowOf(h),
                           XInternAtom(observer, "_NET_WM_WINDOW_TYPE", False), 0, 1, False, XA_ATOM, &type,
                           &format, &n, &after, &data);
        if (n) value = *reinterpret_cast<Atom*>(data);
        if (data) XFree(data);
        return value;
    };
    EXPECT_EQ(typeOf(pop), XInternAtom(observer, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False));
    EXPECT_EQ(typeOf(form), XInternAtom(observer, "_NET_WM_WINDOW_TYPE_NORMAL", False));
    EXPECT_EQ(GetActiveWindow(), form) << "showing the pop-up took no activation";
}

TEST_F(X11Test, AltPressedAloneOpensTheKeyMenu) {
    HWND h = Make({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE);
    PumpFor(20);
    SetFocus(h);
    XSetInputFocus(observer, backend->XWindowOf(h), RevertToParent, CurrentTime);
    Sync();
    MessageSpy spy;
    spy.Watch(h);
    const KeyCode alt = XKeysymToKeycode(observer, XK_Alt_L);
    XTestFakeKeyEvent(observer, alt, True, CurrentTime);
    XTestFakeKeyEvent(observer, alt, False, CurrentTime);
    Sync();
    ASSERT_TRUE(PumpUntil([&] { return !spy.Of(h, WM_SYSCOMMAND).empty(); }));
    EXPECT_EQ(spy.Of(h, WM_SYSCOMMAND)[0].wParam, SC_KEYMENU);
    EXPECT_EQ(spy.Of(h, WM_SYSKEYDOWN).at(0).wParam, static_cast<WPARAM>(VK_MENU));
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// Hiding the application window (the program's minimize to the tray) takes every form off the
// desktop, so none keeps a task-bar entry; showing it again brings them back.
TEST_F(X11Test, HidingTheApplicationWindowWithdrawsEveryForm) {
    auto Viewable = [](::Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(observer, w, &a) && a.map_state == IsViewable;
    };
    HWND app = Make({0, 0, 0, 0});
    ShowWindow(app, SW_SHOW);
    HWND main = CreateWindowEx(0, "X11Test", "main", WS_POPUP | WS_VISIBLE, 20, 20, 100, 80, app);
    HWND second = CreateWindowEx(0, "X11Test", "second", WS_POPUP | WS_VISIBLE, 140, 20, 100, 80, app);
    windows.push_back(main);
    windows.push_back(second);
    Sync();
    EXPECT_EQ(backend->XWindowOf(app), 0u); // never on the screen itself
    const ::Window xs[] = {backend->XWindowOf(main), backend->XWindowOf(second)};
    for (::Window w : xs)
        ASSERT_TRUE(Viewable(w));
    const ::Window root = DefaultRootWindow(observer);
    XSelectInput(observer, root, SubstructureNotifyMask);
    Sync();

    ShowWindow(app, SW_HIDE);
    Sync();
    for (::Window w : xs)
        EXPECT_FALSE(Viewable(w));
    // The withdrawal is announced to the window manager with a synthetic unmap on the root.
    int announced = 0;
    while (XPending(observer)) {
        XEvent e;
        XNextEvent(observer, &e);
        if (e.type == UnmapNotify && e.xunmap.send_event && e.xunmap.event == root) ++announced;
    }
    XSelectInput(observer, root, 0);
    EXPECT_EQ(announced, 2);
    EXPECT_TRUE(IsWindowVisible(main)); // still shown as far as the program knows

    ShowWindow(app, SW_SHOW);
    Sync();
    for (::Window w : xs)
        EXPECT_TRUE(Viewable(w));

    // Minimize, then hide into the tray, then restore: the forms come back only with the window.
    ShowWindow(app, SW_MINIMIZE);
    ShowWindow(app, SW_HIDE);
    Sync();
    for (::Window w : xs)
        EXPECT_FALSE(Viewable(w));
    ShowWindow(app, SW_RESTORE);
    Sync();
    for (::Window w : xs)
        EXPECT_TRUE(Viewable(w));
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// A menu opened from the tray while none of our forms has the focus still gets the keys: the
// keyboard is grabbed for as long as the menu is open. With one of our forms focused, it is not.
TEST_F(X11Test, MenuGrabTakesTheKeyboardOnlyWhenNoFormOfOursHasTheFocus) {
    HWND opener = Make({0, 0, 0, 0}); // the tray's hidden window
    HWND form = Make({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE);
    PumpFor(20);
    SetActiveWindow(form);
    const ::Window root = DefaultRootWindow(observer);
    auto keyboardFree = [&] {
        Sync();
        const bool free =
            XGrabKeyboard(observer, root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
        if (free) XUngrabKeyboard(observer, CurrentTime);
        XSync(observer, False);
        return free;
    };
    XSetInputFocus(observer, 0, RevertToNone, CurrentTime); // keys go nowhere without a grab
    Sync();
    SetMenuGrab(opener);
    EXPECT_FALSE(keyboardFree());
    // The key reaches us although the X focus is elsewhere.
    MessageSpy spy;
    spy.Watch(form);
    const KeyCode down = XKeysymToKeycode(observer, XK_Down);
    XTestFakeKeyEvent(observer, down, True, CurrentTime);
    XTestFakeKeyEvent(observer, down, False, CurrentTime);
    Sync();
    EXPECT_TRUE(PumpUntil([&] { return !spy.Of(form, WM_KEYDOWN).empty(); }));
    SetMenuGrab(nullptr);
    EXPECT_TRUE(keyboardFree());

    // Our form has the focus: keys come anyway, and the keyboard stays free for others.
    XSetInputFocus(observer, backend->XWindowOf(form), RevertToParent, CurrentTime);
    Sync();
    SetMenuGrab(form);
    EXPECT_TRUE(keyboardFree());
    SetMenuGrab(nullptr);
    PumpFor(20);
}

} // namespace
} // namespace vd::test
