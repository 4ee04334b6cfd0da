// The program itself under a private Xvfb, started from a folder of its own: its skinned main
// window appears and is painted (kept as artefacts/main-window.ppm), a second start ends at once
// with status 0 and leaves one window, and the end of the session closes it without asking.
#include "../../../platform/win/x11/Xvfb.h"
#include "tests/support/DieWithParent.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

// Xlib's macros (None, Bool) after the test framework.
#include "../../../platform/win/x11/SavePpm.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vd::test {
namespace {

const char* const Title = "Tarvolin Vendrill";

// Top-level windows whose name begins with the program's title.
std::vector<::Window> ProgramWindows(::Display* d) {
    std::vector<::Window> found;
    ::Window root = 0, parent = 0, *kids = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &kids, &count)) return found;
    for (unsigned i = 0; i < count; ++i) {
        char* name = nullptr;
        XWindowAttributes a{};
        if (XFetchName(d, kids[i], &name) && name) {
            if (std::string(name).rfind(Title, 0) == 0 && XGetWindowAttributes(d, kids[i], &a) &&
                a.map_state == IsViewable && a.width > 100)
                found.push_back(kids[i]);
            XFree(name);
        }
    }
    if (kids) XFree(kids);
    return found;
}

pid_t Start(const std::string& program, const std::string& display) {
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        DieWithParent(parent);
        setenv("DISPLAY", display.c_str(), 1);
        execl(program.c_str(), "vendrill", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The exit status, or -1 when the process is still running at the deadline.
int WaitExit(pid_t pid, int timeoutMs) {
    int status = 0;
    pid_t done = 0;
    if (!WaitUntil([&] { return (done = waitpid(pid, &status, WNOHANG)) != 0; }, timeoutMs) || done != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<long> Cardinals(::Display* d, ::Window w, const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> out;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1 << 16, False, XA_CARDINAL, &type, &format,
                           &n, &after, &data) == Success &&
        data) {
        if (format == 32) out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + n);
        XFree(data);
    }
    return out;
}

// What a desktop needs to group, name and show the program's window.
void ExpectDesktopIdentity(::Display* d, ::Window w, pid_t pid) {
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(d, w, &hint));
    EXPECT_STREQ(hint.res_name, "vendrill");
    EXPECT_STREQ(hint.res_class, "Vendrill");
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_EQ(Cardinals(d, w, "_NET_WM_PID"), std::vector<long>{long(pid)});
    // The program's own icon: width, height, then as many pixels, some of them opaque.
    const std::vector<long> icon = Cardinals(d, w, "_NET_WM_ICON");
    ASSERT_GE(icon.size(), 2u);
    EXPECT_GT(icon[0], 0);
    EXPECT_EQ(icon.size(), std::size_t(2 + icon[0] * icon[1]));
    int opaque = 0;
    for (std::size_t i = 2; i < icon.size(); ++i)
        opaque += ((static_cast<unsigned long>(icon[i]) & 0xFFFFFFFFu) >> 24) == 0xFF;
    EXPECT_GT(opaque, int(icon.size()) / 2);
}

TEST(MainWindowX11Test, TheProgramShowsItsSkinnedWindowOnceAndClosesAtTheSessionEnd) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    // The program and its language file in a folder of their own, where it keeps its settings.
    TTempDir dir;
    namespace fs = std::filesystem;
    fs::copy_file("vendrill", dir.File("vendrill"));
    fs::copy_file("vendrill.English.lng", dir.File("vendrill.English.lng"));
    dir.Write("vendrill.ini", "[Stream001]\nMode=2\nURL=127.0.0.1/live\nPort=8000\nType=0\nBitrate=128\n");
    ::Display* d = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(d, nullptr);

    const pid_t first = Start(dir.File("vendrill"), server.Display());
    ::Window w = 0;
    XWindowAttributes a{};
    XImage* img = nullptr;
    // Painted: the caption row is lit and the middle of the client area is not black.
    const bool painted = WaitUntil(
        [&] {
            if (img) XDestroyImage(img);
            img = nullptr;
            const auto windows = ProgramWindows(d);
            if (windows.size() != 1) return false;
            w = windows.front();
            if (!XGetWindowAttributes(d, w, &a)) return false;
            img = XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
            if (!img) return false;
            int lit = 0;
            for (int x = 10; x < a.width - 10; x += 4)
                lit += (XGetPixel(img, x, 10) & 0xFFFFFF) != 0;
            return lit > a.width / 16 && (XGetPixel(img, a.width / 2, a.height / 2) & 0xFFFFFF) != 0;
        },
        30000);
    ASSERT_TRUE(painted);
    EXPECT_GE(a.width, 510);
    EXPECT_GE(a.height, 420);
    mkdir("artefacts", 0755);
    EXPECT_TRUE(SavePpm(img, a.width, a.height, "artefacts/main-window.ppm"));
    XDestroyImage(img);
    ExpectDesktopIdentity(d, w, first);

    // A second start asks the first to show itself and ends without a window of its own.
    const pid_t second = Start(dir.File("vendrill"), server.Display());
    EXPECT_EQ(WaitExit(second, 15000), 0);
    XSync(d, False);
    EXPECT_EQ(ProgramWindows(d).size(), 1u);

    // The session ends: the program closes without a question and ends with status 0.
    ASSERT_EQ(kill(first, SIGTERM), 0);
    EXPECT_EQ(WaitExit(first, 15000), 0);
    XCloseDisplay(d);
    EXPECT_NE(dir.Read("vendrill.ini").find("PosW="), std::string::npos)
        << "the close keeps the window's place";
}

} // namespace
} // namespace vd::test
