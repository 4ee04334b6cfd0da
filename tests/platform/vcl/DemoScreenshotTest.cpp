// The demonstration program under a private Xvfb: its window appears and is painted.
#include "../win/x11/Xvfb.h"

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
    explicit DemoProcess(const std::string& display) {
        FPid = fork();
        if (FPid == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            execl("./vd_demo", "vd_demo", "--quit-after", "20000", static_cast<char*>(nullptr));
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

} // namespace
} // namespace vd::test
