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

#include <gtest/gtest.h>

// Xlib's macros (None, Bool, Status) after the test framework.
#include "tests/integration/ProgramDriver.h"
#include "tests/platform/shell/TestTrayManager.h"

#include <chrono>
#include <memory>

namespace vd::test {
namespace {

using testkit::TIcecastServer;

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
    [[nodiscard]] static bool WaitMain(TTopWindow& main, int timeoutMs = 30000) {
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

// Places in the windows of the default skin at their minimum sizes (window coordinates, frame
// included), as the screenshots show them.
struct TPoint {
    int X, Y;
};
constexpr TPoint MainMinimize{455, 15};
constexpr TPoint SettingsTray{22, 209}, SettingsSave{233, 308};
constexpr TPoint EditorIcecast{231, 66}, EditorServer{277, 102}, EditorPort{150, 130},
    EditorPassword{237, 186}, EditorMount{277, 214}, EditorSave{304, 354};
// Client coordinates of the main window's buttons and rows.
constexpr TPoint ClientSettings{456, 40}, ClientAdd{108, 133}, ClientEdit{180, 133}, ClientRow2{100, 196};

TEST_F(ProgramEndToEnd, SettingsEditorTrayAndSecondStart) {
    // The test plays the desktop's notification area.
    std::unique_ptr<::Display, int (*)(::Display*)> trayDpy(XOpenDisplay(Peers->X.Display().c_str()),
                                                            XCloseDisplay);
    ASSERT_NE(trayDpy, nullptr);
    TrayManager tray(trayDpy.get());
    tray.Start();
    TProgram program(Peers->X.Display());
    const std::string port = std::to_string(Icecast().Port());
    program.Dir().Write(
        "vendrill.ini",
        "[Setting]\nDevice=0\nDeviceName=" + std::string(audio::test::TPulseServer::DeviceName) +
            "\nPosX=40\nPosY=30\nPosW=510\nPosH=420\n[Stream001]\nMode=2\nURL=127.0.0.1\n"
            "Port=" +
            port + "\nID=first.mp3\nType=0\nBitrate=128\nAuto=0\n");
    const pid_t pid = program.Start(Peers->Pulse.Environment());
    TTopWindow main;
    ASSERT_TRUE(WaitMain(main)) << Desk().Titles() << program.Dir().Read("run0.log");
    const TFrame f = FrameOf(main);
    auto client = [&](TPoint p) { Desk().Click(main, f.Left + p.X, f.Top + p.Y); };

    // The settings window: "Hide to system tray" on, Save; the file keeps it.
    client(ClientSettings);
    TTopWindow settings;
    ASSERT_TRUE(Desk().WaitWindow("Settings", settings)) << Desk().Titles();
    EXPECT_TRUE(WaitUntil([&] { return Desk().Painted(settings); }, 5000));
    EXPECT_TRUE(Desk().Screenshot(settings, "settings"));
    Desk().Click(settings, SettingsTray.X, SettingsTray.Y);
    Desk().Click(settings, SettingsSave.X, SettingsSave.Y);
    EXPECT_TRUE(Desk().WaitGone(settings.Id));
    EXPECT_TRUE(WaitUntil(
        [&] { return program.Dir().Read("vendrill.ini").find("ToTray=1") != std::string::npos; }, 5000))
        << program.Dir().Read("vendrill.ini");

    // A stream added through the editor: Icecast on the test's server.
    client(ClientAdd);
    TTopWindow editor;
    ASSERT_TRUE(Desk().WaitWindow("Stream settings", editor)) << Desk().Titles();
    EXPECT_TRUE(WaitUntil([&] { return Desk().Painted(editor); }, 5000));
    const unsigned long empty = Desk().Checksum(editor);
    Desk().Click(editor, EditorIcecast.X, EditorIcecast.Y);
    Desk().ReplaceText(editor, EditorServer.X, EditorServer.Y, "127.0.0.1");
    Desk().ReplaceText(editor, EditorPort.X, EditorPort.Y, port);
    Desk().ReplaceText(editor, EditorPassword.X, EditorPassword.Y, Icecast().SourcePassword());
    Desk().ReplaceText(editor, EditorMount.X, EditorMount.Y, "added.mp3");
    EXPECT_TRUE(Desk().WaitRedrawn(editor, empty));
    EXPECT_TRUE(Desk().Screenshot(editor, "editor-add"));
    Desk().Click(editor, EditorSave.X, EditorSave.Y);
    EXPECT_TRUE(Desk().WaitGone(editor.Id)) << Desk().Titles();
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string ini = program.Dir().Read("vendrill.ini");
            return ini.find("[Stream002]") != std::string::npos && ini.find("added.mp3") != std::string::npos;
        },
        5000))
        << program.Dir().Read("vendrill.ini");

    // ... and edited: another mount, then started from the tool bar; the server gets it.
    client(ClientRow2);
    client(ClientEdit);
    ASSERT_TRUE(Desk().WaitWindow("Stream settings", editor)) << Desk().Titles();
    EXPECT_TRUE(WaitUntil([&] { return Desk().Painted(editor); }, 5000));
    const unsigned long loaded = Desk().Checksum(editor);
    Desk().ReplaceText(editor, EditorMount.X, EditorMount.Y, "edited.mp3");
    EXPECT_TRUE(Desk().WaitRedrawn(editor, loaded));
    EXPECT_TRUE(Desk().Screenshot(editor, "editor-edit"));
    Desk().Click(editor, EditorSave.X, EditorSave.Y);
    EXPECT_TRUE(Desk().WaitGone(editor.Id)) << Desk().Titles();
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string ini = program.Dir().Read("vendrill.ini");
            return ini.find("edited.mp3") != std::string::npos && ini.find("added.mp3") == std::string::npos;
        },
        5000))
        << program.Dir().Read("vendrill.ini");
    client({PlayStopX, PlayStopY});
    EXPECT_TRUE(WaitUntil([] { return MountUp("/edited.mp3"); }, 15000))
        << ServerStatus() << program.Dir().Read("vendrill.ini");
    EXPECT_TRUE(Desk().Screenshot(main, "main-edited"));
    client({PlayStopX, PlayStopY});
    EXPECT_TRUE(WaitUntil([] { return !MountUp("/edited.mp3"); }, 15000)) << ServerStatus();

    // Minimized, the window goes into the notification area: its icon docks, the window hides.
    Desk().Click(main, MainMinimize.X, MainMinimize.Y);
    const ::Window icon = tray.WaitDock();
    EXPECT_NE(icon, 0u);
    if (icon) tray.Embed(icon, 0);
    EXPECT_TRUE(Desk().WaitGone(main.Id)) << Desk().Titles();

    // A second start brings it back and ends without a window of its own.
    const pid_t second = program.Start(Peers->Pulse.Environment());
    EXPECT_EQ(TProgram::WaitExit(second, 15000), 0) << program.Dir().Read("run1.log");
    EXPECT_TRUE(WaitMain(main, 15000)) << Desk().Titles();
    EXPECT_TRUE(Desk().Screenshot(main, "main-back"));

    // No stream runs: the close asks nothing.
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = main.Id;
    ev.xclient.message_type = XInternAtom(Desk().Dpy(), "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = long(XInternAtom(Desk().Dpy(), "WM_DELETE_WINDOW", False));
    XSendEvent(Desk().Dpy(), main.Id, False, NoEventMask, &ev);
    XSync(Desk().Dpy(), False);
    EXPECT_EQ(TProgram::WaitExit(pid, 20000), 0) << Desk().Titles() << program.Dir().Read("run0.log");
    EXPECT_EQ(Sanitizer(program, 0), "");
}

} // namespace
} // namespace vd::test
