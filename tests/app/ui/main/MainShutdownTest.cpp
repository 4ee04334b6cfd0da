// The ordered shut-down: what is stopped before what, and that no silent peer holds the close.
#include "MainWindowFixture.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/streams/Mailer.h"
#include "app/ui/main/ConsoleRuntime.h"
#include "platform/net/Socket.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"
#include "tests/support/WaitUntil.h"

#include <chrono>

namespace vd::test {
namespace {

using Clock = std::chrono::steady_clock;

std::uint16_t FreePort() {
    net::TListenSocket probe;
    std::string error;
    if (!probe.Listen("127.0.0.1", 0, 1, error)) return 0;
    return probe.Port();
}

class MainShutdownTest : public MainWindowTest {
protected:
    void TearDown() override {
        MailQueue.Clear();
        MainWindowTest::TearDown();
    }
    // The window with its workers running and the title port open, as after the first tick.
    TFVendrill* OpenRunning() {
        TFVendrill* w = Open();
        TAppSettings s = CopyAppSettings();
        s.TitleMode = 1;
        s.TitlePort = FreePort();
        AssignAppSettings(s);
        EXPECT_NE(s.TitlePort, 0);
        w->Runtime().StartWorkers();
        EXPECT_TRUE(w->Runtime().TitleSource().ServePort(MillisecondClock(), AppSettings).empty());
        EXPECT_TRUE(w->Runtime().TitleSource().PortActive());
        return w;
    }
};

TEST_F(MainShutdownTest, ThreadsStopBeforeTheListsAreFreedAndTheTitlePortFirst) {
    WriteSettings("[Stream001]\nURL=127.0.0.1\n");
    TFVendrill* w = OpenRunning();
    // A title client that says nothing: the port must not wait for it.
    net::TNetError error{};
    net::TSocket silent =
        net::TSocket::Connect("127.0.0.1", static_cast<std::uint16_t>(AppSettings.TitlePort), 2000, error);
    ASSERT_TRUE(silent.Valid());
    // Greeted first, so the close below meets a client the port has taken, not one still queued.
    std::string greeting;
    ASSERT_TRUE(silent.RecvLine(greeting, 256, 5000));

    struct Seen {
        String step;
        bool portOpen, listeners, connector, mailer, stations, dialog;
        int progress;
    };
    std::vector<Seen> seen;
    w->OnShutdownStep = [&](const char* step) {
        TConsoleRuntime& p = w->Runtime();
        seen.push_back({step, p.TitleSource().PortActive(),
                        p.Listeners() != nullptr && p.Listeners()->Running(),
                        p.Connector() != nullptr && p.Connector()->Running(),
                        p.Emailer() != nullptr && p.Emailer()->Running(), StationList.Count() > 0,
                        w->SPDClose->Shown(), w->SPDClose->Value()});
    };
    const auto start = Clock::now();
    w->Close();
    Pump();
    const auto took = Clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(2));
    ASSERT_TRUE(Application->Terminated());

    const std::vector<String> order = {"TitlePort", "Listeners", "Connector", "Encoders", "Capture", "Lists"};
    ASSERT_EQ(seen.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(seen[i].step, order[i]);
    // The port goes while every thread still runs; the listener and mailer threads end before
    // the connector; the streams are freed last of all.
    EXPECT_FALSE(seen[0].portOpen);
    EXPECT_TRUE(seen[0].listeners && seen[0].connector && seen[0].mailer);
    EXPECT_FALSE(seen[1].listeners || seen[1].mailer);
    EXPECT_TRUE(seen[1].connector);
    for (std::size_t i = 2; i < seen.size(); ++i)
        EXPECT_FALSE(seen[i].listeners || seen[i].connector || seen[i].mailer);
    for (std::size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_TRUE(seen[i].stations) << seen[i].step;
    EXPECT_FALSE(seen.back().stations);
    // The progress dialog is up while the threads stop, with the language's text, and goes after.
    EXPECT_FALSE(seen[0].dialog);
    EXPECT_TRUE(seen[1].dialog);
    EXPECT_GE(seen[1].progress, 30);
    EXPECT_LE(seen[1].progress, 70);
    EXPECT_FALSE(seen[2].dialog);
    EXPECT_EQ(w->SPDClose->LabelCaption, "Closing the program, please wait");
    // The silent client was let go.
    char byte;
    EXPECT_LE(silent.Recv(&byte, 1, 2000), 0);
    w->Free();
}

TEST_F(MainShutdownTest, AMailServerThatSaysNothingDoesNotHoldTheClose) {
    net::TListenSocket server; // accepts through the backlog and never answers
    std::string listenError;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0, 4, listenError)) << listenError;
    TFVendrill* w = OpenRunning();
    TAppSettings s = CopyAppSettings();
    s.EMail = true;
    s.Host = "127.0.0.1";
    s.Port = static_cast<std::int16_t>(server.Port());
    s.SendTo = "someone@example.org";
    s.From = "vendrill@example.org";
    AssignAppSettings(s);
    MailQueue.Append("Stream down\rnow\rtest");
    // The mailer is connecting or waits for the server's greeting.
    String status;
    ASSERT_TRUE(WaitUntil([&] {
        String text;
        if (MailStatus.TakeChanged(text)) status = text;
        return status == "Connect" || status == "Sending";
    })) << "mailer status: "
        << status << ", queued " << MailQueue.Count();
    const auto start = Clock::now();
    w->Close();
    Pump();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(Application->Terminated());
    w->Free();
}

} // namespace
} // namespace vd::test
