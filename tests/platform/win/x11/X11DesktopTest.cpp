// Clipboard and desktop of the X11 back end, as other programs see and set them.
#include "X11Fixture.h"
#include "platform/gfx/Objects.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace vd::test {
namespace {

// Other programs read our clipboard: by UTF-8 and TARGETS, an old requestor naming no property
// (the target is the property then), and one whose window is gone before we answer, which must
// not end our program (the next request is still answered).
TEST_F(X11Test, OtherProgramsReadOurClipboardAndTheirErrorsDoNotEndOurs) {
    const String text = "Gr\xC3\xBC\xC3\x9F"
                        "e\r\nline two";
    ClipboardSetText(text);
    EXPECT_EQ(ClipboardGetText(), text);
    auto atom = [](const char* n) { return XInternAtom(observer, n, False); };
    const Atom clipboard = atom("CLIPBOARD"), utf8 = atom("UTF8_STRING"), targets = atom("TARGETS"),
               prop = atom("VD_TEST_PROP");
    struct Answer {
        bool came = false;
        Atom property = 0;
        Atom type = 0;
        std::string bytes;
        std::vector<long> atoms;
    };
    auto ask = [&](::Window w, Atom target, Atom property) {
        XConvertSelection(observer, clipboard, target, property, w, CurrentTime);
        XSync(observer, False);
        Answer a;
        XEvent e;
        a.came = PumpUntil([&] { return XCheckTypedWindowEvent(observer, w, SelectionNotify, &e) == True; });
        if (!a.came || e.xselection.property == 0) return a;
        a.property = e.xselection.property;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(observer, w, a.property, 0, 1 << 16, True, AnyPropertyType, &a.type, &format,
                               &n, &after, &data) == Success &&
            data) {
            if (format == 8) a.bytes.assign(reinterpret_cast<const char*>(data), n);
            if (format == 32)
                a.atoms.assign(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + n);
        }
        if (data) XFree(data);
        return a;
    };
    const ::Window root = DefaultRootWindow(observer);
    const ::Window w = XCreateSimpleWindow(observer, root, 0, 0, 1, 1, 0, 0, 0);

    Answer a = ask(w, utf8, prop);
    ASSERT_TRUE(a.came);
    EXPECT_EQ(a.property, prop);
    EXPECT_EQ(a.type, utf8);
    EXPECT_EQ(a.bytes, text);
    a = ask(w, targets, prop);
    EXPECT_NE(std::find(a.atoms.begin(), a.atoms.end(), static_cast<long>(utf8)), a.atoms.end());
    a = ask(w, utf8, 0);
    EXPECT_EQ(a.property, utf8) << "no property named: the target is the property";
    EXPECT_EQ(a.bytes, text);

    // A requestor that goes away before the answer.
    const ::Window gone = XCreateSimpleWindow(observer, root, 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(observer, clipboard, utf8, prop, gone, CurrentTime);
    XDestroyWindow(observer, gone);
    XSync(observer, False);
    PumpFor(50);
    a = ask(w, utf8, prop);
    EXPECT_TRUE(a.came);
    EXPECT_EQ(a.bytes, text);
    XDestroyWindow(observer, w);
    XSync(observer, False);
}

// Text another program owns is read with a bounded wait for its answer.
TEST_F(X11Test, ClipboardTextOfAnotherOwnerIsRead) {
    ::Display* other = XOpenDisplay(server->Display().c_str());
    ASSERT_NE(other, nullptr);
    const Atom clipboard = XInternAtom(other, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(other, "UTF8_STRING", False);
    const ::Window owner = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(other, clipboard, owner, CurrentTime);
    XSync(other, False);
    const std::string theirs = "from elsewhere \xE2\x82\xAC";
    std::atomic<bool> stop{false};
    std::thread answerer([&] {
        while (!stop) {
            XEvent e;
            if (!XCheckTypedWindowEvent(other, owner, SelectionRequest, &e)) {
                pollfd p{ConnectionNumber(other), POLLIN, 0};
                poll(&p, 1, 10);
                continue;
            }
            XSelectionRequestEvent& r = e.xselectionrequest;
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.requestor = r.requestor;
            reply.selection = r.selection;
            reply.target = r.target;
            reply.time = r.time;
            if (r.target == utf8) {
                XChangeProperty(other, r.requestor, r.property, utf8, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(theirs.data()),
                                static_cast<int>(theirs.size()));
                reply.property = r.property;
            }
            XSendEvent(other, r.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
            XFlush(other);
        }
    });
    const String got = ClipboardGetText();
    const bool has = ClipboardHasText();
    stop = true;
    answerer.join();
    XCloseDisplay(other);
    EXPECT_EQ(got, theirs);
    EXPECT_TRUE(has);
    PumpFor(20); // the lost ownership reaches us
    EXPECT_EQ(ClipboardGetText(), "") << "the owner is gone";
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// The screen is the monitor; the desktop's work area (set by another program) is cut to it,
// whatever numbers that program wrote.
// The pointer position is kept between events instead of asked for at every idle moment; it
// still follows the pointer: at once over our window (an event comes), soon elsewhere.
TEST_F(X11Test, CursorPosFollowsThePointerOverOurWindowsAndElsewhere) {
    HWND h = Make({40, 40, 140, 120}, WS_POPUP);
    ShowWindow(h, SW_SHOW);
    ASSERT_TRUE(PumpUntil([&] { return backend->XWindowOf(h) != 0; }));
    Sync();
    struct Case {
        const char* Where;
        int X, Y;
    } cases[] = {{"over our window", 80, 70},
                 {"outside it", 300, 250},
                 {"elsewhere outside, where no event tells", 320, 260},
                 {"back over it", 60, 50},
                 {"moved over it", 90, 100}};
    for (const Case& c : cases) {
        XWarpPointer(observer, None, DefaultRootWindow(observer), 0, 0, 0, 0, c.X, c.Y);
        XSync(observer, False);
        EXPECT_TRUE(PumpUntil(
            [&] {
                TPoint p;
                GetCursorPos(p);
                return p.X == c.X && p.Y == c.Y;
            },
            1000))
            << c.Where;
    }
}

// A window that comes under a resting pointer: the last event said "outside", and the pointer
// was moved meanwhile where we saw nothing; the position is asked again, not taken from it.
TEST_F(X11Test, CursorPosIsRightAtOnceWhenOurWindowComesUnderThePointer) {
    HWND h = Make({40, 40, 140, 120}, WS_POPUP);
    ShowWindow(h, SW_SHOW);
    ASSERT_TRUE(PumpUntil([&] { return backend->XWindowOf(h) != 0; }));
    Sync();
    auto warp = [](int x, int y) {
        XWarpPointer(observer, None, DefaultRootWindow(observer), 0, 0, 0, 0, x, y);
        XSync(observer, False);
    };
    auto at = [](int x, int y) {
        TPoint p;
        GetCursorPos(p);
        return p.X == x && p.Y == y;
    };
    warp(80, 70);
    ASSERT_TRUE(PumpUntil([&] { return at(80, 70); }, 1000));
    warp(300, 250);
    ASSERT_TRUE(PumpUntil([&] { return at(300, 250); }, 1000));
    ShowWindow(h, SW_HIDE);
    Sync();
    warp(90, 75);
    ShowWindow(h, SW_SHOW);
    EXPECT_TRUE(at(90, 75));
}

TEST_F(X11Test, MonitorWorkAreaFollowsTheDesktopPropertyWithinTheScreen) {
    const ::Window root = DefaultRootWindow(observer);
    const Atom workArea = XInternAtom(observer, "_NET_WORKAREA", False);
    struct Case {
        long area[4];
        TRect work;
    } cases[] = {
        {{0, 30, 1024, 700}, {0, 30, 1024, 730}},
        {{10, 10, 0x7FFFFFFFL, 0x7FFFFFFFL}, {10, 10, 1024, 768}},
        {{100, 50, 200, 100}, {100, 50, 300, 150}},
    };
    for (const Case& c : cases) {
        XChangeProperty(observer, root, workArea, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(c.area), 4);
        XSync(observer, False);
        const auto mons = backend->Monitors();
        ASSERT_EQ(mons.size(), 1u);
        EXPECT_EQ(mons[0].bounds, (TRect{0, 0, 1024, 768}));
        EXPECT_EQ(mons[0].work, c.work)
            << c.area[0] << "," << c.area[1] << " " << c.area[2] << "x" << c.area[3];
    }
    XDeleteProperty(observer, root, workArea);
    XSync(observer, False);
    EXPECT_EQ(backend->Monitors()[0].work, (TRect{0, 0, 1024, 768})) << "no property: the whole screen";
}

// The window's icon reaches the desktop as _NET_WM_ICON (clear where the icon's mask is set),
// follows a change, and stays valid after its creator gave up its handle.
TEST_F(X11Test, WindowIconIsPublishedForTheDesktop) {
    HWND h = Make({50, 50, 150, 150}, WS_OVERLAPPEDWINDOW);
    ShowWindow(h, SW_SHOW);
    const ::Window xw = backend->XWindowOf(h);
    ASSERT_NE(xw, 0u);
    const Atom prop = XInternAtom(observer, "_NET_WM_ICON", False);
    const auto read = [&] {
        Sync();
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned long> out;
        if (XGetWindowProperty(observer, xw, prop, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &n, &after,
                               &data) == Success &&
            data && format == 32) {
            const auto* v = reinterpret_cast<const unsigned long*>(data);
            out.assign(v, v + n);
        }
        if (data) XFree(data);
        return out;
    };
    EXPECT_TRUE(read().empty()) << "no icon, no property";
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(SendMessage(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)), 0);
    DestroyIcon(icon); // the window keeps its own reference
    const auto pixels = read();
    ASSERT_EQ(pixels.size(), 2u + 32u * 32u);
    EXPECT_EQ(pixels[0], 32u);
    EXPECT_EQ(pixels[1], 32u);
    EXPECT_EQ((pixels[2] & 0xFFFFFFFFu) >> 24, 0u) << "a corner outside the round shape is clear";
    EXPECT_EQ((pixels[2 + 16 * 32 + 16] & 0xFFFFFFFFu) >> 24, 0xFFu) << "the middle is opaque";
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(h, WM_GETICON, ICON_BIG, 0)), icon);
    SendMessage(h, WM_SETICON, ICON_BIG, 0);
    EXPECT_TRUE(read().empty()) << "taking the icon away removes the property";
}

} // namespace
} // namespace vd::test
