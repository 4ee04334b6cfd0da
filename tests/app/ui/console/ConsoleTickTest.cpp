// The main tick step by step with a manual clock: threads resumed once, restarts the settings
// asked for, the stream state machine, pending log lines and mails, titles, rows and the
// mailer's status.
#include "app/ui/console/ConsoleTick.h"
#include "app/streams/Mailer.h"
#include "app/streams/StreamTexts.h"
#include "app/streams/Titles.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/StreamGridView.h"

#include "ConsoleFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace vd {
namespace {

// A port nobody listens on right now.
int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        if (fd >= 0) close(fd);
        return -1;
    }
    close(fd);
    return ntohs(a.sin_port);
}

class ConsoleTickTest : public test::ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        MailQueue.Clear();
        String ignored;
        MailStatus.TakeChanged(ignored);
        MailStatus.TestMode = false;
        Streams = std::make_unique<TStreamGridView>(SGStreams);
        Logs = std::make_unique<TLogView>(SGLog);
        Logs->ShowMainLog();
        TConsoleTickLinks links;
        links.Streams = Streams.get();
        links.Logs = Logs.get();
        links.Titles = &Titles;
        links.StatusPan = StatusPan;
        links.ResumeThreads = [this] { ++Resumed; };
        links.WakeConnector = [this] { ++ConnectorWakes; };
        links.MinimizeToTray = [this] { ++Minimized; };
        Tick = std::make_unique<TConsoleTick>(links);
    }
    void TearDown() override {
        Titles.ClosePort();
        MailQueue.Clear();
        MailStatus.TestMode = false;
        ConsoleTest::TearDown();
    }
    void TickAfter(std::uint64_t ms) {
        Clock.Advance(ms);
        Tick->TimerWork();
    }

    TTitleSource Titles;
    std::unique_ptr<TStreamGridView> Streams;
    std::unique_ptr<TLogView> Logs;
    std::unique_ptr<TConsoleTick> Tick;
    int Resumed = 0, Minimized = 0, ConnectorWakes = 0;
};

TEST_F(ConsoleTickTest, FirstTickResumesTheThreadsAndHidesInTheTrayWhenAsked) {
    for (bool toTray : {false, true}) {
        TAppSettings s;
        s.ToTray = toTray;
        s.TitleFile = Dir.File("none.txt");
        AssignAppSettings(s);
        Resumed = Minimized = 0;
        TConsoleTickLinks links;
        links.ResumeThreads = [this] { ++Resumed; };
        links.MinimizeToTray = [this] { ++Minimized; };
        TConsoleTick tick(links);
        EXPECT_TRUE(tick.FirstTickPending());
        for (int i = 0; i < 3; ++i)
            tick.TimerWork();
        EXPECT_FALSE(tick.FirstTickPending());
        EXPECT_EQ(Resumed, 1) << toTray;
        EXPECT_EQ(Minimized, toTray ? 1 : 0);
    }
}

TEST_F(ConsoleTickTest, StreamsMoveThroughDelayAndConnect) {
    const std::uint64_t start = MillisecondClock();
    TStationPtr delayed = AddStation("a", 8000, smShoutcast1, ssDelay);
    delayed->ReconnectTime = start + 100;
    TStationPtr lost = AddStation("b", 8000, smShoutcast1, ssOnline);
    lost->Lost = true;
    TStationPtr stopped = AddStation("c", 8000, smShoutcast1, ssStop);
    stopped->NextPoll = 123;
    Streams->ShowStations();

    TickAfter(99);
    EXPECT_EQ(delayed->State, ssDelay);
    EXPECT_EQ(lost->State, ssDelay); // lost: a second's pause
    EXPECT_EQ(lost->ReconnectTime, start + 99 + 1000);
    EXPECT_FALSE(lost->Lost);
    EXPECT_EQ(stopped->NextPoll, 0u);
    TickAfter(1);
    EXPECT_EQ(delayed->State, ssConnect);
    TickAfter(998);
    EXPECT_EQ(lost->State, ssDelay);
    TickAfter(1);
    EXPECT_EQ(lost->State, ssConnect);
    // The rows: written at ShowStations, then every 500 ms by the tick.
    TickAfter(500);
    EXPECT_EQ(Column(SGStreams, 6), (std::vector<String>{"Connect", "Connect", "Stop"}));
}

// The connector sleeps until the tick hands it a due stream: woken on every tick with one (also
// the tick that moved it out of Delay), never for streams that wait, run or stopped.
TEST_F(ConsoleTickTest, WakesTheConnectorOnlyWhileAStreamInConnectIsDue) {
    const std::uint64_t start = MillisecondClock();
    TStationPtr delayed = AddStation("a", 8000, smShoutcast1, ssDelay);
    delayed->ReconnectTime = start + 200;
    TStationPtr waiting = AddStation("b", 8000, smShoutcast1, ssConnect);
    waiting->ReconnectTime = start + 100;
    AddStation("c", 8000, smShoutcast1, ssOnline);
    AddStation("d", 8000, smShoutcast1, ssStop);

    TickAfter(99);
    EXPECT_EQ(ConnectorWakes, 0);
    TickAfter(1);
    EXPECT_EQ(ConnectorWakes, 1);
    waiting->State = ssOnline; // the connector did its work
    TickAfter(50);
    EXPECT_EQ(ConnectorWakes, 1);
    TickAfter(50);
    EXPECT_EQ(delayed->State, ssConnect);
    EXPECT_EQ(ConnectorWakes, 2);
    TickAfter(30); // not connected yet: asked again
    EXPECT_EQ(ConnectorWakes, 3);
}

TEST_F(ConsoleTickTest, RowsFollowEvery500MillisecondsNotEveryTick) {
    TStationPtr s = AddStation("a", 8000, smShoutcast1, ssOnline);
    Streams->ShowStations();
    s->BytesSent = 5000;
    s->Listeners = 3;
    for (int i = 0; i < 16; ++i) // 480 ms of ticks
        TickAfter(30);
    EXPECT_EQ(SGStreams->GetCellText(4, 1), "0 (0)");
    TickAfter(30);
    EXPECT_EQ(SGStreams->GetCellText(4, 1), "3 (0)");
    EXPECT_EQ(SGStreams->GetCellText(5, 1), "    5 kB");
}

TEST_F(ConsoleTickTest, PendingLinesReachTheShownLogAndDueMailsTheQueue) {
    TStationPtr s = AddStation("a", 8000, smShoutcast1, ssDelay);
    s->ReconnectTime = MillisecondClock() + 100000;
    Streams->ShowStations();
    Logs->ShowStationLog(s);
    s->LastError = 258;
    s->LogPending = true;
    s->MailText.Set("stream a failed");
    s->MailDeadline = MillisecondClock() + 60;
    TickAfter(30);
    EXPECT_EQ(SGLog->GetCellText(1, 1), ErrorCodeText(258));
    EXPECT_FALSE(s->LogPending);
    EXPECT_EQ(MailQueue.Count(), 0);
    TickAfter(30);
    EXPECT_EQ(MailQueue.Count(), 1);
    EXPECT_EQ(s->MailDeadline, 0u);
    TickAfter(30);
    EXPECT_EQ(MailQueue.Count(), 1); // queued once
    s->LastError = 0;
    s->LogPending = true;
    TickAfter(30);
    EXPECT_EQ(Column(SGLog, 1), (std::vector<String>{"Stream started successfully", ErrorCodeText(258)}));
}

TEST_F(ConsoleTickTest, SettingsChangesRestartTheStreams) {
    TStationPtr online = AddStation("a", 8000, smShoutcast1, ssOnline);
    TStationPtr stopped = AddStation("b", 8000, smShoutcast1, ssStop);
    TickAfter(30);
    EXPECT_EQ(online->State, ssOnline);
    StreamInfoChanged = true;
    TickAfter(30);
    EXPECT_FALSE(StreamInfoChanged);
    EXPECT_EQ(online->State, ssConnect);
    EXPECT_EQ(online->ReconnectTime, MillisecondClock());
    EXPECT_EQ(stopped->State, ssStop);
}

TEST_F(ConsoleTickTest, TitleFromTheFileGoesToOnlineStreams) {
    TStationPtr online = AddStation("a", 8000, smShoutcast1, ssOnline);
    TStationConfig c = online->Config();
    c.Title = stmUtf8;
    online->SetConfig(c);
    TStationPtr silent = AddStation("b", 8000, smShoutcast1, ssOnline); // title mode Disable
    TStationPtr stopped = AddStation("c", 8000, smShoutcast1, ssStop);
    Dir.Write("title.txt", "Artist - Song\nnext line\n");
    TAppSettings s;
    s.TitleMode = 0;
    s.TitleFile = Dir.File("title.txt");
    AssignAppSettings(s);
    Logs->ShowStationLog(online);
    TickAfter(30);
    EXPECT_EQ(online->PendingTitle.Get(), "Artist - Song");
    EXPECT_EQ(silent->PendingTitle.Get(), "Artist - Song");
    EXPECT_EQ(stopped->PendingTitle.Get(), "");
    EXPECT_EQ(SGLog->GetCellText(1, 1), "Title: Artist - Song");
    EXPECT_FALSE(silent->HasLog() && silent->Log().Count() > 0);
    online->PendingTitle.Set("");
    TickAfter(600); // the same title again: nothing new
    EXPECT_EQ(online->PendingTitle.Get(), "");
}

TEST_F(ConsoleTickTest, TitlePortOpensReportsFailureOnceAndClosesWhenSwitchedOff) {
    TAppSettings s;
    s.TitleMode = 1;
    s.TitlePort = 0; // no port to open
    AssignAppSettings(s);
    for (int i = 0; i < 200; ++i) // 6 s: tried again every 3 s
        TickAfter(30);
    EXPECT_EQ(Column(SGLog, 1), std::vector<String>{"Title port 0: invalid"});

    const int port = FreePort();
    ASSERT_GT(port, 0);
    s.TitlePort = port;
    AssignAppSettings(s);
    TickAfter(3000);
    EXPECT_TRUE(Titles.PortActive());
    EXPECT_EQ(Titles.Port(), port);
    s.TitleMode = 0;
    s.TitleFile = Dir.File("none.txt");
    AssignAppSettings(s);
    TickAfter(30);
    EXPECT_FALSE(Titles.PortActive());
}

TEST_F(ConsoleTickTest, MailerStatusShowsUnlessTheSettingsWindowTestsMail) {
    MailStatus.Set("E-mail sended");
    TickAfter(30);
    EXPECT_EQ(StatusPan->Caption(), "E-mail sended");
    MailStatus.TestMode = true;
    MailStatus.Set("Test message");
    TickAfter(30);
    EXPECT_EQ(StatusPan->Caption(), "E-mail sended");
    MailStatus.TestMode = false;
    TickAfter(30);
    EXPECT_EQ(StatusPan->Caption(), "Test message");
}

} // namespace
} // namespace vd
