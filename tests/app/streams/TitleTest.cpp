#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/streams/TitleSession.h"
#include "app/streams/Titles.h"
#include "platform/net/Socket.h"
#include "tests/platform/net/TestKit.h"

using namespace vd;
using vd::testkit::WaitUntil;

TEST(TitleSession, ProtocolSteps) {
    struct Case {
        bool asString;
        std::string input;
        TTitleSession::TResult result;
        const char* reply;
        std::string title;
    } cases[] = {
        {true, "pw\r\nMy Song\r\n", TTitleSession::TResult::Done, ">", "My Song"},
        {true, "pw\nNo CR\n", TTitleSession::TResult::Done, ">", "No CR"},
        {true, "PW\r\n", TTitleSession::TResult::Close, "-", ""},
        {true, "pw\r\npartial", TTitleSession::TResult::More, ">", ""},
        {false, std::string("pw\r\n\x05\x00Hello", 11), TTitleSession::TResult::Done, ":", "Hello"},
        {false, std::string("pw\r\n\x05\x00He\0lo", 11), TTitleSession::TResult::Done, ":", "He"},
        {false, std::string("pw\r\n\x00\x00", 6), TTitleSession::TResult::Done, ":", ""},
        {false, std::string("pw\r\n\x05\x00Hel", 9), TTitleSession::TResult::More, ":", ""},
    };
    for (const auto& c : cases) {
        TTitleSession s("pw", c.asString);
        std::string reply;
        EXPECT_EQ(s.Feed(c.input.data(), c.input.size(), reply), c.result) << c.input;
        EXPECT_EQ(reply, c.reply);
        EXPECT_EQ(s.Title(), c.title);
    }
}

TEST(TitleSession, LongInputIsCutOrRefused) {
    TTitleSession s("pw", true);
    std::string reply;
    std::string big(20000, 'x');
    EXPECT_EQ(s.Feed(big.data(), big.size(), reply), TTitleSession::TResult::Close)
        << "a line past 16384 bytes";
    TTitleSession t("pw", true);
    // 300 two-byte characters: cut to 255 characters, never inside one.
    std::string title;
    for (int i = 0; i < 300; ++i)
        title += "\xC3\xA4";
    std::string input = "pw\n" + title + "\n";
    ASSERT_EQ(t.Feed(input.data(), input.size(), reply), TTitleSession::TResult::Done);
    EXPECT_EQ(t.Title().size(), 510u);
}

TEST(TitleFile, FirstLineOnChangeOnly) {
    vd::testkit::TTempDir dir;
    TAppSettings a;
    a.TitleFile = dir.File("title.txt");
    TTitleSource src;
    std::uint64_t now = 1000;
    std::string t;
    src.CheckUpdateTitle(now, a);
    EXPECT_FALSE(src.TakeNewTitle(t)) << "no file: nothing";
    vd::testkit::WriteFile(a.TitleFile, "First line\r\nsecond\n");
    src.CheckUpdateTitle(now += 100, a);
    EXPECT_FALSE(src.TakeNewTitle(t)) << "checked at most every 500 ms";
    src.CheckUpdateTitle(now += 500, a);
    ASSERT_TRUE(src.TakeNewTitle(t));
    EXPECT_EQ(t, "First line");
    src.CheckUpdateTitle(now += 500, a);
    EXPECT_FALSE(src.TakeNewTitle(t)) << "same text: sent once";
    vd::testkit::WriteFile(a.TitleFile, std::string(300, 'y'));
    src.CheckUpdateTitle(now += 500, a);
    ASSERT_TRUE(src.TakeNewTitle(t));
    EXPECT_EQ(t, std::string(255, 'y'));
}

TEST(TitleFile, CutAtACharacterBoundary) {
    vd::testkit::TTempDir dir;
    TAppSettings a;
    a.TitleFile = dir.File("title.txt");
    TTitleSource src;
    std::string t;
    // The 255th byte starts a two-byte character: the title ends before it.
    vd::testkit::WriteFile(a.TitleFile, std::string(254, 'a') + "\xC3\xA9 and more");
    src.CheckUpdateTitle(1000, a);
    ASSERT_TRUE(src.TakeNewTitle(t));
    EXPECT_EQ(t, std::string(254, 'a'));
    vd::testkit::WriteFile(a.TitleFile, std::string(253, 'a') + "\xC3\xA9 and more");
    src.CheckUpdateTitle(2000, a);
    ASSERT_TRUE(src.TakeNewTitle(t));
    EXPECT_EQ(t, std::string(253, 'a') + "\xC3\xA9");
}

TEST(TitleFile, ANamedPipeNeverBlocksTheCheck) {
    vd::testkit::TTempDir dir;
    TAppSettings a;
    a.TitleFile = dir.File("title.fifo");
    ASSERT_EQ(::mkfifo(a.TitleFile.c_str(), 0600), 0);
    TTitleSource src;
    std::atomic<bool> returned{false};
    std::thread check([&] {
        src.CheckUpdateTitle(1000, a);
        returned = true;
    });
    const bool inTime = vd::testkit::WaitUntil([&] { return returned.load(); }, 2000);
    if (!inTime) {
        // A writer that comes and goes releases a reader stuck in open, so the test ends.
        const int fd = ::open(a.TitleFile.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    check.join();
    EXPECT_TRUE(inTime) << "the check waited for a writer on the pipe";
    std::string t;
    EXPECT_FALSE(src.TakeNewTitle(t));
}

namespace {

std::string Exchange(int port, const std::string& send) {
    net::TNetError e;
    net::TSocket s = net::TSocket::Connect("127.0.0.1", static_cast<std::uint16_t>(port), 2000, e);
    std::string greeting;
    if (!s.RecvLine(greeting, 100, 2000)) return "no greeting";
    s.SendAll(send, 1000);
    std::string answer;
    char buf[64];
    long n;
    while ((n = s.Recv(buf, sizeof buf, 3000)) > 0)
        answer.append(buf, static_cast<std::size_t>(n));
    return greeting + "|" + answer;
}

} // namespace

TEST(TitlePort, TitlesArriveAndWrongPasswordsDoNot) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    a.TitlePass = "secret";
    a.TitleAsString = true;
    TTitleSource src;
    EXPECT_EQ(src.ServePort(0, a), "");
    ASSERT_TRUE(src.PortActive());
    EXPECT_EQ(Exchange(a.TitlePort, "secret\r\nNow playing\r\n"), "VENDRILL:|>");
    std::string t;
    ASSERT_TRUE(WaitUntil([&] { return src.TakeNewTitle(t); }, 3000));
    EXPECT_EQ(t, "Now playing");
    EXPECT_EQ(Exchange(a.TitlePort, "wrong\r\nNope\r\n"), "VENDRILL:|-");
    EXPECT_FALSE(src.TakeNewTitle(t));

    // Another port in use: told once, retried later, not every tick.
    TTitleSource other;
    String first = other.ServePort(0, a);
    EXPECT_NE(first, "");
    EXPECT_EQ(other.ServePort(5000, a), "") << "the same failure is logged once";
    EXPECT_FALSE(other.PortActive());

    // The port setting changes: the port follows.
    a.TitlePort = vd::testkit::FreePort();
    src.ServePort(10000, a);
    EXPECT_EQ(src.Port(), a.TitlePort);
}

TEST(TitlePort, ChangedSettingsHoldForTheNextConnectionOnTheSamePort) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    a.TitlePass = "old";
    a.TitleAsString = true;
    TTitleSource src;
    ASSERT_EQ(src.ServePort(0, a), "");
    ASSERT_TRUE(src.PortActive());
    a.TitlePass = "new";
    a.TitleAsString = false;
    EXPECT_EQ(src.ServePort(100, a), "");
    EXPECT_EQ(Exchange(a.TitlePort, "old\r\nStale\r\n"), "VENDRILL:|-") << "the old password is refused";
    EXPECT_EQ(Exchange(a.TitlePort, String("new\r\n\x05\x00"
                                           "Fresh",
                                           12)),
              "VENDRILL:|:");
    std::string t;
    ASSERT_TRUE(WaitUntil([&] { return src.TakeNewTitle(t); }, 3000));
    EXPECT_EQ(t, "Fresh");
    a.TitleIPOnly = true;
    a.TitleIP = "127.0.0.2"; // we connect to 127.0.0.1
    src.ServePort(200, a);
    EXPECT_EQ(Exchange(a.TitlePort, "new\r\n"), "no greeting");
}

TEST(TitlePort, LocalAddressFilter) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    a.TitlePass = "pw";
    a.TitleAsString = true;
    a.TitleIPOnly = true;
    a.TitleIP = "127.0.0.2"; // we connect to 127.0.0.1
    TTitleSource src;
    src.ServePort(0, a);
    EXPECT_EQ(Exchange(a.TitlePort, "pw\r\nx\r\n"), "no greeting");
}

TEST(TitleSending, OnlineStreamsGetTheTitleAndDisableSendsNothing) {
    StationList.Clear();
    auto online = std::make_shared<TStationRecord>();
    auto disabled = std::make_shared<TStationRecord>();
    auto stopped = std::make_shared<TStationRecord>();
    TStationConfig c;
    c.Title = stmUtf8;
    online->SetConfig(c);
    c.Title = stmDisable;
    disabled->SetConfig(c);
    online->State = ssOnline;
    disabled->State = ssOnline;
    for (auto& s : {online, disabled, stopped})
        StationList.Add(s);
    std::vector<std::string> logged;
    SendToStation("Song", [&](TStationRecord&, const String& line) { logged.push_back(line); });
    EXPECT_EQ(online->PendingTitle.Get(), "Song");
    EXPECT_EQ(disabled->PendingTitle.Get(), "Song");
    EXPECT_TRUE(stopped->PendingTitle.Empty());
    EXPECT_EQ(logged, std::vector<std::string>{"Title: Song"});
    TTitleSender sender;
    EXPECT_TRUE(sender.TitleSender(*disabled, 0)) << "Disable: dropped, nothing sent";
    EXPECT_TRUE(disabled->PendingTitle.Empty());
    EXPECT_FALSE(sender.TitleSender(*online, 0)) << "no encoder: refused";
    EXPECT_EQ(online->PendingTitle.Get(), "Song");
    EXPECT_FALSE(sender.TitleSender(*online, 1000)) << "not retried before its time";
    StationList.Clear();
}

TEST(TitlePort, SilentClientIsClosedAfterItsTimeOut) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    a.TitlePass = "pw";
    TTitleSource src;
    src.SetClientTimeout(300);
    src.ServePort(0, a);
    net::TNetError e;
    net::TSocket s = net::TSocket::Connect("127.0.0.1", static_cast<std::uint16_t>(a.TitlePort), 2000, e);
    std::string greeting;
    ASSERT_TRUE(s.RecvLine(greeting, 100, 2000));
    s.SendAll("pw", 1000); // never finishes the line
    char c;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(s.Recv(&c, 1, 5000, &e), 0) << "closed by the server";
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));
    std::string t;
    EXPECT_FALSE(src.TakeNewTitle(t));
}

namespace {

// Title-port clients that trickle their password a byte at a time and never end the line.
struct TTricklers {
    std::vector<net::TSocket> Clients;
    std::vector<bool> Greeted; // served by a worker: the greeting came

    TTricklers(int port, int count) : Greeted(static_cast<std::size_t>(count), false) {
        net::TNetError e;
        for (int i = 0; i < count; ++i)
            Clients.push_back(net::TSocket::Connect("127.0.0.1", static_cast<std::uint16_t>(port), 2000, e));
    }
    // One byte from each client still open; false for a client once the server closed it.
    void Step(std::vector<bool>* open = nullptr) {
        for (std::size_t i = 0; i < Clients.size(); ++i) {
            bool alive = Clients[i].SendNow("x", 1) >= 0;
            char buf[64];
            bool wouldBlock = false;
            while (alive && Clients[i].RecvNow(buf, sizeof buf, wouldBlock) > 0)
                Greeted[i] = true;
            alive = alive && wouldBlock;
            if (open) (*open)[i] = alive;
        }
    }
};

} // namespace

TEST(TitlePort, TricklingClientIsClosedAtTheWholeExchangeDeadline) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    TTitleSource src;
    src.SetClientTimeout(500);
    src.ServePort(0, a);
    TTricklers t(a.TitlePort, 1);
    std::vector<bool> open(1, true);
    auto t0 = std::chrono::steady_clock::now();
    // Every byte comes well within the time-out, yet the exchange as a whole must end.
    EXPECT_TRUE(WaitUntil(
        [&] {
            t.Step(&open);
            return !open[0];
        },
        5000));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));
}

TEST(TitlePort, TricklingClientsOnEveryWorkerCannotLockOutATitle) {
    TAppSettings a;
    a.TitlePort = vd::testkit::FreePort();
    a.TitlePass = "pw";
    a.TitleAsString = true;
    TTitleSource src; // the real 10 s deadline: longer than the bound below
    src.ServePort(0, a);
    TTricklers t(a.TitlePort, TTitleSource::kMaxClients + 4);
    ASSERT_TRUE(WaitUntil([&] { // every worker holds one of them
        t.Step();
        return std::count(t.Greeted.begin(), t.Greeted.end(), true) >= TTitleSource::kMaxClients;
    }));

    std::atomic<bool> done{false};
    std::string answer;
    auto t0 = std::chrono::steady_clock::now();
    std::thread update([&] {
        answer = Exchange(a.TitlePort, "pw\r\nStill here\r\n");
        done = true;
    });
    bool finished = WaitUntil(
        [&] {
            t.Step();
            return done.load();
        },
        8000);
    update.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(answer, "VENDRILL:|>");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    String title;
    ASSERT_TRUE(src.TakeNewTitle(title));
    EXPECT_EQ(title, "Still here");
}
