#pragma once
// Drives the real program from outside, as a user would: a copy in a folder of its own (with its
// language file and settings, HOME and XDG folders beside), started and awaited; its windows
// found by their titles on the X server, screenshots of them, and simulated input (XTest).
// Header-only, included after the test framework (Xlib's macros).
#include "../platform/win/x11/SavePpm.h"
#include "tests/support/DieWithParent.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vd::test {

namespace fs = std::filesystem;

inline const char* const MainTitle = "Tarvolin Vendrill";

struct TTopWindow {
    ::Window Id = 0;
    std::string Title;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// The program's run: its folder (the program, its language file, its settings), HOME and the
// XDG folders, and what it writes to standard output and error.
class TProgram {
public:
    explicit TProgram(const std::string& display) : FDisplay(display) {
        // Hard links: the program's own path is the folder's, where it keeps its settings.
        const char* other = std::getenv("VD_E2E_PROGRAM_DIR"); // another build's program
        const std::string from = other ? std::string(other) + "/" : std::string();
        for (const char* name : {"vendrill", "vendrill.English.lng"}) {
            std::error_code ec;
            fs::create_hard_link(from + name, FDir.File(name), ec);
            if (ec) fs::copy_file(from + name, FDir.File(name));
        }
        for (const char* sub : {"home", "config", "data", "cache", "runtime"})
            fs::create_directories(FDir.File(sub));
        ::chmod(FDir.File("runtime").c_str(), 0700);
    }
    ~TProgram() {
        for (pid_t pid : FStarted)
            if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
    }
    const TTempDir& Dir() const { return FDir; }
    std::string Settings() const { return FDir.File("vendrill.ini"); }

    // Starts a copy; its output goes to run<N>.log.
    pid_t Start(const std::vector<std::string>& extraEnv) {
        std::vector<std::string> env;
        const std::vector<std::string> own = {"DISPLAY=" + FDisplay,
                                              "HOME=" + FDir.File("home"),
                                              "XDG_CONFIG_HOME=" + FDir.File("config"),
                                              "XDG_DATA_HOME=" + FDir.File("data"),
                                              "XDG_CACHE_HOME=" + FDir.File("cache"),
                                              "XDG_RUNTIME_DIR=" + FDir.File("runtime"),
                                              "LC_ALL=C.UTF-8"};
        auto replaced = [&](const std::string& e) {
            for (const auto& list : {own, extraEnv})
                for (const std::string& x : list)
                    if (e.compare(0, x.find('=') + 1, x, 0, x.find('=') + 1) == 0) return true;
            return false;
        };
        for (char** e = environ; *e; ++e)
            if (!replaced(*e)) env.emplace_back(*e);
        env.insert(env.end(), own.begin(), own.end());
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        const std::string program = FDir.File("vendrill");
        const std::string log = Log(static_cast<int>(FStarted.size()));
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid == 0) {
            DieWithParent(parent);
            const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out >= 0) {
                ::dup2(out, 1);
                ::dup2(out, 2);
            }
            char* argv[] = {const_cast<char*>("vendrill"), nullptr};
            ::execve(program.c_str(), argv, envp.data());
            ::_exit(127);
        }
        FStarted.push_back(pid);
        return pid;
    }
    std::string Log(int run) const { return FDir.File("run" + std::to_string(run) + ".log"); }

    // The exit status (128 + signal for a killed one), -1 when still running at the deadline.
    static int WaitExit(pid_t pid, int timeoutMs) {
        int status = 0;
        pid_t done = 0;
        if (!WaitUntil([&] { return (done = ::waitpid(pid, &status, WNOHANG)) != 0; }, timeoutMs) ||
            done != pid)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    std::string FDisplay;
    TTempDir FDir;
    std::vector<pid_t> FStarted;
};

// The program creates and destroys its windows while the test looks at them: a window gone
// between the listing and the question about it is an error Xlib would otherwise end the test
// with. Such calls report failure instead, and the window is passed over.
inline int IgnoreVanishedWindows(::Display*, XErrorEvent* e) {
    if (e->error_code == BadWindow || e->error_code == BadDrawable || e->error_code == BadMatch) return 0;
    std::fprintf(stderr, "X error %d (request %d)\n", e->error_code, e->request_code);
    std::abort();
}

// The X side of the test: finding windows by their titles, screenshots, XTest input.
class TDesktop {
public:
    explicit TDesktop(const std::string& display) : FDpy(XOpenDisplay(display.c_str())) {
        XSetErrorHandler(IgnoreVanishedWindows);
    }
    ~TDesktop() {
        if (FDpy) XCloseDisplay(FDpy);
    }
    ::Display* Dpy() const { return FDpy; }

    // Mapped top-level windows (children of the root) with a title.
    std::vector<TTopWindow> Windows() {
        std::vector<TTopWindow> found;
        ::Window root = 0, parent = 0, *kids = nullptr;
        unsigned count = 0;
        XSync(FDpy, False);
        if (!XQueryTree(FDpy, DefaultRootWindow(FDpy), &root, &parent, &kids, &count)) return found;
        for (unsigned i = 0; i < count; ++i) {
            char* name = nullptr;
            XWindowAttributes a{};
            if (!XGetWindowAttributes(FDpy, kids[i], &a) || a.map_state != IsViewable) continue;
            if (XFetchName(FDpy, kids[i], &name) && name) {
                found.push_back({kids[i], name, a.x, a.y, a.width, a.height});
                XFree(name);
            }
        }
        if (kids) XFree(kids);
        return found;
    }
    std::vector<TTopWindow> WindowsStartingWith(const std::string& title) {
        std::vector<TTopWindow> found;
        for (auto& w : Windows())
            if (w.Title.rfind(title, 0) == 0) found.push_back(w);
        return found;
    }
    std::string Titles() {
        std::string all;
        for (auto& w : Windows())
            all += "'" + w.Title + "' ";
        return all;
    }
    // The one mapped window whose title begins so, waiting for it.
    [[nodiscard]] bool WaitWindow(const std::string& title, TTopWindow& out, int timeoutMs = 15000) {
        return WaitUntil(
            [&] {
                const auto found = WindowsStartingWith(title);
                if (found.size() != 1) return false;
                out = found.front();
                return true;
            },
            timeoutMs);
    }
    [[nodiscard]] bool WaitGone(::Window w, int timeoutMs = 15000) {
        return WaitUntil(
            [&] {
                for (auto& t : Windows())
                    if (t.Id == w) return false;
                return true;
            },
            timeoutMs);
    }

    // Painted: not one colour, and the client area below the caption is not left black (an
    // X window shows black until the program first draws into it).
    bool Painted(const TTopWindow& w) {
        XImage* img = XGetImage(FDpy, w.Id, 0, 0, unsigned(w.Width), unsigned(w.Height), AllPlanes, ZPixmap);
        if (!img) return false;
        const unsigned long first = XGetPixel(img, 0, 0) & 0xFFFFFF;
        int different = 0, black = 0, below = 0;
        for (int y = 0; y < w.Height; y += 5)
            for (int x = 0; x < w.Width; x += 5) {
                const unsigned long p = XGetPixel(img, x, y) & 0xFFFFFF;
                different += p != first;
                if (y > 30) {
                    ++below;
                    black += p == 0;
                }
            }
        XDestroyImage(img);
        return different > 20 && black * 3 < below;
    }
    // A sum over the window's pixels: it changes when the program has drawn something new.
    unsigned long Checksum(const TTopWindow& w) {
        XImage* img = XGetImage(FDpy, w.Id, 0, 0, unsigned(w.Width), unsigned(w.Height), AllPlanes, ZPixmap);
        if (!img) return 0;
        unsigned long sum = 0;
        for (int y = 0; y < w.Height; ++y)
            for (int x = 0; x < w.Width; ++x)
                sum = sum * 31 + (XGetPixel(img, x, y) & 0xFFFFFF);
        XDestroyImage(img);
        return sum;
    }
    // Waits until the window no longer shows the picture whose sum was taken before an input,
    // and then until it has taken in all of that input: at most two pictures (the caret's
    // blink) on the last 30 checks, as input queued faster than a loaded machine draws it
    // shows up piece by piece.
    [[nodiscard]] bool WaitRedrawn(const TTopWindow& w, unsigned long before, int timeoutMs = 10000) {
        std::vector<unsigned long> last;
        bool changed = false;
        return WaitUntil(
            [&] {
                const unsigned long now = Checksum(w);
                changed = changed || now != before;
                if (!changed) return false;
                last.push_back(now);
                if (last.size() > 30) last.erase(last.begin());
                std::vector<unsigned long> distinct = last;
                std::sort(distinct.begin(), distinct.end());
                distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
                return last.size() == 30 && distinct.size() <= 2;
            },
            timeoutMs);
    }
    bool Screenshot(const TTopWindow& w, const std::string& name) {
        ::mkdir("artefacts", 0755);
        XImage* img = XGetImage(FDpy, w.Id, 0, 0, unsigned(w.Width), unsigned(w.Height), AllPlanes, ZPixmap);
        if (!img) return false;
        const bool ok = SavePpm(img, w.Width, w.Height, ("artefacts/e2e-" + name + ".ppm").c_str());
        XDestroyImage(img);
        return ok;
    }

    // A click at a point of a window (window coordinates).
    void Click(const TTopWindow& w, int x, int y, int button = 1) {
        XTestFakeMotionEvent(FDpy, 0, w.X + x, w.Y + y, CurrentTime);
        XSync(FDpy, False);
        XTestFakeButtonEvent(FDpy, unsigned(button), True, CurrentTime);
        XTestFakeButtonEvent(FDpy, unsigned(button), False, CurrentTime);
        XSync(FDpy, False);
    }
    void Key(const char* keysym) {
        const KeyCode code = XKeysymToKeycode(FDpy, XStringToKeysym(keysym));
        XTestFakeKeyEvent(FDpy, code, True, CurrentTime);
        XTestFakeKeyEvent(FDpy, code, False, CurrentTime);
        XSync(FDpy, False);
    }

    // Types text into the window under the pointer (letters, digits, '.', '/').
    void Type(const std::string& text) {
        for (char c : text) {
            const std::string sym = c == '.' ? "period" : c == '/' ? "slash" : std::string(1, c);
            Key(sym.c_str());
        }
    }
    // Replaces the text of the edit at this point of a window.
    void ReplaceText(const TTopWindow& w, int x, int y, const std::string& text) {
        Click(w, x, y);
        Key("End");
        const KeyCode shift = XKeysymToKeycode(FDpy, XK_Shift_L);
        XTestFakeKeyEvent(FDpy, shift, True, CurrentTime);
        Key("Home");
        XTestFakeKeyEvent(FDpy, shift, False, CurrentTime);
        Key("Delete");
        Type(text);
    }

private:
    ::Display* FDpy;
};

// The client area's origin in the main window: the skinned frame's left border and caption.
struct TFrame {
    int Left = 0, Top = 0;
};

} // namespace vd::test
