// The demonstration program under a private Xvfb: its window appears and is painted.
#include "tests/platform/win/x11/Xvfb.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/platform/win/x11/SavePpm.h"
#include "tests/support/DieWithParent.h"
#include "tests/support/WaitUntil.h"

#include <X11/extensions/XTest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

namespace vd::test {
namespace {

::Window FindByName(::Display* d, ::Window w, const char* name) {
    char* n = nullptr;
    if (XFetchName(d, w, &n) && n) {
        const bool match = std::string(n) == name;
        XFree(n);
        if (match) return w;
    }
    ::Window root = 0, parent = 0, *kids = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &count)) return 0;
    ::Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = FindByName(d, kids[i], name);
    if (kids) XFree(kids);
    return found;
}

class DemoProcess {
public:
    explicit DemoProcess(const std::string& display, const char* extra = nullptr) {
        const pid_t parent = getpid();
        FPid = fork();
        if (FPid == 0) {
            DieWithParent(parent);
            setenv("DISPLAY", display.c_str(), 1);
            execl("./vd_demo", "vd_demo", "--quit-after", "20000", extra, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~DemoProcess() {
        if (FPid <= 0) return;
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }

private:
    pid_t FPid = -1;
};

TEST(DemoScreenshotTest, DemoWindowAppearsAndIsPainted) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    ::Display* d = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(d, nullptr);
    DemoProcess demo(server.Display());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    bool painted = false;
    int faceCount = 0, darkCount = 0;
    while (!painted && std::chrono::steady_clock::now() < deadline) {
        ::Window w = FindByName(d, DefaultRootWindow(d), "Vendrill demo");
        XWindowAttributes a{};
        if (w && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) {
            XImage* img = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width),
                                    static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
            if (img) {
                faceCount = darkCount = 0;
                for (int y = 0; y < a.height; y += 2)
                    for (int x = 0; x < a.width; x += 2) {
                        const unsigned long p = XGetPixel(img, x, y) & 0xFFFFFF;
                        if (p == 0xD4D0C8) ++faceCount; // the form's face colour
                        if (p == 0x000000) ++darkCount; // text and the frame line
                    }
                if (const char* out = std::getenv("VD_DEMO_SCREENSHOT")) {
                    FILE* f = std::fopen(out, "wb");
                    if (f) {
                        std::fprintf(f, "P6 %d %d 255\n", a.width, a.height);
                        for (int y = 0; y < a.height; ++y)
                            for (int x = 0; x < a.width; ++x) {
                                const unsigned long p = XGetPixel(img, x, y);
                                const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                                              static_cast<unsigned char>(p >> 8),
                                                              static_cast<unsigned char>(p)};
                                std::fwrite(rgb, 1, 3, f);
                            }
                        std::fclose(f);
                    }
                }
                XDestroyImage(img);
                painted = faceCount > (a.width * a.height / 4) / 2 && darkCount > 20;
            }
        }
        if (!painted) std::this_thread::sleep_for(std::chrono::milliseconds(50)); // polling another process
    }
    XCloseDisplay(d);
    EXPECT_TRUE(painted) << "face pixels " << faceCount << ", dark pixels " << darkCount;
}

// The skinned window: drawn from the program's skin, and its popup menu opens on a right click.
// Both are kept as artefacts/skinned-demo.ppm and artefacts/skinned-demo-menu.ppm.
TEST(DemoScreenshotTest, SkinnedWindowWithItsPopupMenu) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    ::Display* d = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(d, nullptr);
    DemoProcess demo(server.Display(), "--skinned");
    ::Window w = 0;
    XWindowAttributes a{};
    XImage* img = nullptr;
    // Painted: the caption row is lit and the client area is not black.
    const bool painted = WaitUntil(
        [&] {
            if (img) XDestroyImage(img);
            img = nullptr;
            w = FindByName(d, DefaultRootWindow(d), "Vendrill skinned demo");
            if (!w || !XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
            img = XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
            if (!img) return false;
            int lit = 0;
            for (int x = 10; x < a.width - 10; x += 4)
                lit += (XGetPixel(img, x, 10) & 0xFFFFFF) != 0;
            return lit > a.width / 16 && (XGetPixel(img, a.width / 2, a.height - 20) & 0xFFFFFF) != 0;
        },
        15000);
    ASSERT_TRUE(painted);
    mkdir("artefacts", 0755);
    EXPECT_TRUE(SavePpm(img, a.width, a.height, "artefacts/skinned-demo.ppm"));
    XDestroyImage(img);
    img = nullptr;
    // A right click in the client area opens the skinned menu: an override-redirect level.
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), a.width / 2, a.height - 40, &x, &y, &child);
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(d, 3, True, CurrentTime);
    XTestFakeButtonEvent(d, 3, False, CurrentTime);
    XSync(d, False);
    auto menuWindow = [&]() -> ::Window {
        ::Window root = 0, parent = 0, *kids = nullptr;
        unsigned count = 0;
        ::Window found = 0;
        if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &kids, &count)) return 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes k{};
            if (kids[i] != w && XGetWindowAttributes(d, kids[i], &k) && k.override_redirect &&
                k.map_state == IsViewable && k.width > 20)
                found = kids[i];
        }
        if (kids) XFree(kids);
        return found;
    };
    ::Window menu = 0;
    ASSERT_TRUE(WaitUntil([&] { return (menu = menuWindow()) != 0; }, 10000));
    // The window and its menu together, from the screen.
    XWindowAttributes m{};
    XGetWindowAttributes(d, menu, &m);
    const int right = std::max(x - a.width / 2 + a.width, m.x + m.width);
    const int bottom = std::max(y - (a.height - 40) + a.height, m.y + m.height);
    const int left = std::min(x - a.width / 2, m.x), top = std::min(y - (a.height - 40), m.y);
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (img) XDestroyImage(img);
            img = XGetImage(d, DefaultRootWindow(d), left, top, unsigned(right - left),
                            unsigned(bottom - top), AllPlanes, ZPixmap);
            return img &&
                   (XGetPixel(img, m.x - left + m.width / 2, m.y - top + m.height / 2) & 0xFFFFFF) != 0;
        },
        5000));
    EXPECT_TRUE(SavePpm(img, right - left, bottom - top, "artefacts/skinned-demo-menu.ppm"));
    XDestroyImage(img);
    XCloseDisplay(d);
}

// The multiple-document window: the skinned main window with its menu bar, tabs bar and two
// children with frames of their own, kept as artefacts/mdi-demo.ppm; then the active child
// maximized by a double click on its caption (its frame gone, its buttons on the menu bar), kept
// as artefacts/mdi-demo-maximized.ppm.
TEST(DemoScreenshotTest, MultipleDocumentWindowWithTabsAndChildren) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    ::Display* d = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(d, nullptr);
    DemoProcess demo(server.Display(), "--mdi");
    ::Window w = 0;
    XWindowAttributes a{};
    XImage* img = nullptr;
    auto grab = [&] {
        if (img) XDestroyImage(img);
        img = nullptr;
        w = FindByName(d, DefaultRootWindow(d), "Vendrill MDI demo");
        if (!w || !XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
        img = XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
        return img != nullptr;
    };
    // The active child's caption comes from the same skin as the main window's: a row below the
    // main caption, the menu bar and the tabs that carries the main caption's colour over about a
    // child's width. Gives the row and a point on it, or y = -1.
    auto childCaption = [&](int& y, int& x) {
        y = x = -1;
        const unsigned long caption = XGetPixel(img, a.width / 2, 10) & 0xFFFFFF;
        for (int row = 80; row < a.height && y < 0; ++row) {
            int same = 0, first = -1;
            for (int col = 0; col < a.width; ++col)
                if ((XGetPixel(img, col, row) & 0xFFFFFF) == caption) {
                    ++same;
                    if (first < 0) first = col;
                }
            if (same > 150 && same < a.width / 2 + 100) y = row, x = first + 40;
        }
    };
    int y = -1, x = -1;
    const bool painted = WaitUntil(
        [&] {
            if (!grab()) return false;
            childCaption(y, x);
            return y >= 0 && (XGetPixel(img, a.width / 2, a.height - 20) & 0xFFFFFF) != 0;
        },
        15000);
    mkdir("artefacts", 0755);
    if (img) {
        EXPECT_TRUE(SavePpm(img, a.width, a.height, "artefacts/mdi-demo.ppm"));
    }
    ASSERT_TRUE(painted) << "no child frame in the client area";

    // A double click on the child's caption maximizes it: no child caption row is left.
    int sx = 0, sy = 0;
    ::Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), x, y, &sx, &sy, &child);
    XTestFakeMotionEvent(d, -1, sx, sy, CurrentTime);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
    }
    XSync(d, False);
    const bool maximized = WaitUntil(
        [&] {
            if (!grab()) return false;
            childCaption(y, x);
            return y < 0;
        },
        10000);
    if (img) {
        EXPECT_TRUE(SavePpm(img, a.width, a.height, "artefacts/mdi-demo-maximized.ppm"));
        XDestroyImage(img);
    }
    XCloseDisplay(d);
    EXPECT_TRUE(maximized) << "the child kept its frame";
}

} // namespace
} // namespace vd::test
