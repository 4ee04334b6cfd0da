#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

#include "platform/net/Socket.h"
#include "platform/net/TcpServer.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::net;
using vd::testkit::WaitUntil;

namespace {

TSocket Dial(std::uint16_t port) {
    TNetError e;
    return TSocket::Connect("127.0.0.1", port, 2000, e);
}

} // namespace

TEST(TcpServer, ServesLinesAndReportsPeerAndLocalAddress) {
    // What the handlers touch outlives the server, whose destructor joins them.
    std::mutex lock;
    std::string local;
    TTcpServer server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"127.0.0.1", 0, 10, 4},
        [&](TSocket& c) {
            {
                std::lock_guard<std::mutex> g(lock);
                local = c.LocalAddress();
            }
            std::string line;
            if (c.RecvLine(line, 100, 2000)) c.SendAll("echo:" + line + "\r\n", 2000);
        },
        error))
        << error;
    ASSERT_NE(server.Port(), 0);
    TSocket s = Dial(server.Port());
    ASSERT_TRUE(s.Valid());
    ASSERT_TRUE(s.SendAll("hello\r\n", 1000));
    std::string answer;
    ASSERT_TRUE(s.RecvLine(answer, 100, 2000));
    EXPECT_EQ(answer, "echo:hello");
    std::lock_guard<std::mutex> g(lock);
    EXPECT_EQ(local, "127.0.0.1");
}

TEST(TcpServer, ClientsBeyondThePoolAreClosedAtOnce) {
    std::atomic<int> busy{0};
    std::atomic<bool> release{false};
    TTcpServer server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"127.0.0.1", 0, 10, 2},
        [&](TSocket& c) {
            ++busy;
            char b;
            while (!release && c.Recv(&b, 1, 20) != 0) {
            }
        },
        error));
    TSocket a = Dial(server.Port()), b = Dial(server.Port());
    ASSERT_TRUE(WaitUntil([&] { return busy == 2; }, 3000));
    TSocket extra = Dial(server.Port());
    ASSERT_TRUE(extra.Valid());
    char c;
    TNetError e = TNetError::None;
    EXPECT_EQ(extra.Recv(&c, 1, 3000, &e), 0) << "an extra client is closed, not served";
    release = true;
}

TEST(TcpServer, StopEndsClientsBlockedInReads) {
    std::atomic<int> ended{0}, started{0};
    TTcpServer server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"127.0.0.1", 0, 10, 3},
        [&](TSocket& c) {
            ++started;
            std::string line;
            c.RecvLine(line, 100, 60000); // would wait a minute without Stop
            ++ended;
        },
        error));
    std::vector<TSocket> clients;
    for (int i = 0; i < 3; ++i)
        clients.push_back(Dial(server.Port()));
    ASSERT_TRUE(WaitUntil([&] { return started == 3; }, 3000));
    auto t0 = std::chrono::steady_clock::now();
    server.Stop();
    EXPECT_EQ(ended, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    EXPECT_FALSE(server.Active());
}

TEST(TcpServer, BusyPortIsAnError) {
    TTcpServer first, second;
    std::string error;
    ASSERT_TRUE(first.Start(
        {"127.0.0.1", 0, 10, 1}, [](TSocket&) {}, error));
    EXPECT_FALSE(second.Start(
        {"127.0.0.1", first.Port(), 10, 1}, [](TSocket&) {}, error));
    EXPECT_FALSE(error.empty());
}

TEST(Socket, ConnectErrorsAreTold) {
    TNetError e;
    TSocket s = TSocket::Connect("127.0.0.1", static_cast<std::uint16_t>(vd::testkit::FreePort()), 2000, e);
    EXPECT_FALSE(s.Valid());
    EXPECT_EQ(e, TNetError::Connect);
    s = TSocket::Connect("no-such-host.invalid", 80, 2000, e);
    EXPECT_EQ(e, TNetError::Resolve);
}

TEST(Socket, RecvLineLimitsLengthAndTimesOut) {
    TTcpServer server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"127.0.0.1", 0, 10, 2},
        [](TSocket& c) {
            c.SendAll(std::string(300, 'x') + "\n", 1000);
            std::string l;
            c.RecvLine(l, 10, 3000);
        },
        error));
    TSocket s = Dial(server.Port());
    std::string line;
    TNetError e = TNetError::None;
    EXPECT_FALSE(s.RecvLine(line, 100, 2000, &e));
    EXPECT_EQ(e, TNetError::Io);
    TSocket quiet = Dial(server.Port());
    char buf[400];
    ASSERT_TRUE(quiet.RecvExact(buf, 301, 2000));
    EXPECT_EQ(quiet.Recv(buf, 1, 100, &e), -1);
    EXPECT_EQ(e, TNetError::Timeout);
}

TEST(TcpServer, AFullPoolMakesTheLongestServedGiveWayAfterItsMinimum) {
    std::mutex lock;
    std::vector<std::pair<std::string, long>> served; // first line, ms the handler held its worker
    TTcpServer server;
    std::string error;
    ASSERT_TRUE(server.Start(
        {"127.0.0.1", 0, 10, 1, 300},
        [&](TSocket& c) {
            auto t0 = std::chrono::steady_clock::now();
            std::string line;
            c.RecvLine(line, 100, 2000);
            char b;
            if (line == "hold") c.Recv(&b, 1, 5000); // until it is made to give way
            auto ms =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
            std::lock_guard<std::mutex> g(lock);
            served.emplace_back(line, static_cast<long>(ms.count()));
        },
        error));
    TSocket holder = Dial(server.Port());
    ASSERT_TRUE(holder.SendAll("hold\n", 1000));
    TSocket next = Dial(server.Port());
    ASSERT_TRUE(next.SendAll("next\n", 1000));
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::lock_guard<std::mutex> g(lock);
            return served.size() == 2;
        },
        4000));
    std::lock_guard<std::mutex> g(lock);
    EXPECT_EQ(served[0].first, "hold");
    EXPECT_GE(served[0].second, 250) << "a client is served its minimum before it gives way";
    EXPECT_LT(served[0].second, 3000);
    EXPECT_EQ(served[1].first, "next") << "the newcomer waited for the worker instead of being closed";
}
