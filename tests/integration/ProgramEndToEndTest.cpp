// The program itself, end to end: the real binary under a private Xvfb, capturing from a paced
// PulseAudio source through ALSA's pulse device and casting to a real icecast2 on loopback, two
// streams from its settings file (MP3 to Icecast, OGG to the Shoutcast v1 compatibility socket).
// It is driven as a user would, by simulated input (XTest), and its windows are found by their
// titles; every window is kept as a screenshot in artefacts/. What the program does is checked
// where it shows outside: on the server, in a listener's bytes, in the files it writes.
#include "../platform/win/x11/Xvfb.h"
#include "app/core/Engine.h"
#include "platform/net/HttpClient.h"
#include "tests/platform/audio/PulseServer.h"
#include "tests/platform/audio/cast/IcecastServer.h"
#include "tests/support/DieWithParent.h"

#include <gtest/gtest.h>

// Xlib's macros (None, Bool) after the test framework.
#include "../platform/win/x11/SavePpm.h"
#include "tests/platform/shell/TestTrayManager.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vd::test {
namespace {

using testkit::TIcecastServer;
namespace fs = std::filesystem;

const char* const MainTitle = "Tarvolin Vendrill";

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
        WaitUntil([&] { return (done = ::waitpid(pid, &status, WNOHANG)) != 0; }, timeoutMs);
        if (done != pid) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    std::string FDisplay;
    TTempDir FDir;
    std::vector<pid_t> FStarted;
};

// The X side of the test: finding windows by their titles, screenshots, XTest input.
class TDesktop {
public:
    explicit TDesktop(const std::string& display) : FDpy(XOpenDisplay(display.c_str())) {}
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
    bool WaitWindow(const std::string& title, TTopWindow& out, int timeoutMs = 15000) {
        return WaitUntil(
            [&] {
                const auto found = WindowsStartingWith(title);
                if (found.size() != 1) return false;
                out = found.front();
                return true;
            },
            timeoutMs);
    }
    bool WaitGone(::Window w, int timeoutMs = 15000) {
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

private:
    ::Display* FDpy;
};

// The client area's origin in the main window: the skinned frame's left border and caption.
struct TFrame {
    int Left = 0, Top = 0;
};

// Peers shared by the tests of this program: the X server, the paced source, icecast2.
class ProgramEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Peers = new TPeers; }
    static void TearDownTestSuite() {
        delete Peers;
        Peers = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(Peers->X.Running()) << "no X server could be started (Xvfb missing?)";
        ASSERT_TRUE(Peers->Pulse.Running()) << "no PulseAudio server could be started";
        ASSERT_TRUE(Peers->IcecastUp) << "icecast2 did not start";
        ASSERT_NE(Desk().Dpy(), nullptr);
    }

    struct TPeers {
        XvfbServer X;
        audio::test::TPulseServer Pulse;
        TIcecastServer Icecast;
        bool IcecastUp = Icecast.Start();
        TDesktop Desktop{X.Display()};
    };
    static TPeers* Peers;
    static TDesktop& Desk() { return Peers->Desktop; }
    static TIcecastServer& Icecast() { return Peers->Icecast; }

    // Two streams that start with the program: MP3 to Icecast's /live.mp3, OGG to the Shoutcast
    // v1 compatibility socket (the next port; its mount is /sc.mp3). The title file feeds both.
    static std::string TwoStreams(const TProgram& p) {
        const std::string port = std::to_string(Icecast().Port());
        const std::string pass = ScramblePassword(Icecast().SourcePassword());
        return "[Setting]\nLanguage=English\nDevice=0\nDeviceName=" +
               std::string(audio::test::TPulseServer::DeviceName) +
               "\nSample=44100\nPosX=40\nPosY=30\nPosW=510\nPosH=420\n"
               "TitleMode=0\nTitleFile=" +
               p.Dir().File("title.txt") +
               "\nInfoName=End to end\n"
               "[Stream001]\nMode=2\nURL=127.0.0.1\nPort=" +
               port + "\nPassword=" + pass +
               "\nID=live.mp3\nTitle=1\nType=0\nBitrate=128\nChannels=0\nAuto=1\n"
               "[Stream002]\nMode=0\nURL=127.0.0.1\nPort=" +
               port + "\nPassword=" + pass + "\nTitle=1\nType=1\nBitrate=96\nChannels=0\nAuto=1\n";
    }
    static std::string ServerStatus() { return Icecast().PublicGet("/status-json.xsl"); }
    static bool MountUp(const std::string& mount) {
        return ServerStatus().find("127.0.0.1:" + std::to_string(Icecast().Port()) + mount + "\"") !=
               std::string::npos;
    }

    // The main window once it is painted.
    static bool WaitMain(TTopWindow& main, int timeoutMs = 30000) {
        return WaitUntil(
            [&] {
                const auto found = Desk().WindowsStartingWith(MainTitle);
                if (found.size() != 1 || found.front().Width < 300) return false;
                main = found.front();
                return Desk().Painted(main);
            },
            timeoutMs);
    }
    // The frame around the client area: the client area is 510 x 420 as the settings ask.
    static TFrame FrameOf(const TTopWindow& main) {
        TFrame f;
        f.Left = (main.Width - 510) / 2;
        f.Top = main.Height - 420 - f.Left;
        return f;
    }
    // A point of the client area.
    static void ClickClient(const TTopWindow& main, int x, int y) {
        const TFrame f = FrameOf(main);
        Desk().Click(main, f.Left + x, f.Top + y);
    }
    // The tool bar's Play/Stop button and the first stream's row, in client coordinates (the
    // form resource's layout at the minimum size).
    static constexpr int PlayStopX = 434, PlayStopY = 133;

    // Answers the question box with the button that carries this text's place (Yes is the first
    // button: Return takes the default).
    static std::string Sanitizer(const TProgram& p, int run) {
        const std::string log = p.Dir().Read("run" + std::to_string(run) + ".log");
        for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
            if (log.find(mark) != std::string::npos) return log;
        return {};
    }
};

ProgramEndToEnd::TPeers* ProgramEndToEnd::Peers = nullptr;

// Reads a listener's first bytes of a mount.
std::string Listen(int port, const std::string& mount, std::size_t bytes) {
    return net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(port), mount, "", 15000, bytes).Body;
}

TEST_F(ProgramEndToEnd, CastsTwoStreamsFollowsTheServerAndClosesAfterAsking) {
    TProgram program(Peers->X.Display());
    program.Dir().Write("vendrill.ini", TwoStreams(program));
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = program.Start(Peers->Pulse.Environment());
    TTopWindow main;
    ASSERT_TRUE(WaitMain(main)) << Desk().Titles() << program.Dir().Read("run0.log");
    std::printf("start to first paint: %.0f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());

    // Both streams go online by themselves: the server lists both mounts.
    EXPECT_TRUE(WaitUntil([] { return MountUp("/live.mp3") && MountUp("/sc.mp3"); }, 20000))
        << ServerStatus();
    EXPECT_TRUE(Desk().Screenshot(main, "main-online"));

    // A listener receives audio: valid MPEG frames one after the other.
    const std::string heard = Listen(Icecast().Port(), "/live.mp3", 32768);
    EXPECT_GE(testkit::CountMp3Frames(heard), 20) << heard.size() << " bytes heard";

    // A title written to the title file reaches the server.
    program.Dir().Write("title.txt", "Vendrill End To End\n");
    EXPECT_TRUE(
        WaitUntil([] { return ServerStatus().find("Vendrill End To End") != std::string::npos; }, 10000))
        << ServerStatus();

    // The server goes away and comes back: the streams wait, connect again and are back online.
    Icecast().Stop();
    ASSERT_TRUE(Icecast().Start());
    EXPECT_TRUE(WaitUntil([] { return MountUp("/live.mp3") && MountUp("/sc.mp3"); }, 25000))
        << ServerStatus();
    EXPECT_TRUE(Desk().Screenshot(main, "main-reconnected"));

    // Stop and Play from the tool bar act on the selected (first) stream.
    ClickClient(main, PlayStopX, PlayStopY);
    EXPECT_TRUE(WaitUntil([] { return !MountUp("/live.mp3"); }, 10000)) << ServerStatus();
    EXPECT_TRUE(MountUp("/sc.mp3"));
    EXPECT_TRUE(Desk().Screenshot(main, "main-stopped"));
    ClickClient(main, PlayStopX, PlayStopY);
    EXPECT_TRUE(WaitUntil([] { return MountUp("/live.mp3"); }, 15000)) << ServerStatus();

    // A second start brings the first forward and ends at once, without a window of its own.
    const pid_t second = program.Start(Peers->Pulse.Environment());
    EXPECT_EQ(TProgram::WaitExit(second, 15000), 0) << program.Dir().Read("run1.log");
    EXPECT_EQ(Desk().WindowsStartingWith(MainTitle).size(), 1u) << Desk().Titles();

    // Closing while streams run asks "Exit"; Yes ends the program cleanly.
    Desk().Click(main, main.Width / 2, 4); // activate
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = main.Id;
    ev.xclient.message_type = XInternAtom(Desk().Dpy(), "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = long(XInternAtom(Desk().Dpy(), "WM_DELETE_WINDOW", False));
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(Desk().Dpy(), main.Id, False, NoEventMask, &ev);
    XSync(Desk().Dpy(), False);
    TTopWindow question;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (auto& w : Desk().Windows())
                if (w.Id != main.Id && w.Width > 50) return question = w, true;
            return false;
        },
        15000))
        << Desk().Titles();
    EXPECT_TRUE(WaitUntil([&] { return Desk().Painted(question); }, 5000));
    EXPECT_TRUE(Desk().Screenshot(question, "exit-question"));
    EXPECT_EQ(TProgram::WaitExit(pid, 0), -1) << "the program must wait for the answer";
    Desk().Key("Return");
    EXPECT_EQ(TProgram::WaitExit(pid, 20000), 0) << program.Dir().Read("run0.log");
    EXPECT_EQ(Sanitizer(program, 0), "");
    EXPECT_TRUE(WaitUntil([] { return !MountUp("/live.mp3") && !MountUp("/sc.mp3"); }, 10000))
        << ServerStatus();
}

} // namespace
} // namespace vd::test
