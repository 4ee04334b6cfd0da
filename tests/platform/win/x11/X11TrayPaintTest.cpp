// The tray manager is another program: whatever size it gives our icon window, the icon is
// painted without the tray's thread giving up or stalling. The test plays the manager.
#include "Xvfb.h"

#include "platform/win/x11/X11Tray.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <functional>

namespace vd::test {
namespace {

using Clock = std::chrono::steady_clock;

bool Within(int ms, const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < deadline) {
        if (done()) return true;
        poll(nullptr, 0, 10); // the tray's thread works on its own connection: nothing to wait on
    }
    return done();
}

TEST(X11TrayPaint, AHugeIconWindowFromTheManagerIsPaintedAndTheTrayKeepsWorking) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    ::Display* mgr = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(mgr, nullptr);
    const ::Window root = DefaultRootWindow(mgr);
    const ::Window tray = XCreateSimpleWindow(mgr, root, 0, 0, 1024, 768, 0, 0, 0);
    XSelectInput(mgr, tray, SubstructureNotifyMask);
    XMapWindow(mgr, tray);
    XSetSelectionOwner(mgr, XInternAtom(mgr, "_NET_SYSTEM_TRAY_S0", False), tray, CurrentTime);
    const Atom opcode = XInternAtom(mgr, "_NET_SYSTEM_TRAY_OPCODE", False);
    XSync(mgr, False);

    auto open = X11Tray::Open(server.Display(), nullptr);
    ASSERT_TRUE(open);
    X11Tray::Icon icon;
    icon.id = 1;
    icon.width = icon.height = 2;
    icon.pixels.assign(4, 0x00FF0000); // red
    ASSERT_TRUE(open->Add(icon));
    ::Window docked = 0;
    ASSERT_TRUE(Within(5000, [&] {
        while (XPending(mgr)) {
            XEvent ev;
            XNextEvent(mgr, &ev);
            if (ev.type == ClientMessage && ev.xclient.message_type == opcode && ev.xclient.data.l[1] == 0)
                docked = ::Window(ev.xclient.data.l[2]);
        }
        return docked != 0;
    }));
    XReparentWindow(mgr, docked, tray, 0, 0);
    XResizeWindow(mgr, docked, 65535, 65535);
    XMapWindow(mgr, docked);
    XSync(mgr, False);

    icon.pixels.assign(4, 0x000000FF); // blue, painted at the new size
    const auto start = Clock::now();
    EXPECT_TRUE(open->Modify(icon));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2)) << "the tray's lock is not held for long";
    auto pixel = [&](int x, int y) {
        XImage* image = XGetImage(mgr, docked, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0ul;
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    };
    EXPECT_TRUE(Within(3000, [&] { return pixel(0, 0) == 0x0000FF && pixel(300, 300) == 0x0000FF; }))
        << std::hex << pixel(0, 0) << " " << pixel(300, 300);
    EXPECT_TRUE(open->Remove(nullptr, 1));
    open.reset();
    XCloseDisplay(mgr);
}

} // namespace
} // namespace vd::test
