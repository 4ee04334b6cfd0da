// The notification-area icon against a real X server (Xvfb, started here). The test itself
// plays the tray manager: it owns the tray selection, takes the dock requests and embeds the
// icon windows; clicks come through XTest, as a user's would.
#include "platform/win/x11/X11Tray.h"
#include "../win/x11/Xvfb.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Handle.h"
#include "platform/gfx/Objects.h"
#include "platform/shell/MessageWindow.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/shell/X11TrayHost.h"
#include "platform/win/Windows.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include "tests/platform/shell/TestTrayManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <chrono>
#include <functional>
#include <vector>

namespace vd::test {
namespace {

constexpr UINT kCallback = 0x800;

// Runs our messages until the condition holds or five seconds passed.
[[nodiscard]] bool WaitFor(const std::function<bool()>& done) {
    // The tray thread posts from outside: nothing to block on between the checks.
    return WaitUntil(
        [&] {
            PumpWaitingMessages();
            return done();
        },
        5000);
}

class X11TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Running()) << "Xvfb could not be started (scripts/install-deps installs it)";
        host = X11TrayHost::Open(server.Display());
        peer = XOpenDisplay(server.Display().c_str());
        ASSERT_TRUE(host && peer);
        InstallTrayHost(host.get());
        hwnd = CreateMessageWindow([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == kCallback && l != WM_MOUSEMOVE) clicks.push_back(UINT(l));
            if (m == TaskbarCreatedMessage()) ++taskbarCreated;
            if (m == TrayLostMessage()) ++trayLost;
            return DefWindowProc(h, m, w, l);
        });
        WatchTaskbarCreated(hwnd);
    }
    void TearDown() override {
        if (!hwnd) return;
        for (UINT id : {1u, 2u})
            Shell_NotifyIcon(NIM_DELETE, Data(id));
        UnwatchTaskbarCreated(hwnd);
        DestroyWindow(hwnd);
        InstallTrayHost(nullptr);
        host.reset();
        PumpWaitingMessages();
        if (peer) XCloseDisplay(peer);
    }
    NOTIFYICONDATA Data(UINT id) const {
        NOTIFYICONDATA d;
        d.hWnd = hwnd;
        d.uID = id;
        d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        d.uCallbackMessage = kCallback;
        d.hIcon = icon.Get();
        d.szTip = "Tarvolin";
        return d;
    }
    void Click(unsigned button, int x, int y) {
        XTestFakeMotionEvent(peer, 0, x, y, CurrentTime);
        XTestFakeButtonEvent(peer, button, True, CurrentTime);
        XTestFakeButtonEvent(peer, button, False, CurrentTime);
        XSync(peer, False);
    }
    unsigned long PixelOf(::Window w, int x, int y) {
        XImage* image = XGetImage(peer, w, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return ~0ul;
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    }

    XvfbServer server;
    std::unique_ptr<X11TrayHost> host;
    Display* peer = nullptr;
    HWND hwnd = nullptr;
    UniqueIcon icon = MakeRedIcon();
    std::vector<UINT> clicks;
    int taskbarCreated = 0;
    int trayLost = 0;

private:
    static UniqueIcon MakeRedIcon() {
        UniqueBitmap color(CreateBitmap(2, 2, 1, 24, nullptr));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x)
                color->SetPixelBgr(x, y, 0xFF0000);
        ICONINFO ii;
        ii.hbmColor = color.Get();
        return UniqueIcon(CreateIconIndirect(&ii));
    }
};

TEST_F(X11TrayTest, DockClickDeleteAndNewManager) {
    // No tray manager: adding fails, so the caller keeps its window reachable.
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, Data(1)));

    TrayManager first(peer);
    first.Start();
    ASSERT_TRUE(WaitFor([&] { return taskbarCreated == 1; }));

    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1)));
    const ::Window icon1 = first.WaitDock();
    ASSERT_NE(icon1, 0u);
    EXPECT_EQ(icon1, host->Tray().IconWindow(hwnd, 1));
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom xembed = XInternAtom(peer, "_XEMBED_INFO", False);
    ASSERT_EQ(
        XGetWindowProperty(peer, icon1, xembed, 0, 2, False, xembed, &type, &format, &count, &after, &data),
        Success);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(reinterpret_cast<long*>(data)[0], 0); // version
    EXPECT_EQ(reinterpret_cast<long*>(data)[1], 1); // XEMBED_MAPPED
    XFree(data);

    first.Embed(icon1, 10);
    EXPECT_TRUE(WaitFor([&] { return PixelOf(icon1, 16, 16) == 0xFF0000; })) << "icon not painted";

    Click(1, 26, 26);
    Click(1, 26, 26); // second press soon after: a double click
    Click(3, 26, 26);
    ASSERT_TRUE(WaitFor([&] { return clicks.size() >= 6; }));
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                                        WM_LBUTTONUP,   WM_RBUTTONDOWN, WM_RBUTTONUP};
    EXPECT_EQ(clicks, expected);

    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(2)));
    const ::Window icon2 = first.WaitDock();
    ASSERT_NE(icon2, 0u);
    first.Embed(icon2, 60);

    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, Data(1)));
    EXPECT_TRUE(first.WaitDestroyed(icon1));
    EXPECT_EQ(host->Tray().IconWindow(hwnd, 1), 0u);

    // A new manager takes over: the remaining icon docks with it and "TaskbarCreated" arrives.
    TrayManager second(peer);
    second.Start();
    EXPECT_EQ(second.WaitDock(), icon2);
    EXPECT_TRUE(WaitFor([&] { return taskbarCreated == 2; }));
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(2))); // the usual answer re-adds: still fine
}

// Two presses further apart than the desktop's double-click time are two clicks; when the
// manager goes away the icon owners hear of it.
TEST_F(X11TrayTest, DoubleClickTimeAndManagerGone) {
    TrayManager manager(peer);
    manager.Start();
    ASSERT_TRUE(WaitFor([&] { return taskbarCreated == 1; }));
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(1)));
    const ::Window icon = manager.WaitDock();
    ASSERT_NE(icon, 0u);
    manager.Embed(icon, 10);
    ASSERT_TRUE(WaitFor([&] { return PixelOf(icon, 16, 16) == 0xFF0000; }));
    host->Tray().SetDoubleClickTime(50);
    // The server holds the second press 150 ms (its own clock), so the presses lie apart.
    XTestFakeMotionEvent(peer, 0, 26, 26, CurrentTime);
    XTestFakeButtonEvent(peer, 1, True, CurrentTime);
    XTestFakeButtonEvent(peer, 1, False, CurrentTime);
    XTestFakeButtonEvent(peer, 1, True, 150);
    XTestFakeButtonEvent(peer, 1, False, CurrentTime);
    XSync(peer, False);
    ASSERT_TRUE(WaitFor([&] { return clicks.size() >= 4; }));
    EXPECT_EQ(clicks, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    manager.Stop();
    EXPECT_TRUE(WaitFor([&] { return trayLost == 1; }));
}

} // namespace
} // namespace vd::test
