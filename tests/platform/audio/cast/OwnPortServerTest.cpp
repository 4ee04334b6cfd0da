// The own-port listener server with real HTTP clients: our own and curl.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/OwnPortServer.h"
#include "platform/net/HttpAnswer.h"
#include "platform/net/HttpClient.h"
#include "platform/net/Socket.h"
#include "tests/platform/audio/cast/Descriptors.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::audio;
using namespace vd::testkit;
using vd::net::TSocket;

namespace {

class OwnPortTest : public ::testing::Test {
protected:
    // The time-outs the console sets before it opens a port.
    void SetUp() override {
        AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 10000);
        AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 10000);
    }
    struct Event {
        bool Connect;
        std::string Client;
    };
    void StartServer(std::size_t buffer = 16384, std::function<bool(const std::string&)> allow = nullptr) {
        TOwnPortServer::TOptions o;
        StartServer(o, buffer, std::move(allow));
    }
    void StartServer(TOwnPortServer::TOptions o, std::size_t buffer,
                     std::function<bool(const std::string&)> allow = nullptr) {
        o.BindAddress = "127.0.0.1";
        o.BufferBytes = buffer;
        o.BurstBytes = buffer;
        o.Name = "Own";
        int error = 0;
        ASSERT_TRUE(Server.Start(
            o,
            [this, allow](bool connect, const std::string& client, const std::string&) {
                std::lock_guard<std::mutex> g(Lock);
                // Checked before any byte: the client has had no answer yet.
                Events.push_back({connect, client});
                return !connect || !allow || allow(client);
            },
            error));
    }
    void Feed(std::size_t bytes, char fill) {
        std::string b(bytes, fill);
        Server.Deliver(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
    }
    std::vector<Event> Snapshot() {
        std::lock_guard<std::mutex> g(Lock);
        return Events;
    }
    int Count(bool connect) {
        int n = 0;
        for (auto& e : Snapshot())
            n += e.Connect == connect;
        return n;
    }
    TSocket Dial(const std::string& request) {
        vd::net::TNetError e;
        TSocket s = TSocket::Connect("127.0.0.1", Server.Port(), 2000, e);
        s.SendAll(request, 1000);
        return s;
    }
    std::string ReadHead(TSocket& s) {
        std::string head;
        vd::net::ReadHttpHeadText(s, head, 4096, 3000, nullptr);
        return head;
    }
    std::mutex Lock;
    std::vector<Event> Events;
    TOwnPortServer Server; // last: stopped before what its callbacks touch goes away
};

} // namespace

TEST_F(OwnPortTest, CurlGetsBurstThenLiveStream) {
    StartServer();
    Feed(10000, 'a'); // buffered before anyone listens
    TTempDir dir;
    TChildProcess curl;
    ASSERT_TRUE(curl.Start({"/usr/bin/curl", "-s", "-N", "-o", dir.File("out"), "-D", dir.File("head"),
                            "--max-time", "20", "http://127.0.0.1:" + std::to_string(Server.Port()) + "/"}));
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(dir.File("out")).size() >= 10000; }, 5000));
    Feed(5000, 'b');
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(dir.File("out")).size() >= 15000; }, 5000));
    std::string got = ReadFile(dir.File("out"));
    EXPECT_EQ(got, std::string(10000, 'a') + std::string(5000, 'b'));
    EXPECT_NE(ReadFile(dir.File("head")).find("Content-Type: audio/mpeg"), std::string::npos);
    auto events = Snapshot();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(events[0].Connect);
    EXPECT_EQ(events[0].Client.rfind("127.0.0.1:", 0), 0u) << events[0].Client;
    Server.Stop(); // the listener is still there: it gets its leave
    EXPECT_EQ(Count(false), 1);
}

TEST_F(OwnPortTest, RefusedClientGetsAnErrorAndNoLeave) {
    StartServer(16384, [](const std::string&) { return false; });
    TSocket s = Dial("GET / HTTP/1.0\r\n\r\n");
    std::string head = ReadHead(s);
    EXPECT_EQ(head.rfind("HTTP/1.0 403", 0), 0u) << head;
    std::string body;
    char buf[256];
    long n;
    while ((n = s.Recv(buf, sizeof buf, 3000)) > 0)
        body.append(buf, static_cast<std::size_t>(n));
    EXPECT_EQ(n, 0) << "closed after the refusal";
    EXPECT_NE(body.find("Access denied"), std::string::npos);
    Server.Stop();
    EXPECT_EQ(Count(true), 1);
    EXPECT_EQ(Count(false), 0);
}

TEST_F(OwnPortTest, BadRequestIsAnsweredWithoutCallbacks) {
    StartServer();
    TSocket s = Dial("POST / HTTP/1.0\r\n\r\n");
    EXPECT_EQ(ReadHead(s).rfind("HTTP/1.0 400", 0), 0u);
    Server.Stop();
    EXPECT_TRUE(Snapshot().empty());
}

TEST_F(OwnPortTest, IcyMetadataIsInterleavedForClientsThatAsk) {
    StartServer(65536);
    TSocket s = Dial("GET / HTTP/1.0\r\nIcy-MetaData: 1\r\n\r\n");
    std::string head = ReadHead(s);
    vd::net::THttpHead h;
    ASSERT_TRUE(vd::net::ParseHttpHead(head, h));
    ASSERT_EQ(h.Field("icy-metaint"), std::to_string(TOwnPortServer::kMetaInterval));
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 3000));
    Server.SetTitle("Song \xC3\xA4");
    const std::size_t meta = TOwnPortServer::kMetaInterval;
    Feed(100, 'x'); // the title waits for the block boundary, even across chunks
    Feed(meta, 'x');
    std::string data(meta + 1, '\0');
    ASSERT_TRUE(s.RecvExact(data.data(), data.size(), 3000));
    EXPECT_EQ(data.substr(0, meta), std::string(meta, 'x'));
    std::size_t units = static_cast<unsigned char>(data[meta]);
    ASSERT_GT(units, 0u);
    std::string block(units * 16, '\0');
    ASSERT_TRUE(s.RecvExact(block.data(), block.size(), 3000));
    EXPECT_EQ(block.substr(0, block.find('\0')), "StreamTitle='Song \xC3\xA4';");
    // The next interval carries no new title: a zero length byte.
    Feed(meta, 'y');
    // 100 bytes were left of the first feed: the second interval ends meta bytes later.
    std::string rest(meta + 1, '\0');
    ASSERT_TRUE(s.RecvExact(rest.data(), rest.size(), 3000));
    EXPECT_EQ(rest[meta], '\0');
    EXPECT_EQ(rest.substr(0, 100), std::string(100, 'x'));

    TSocket plain = Dial("GET / HTTP/1.0\r\n\r\n");
    vd::net::THttpHead ph;
    ASSERT_TRUE(vd::net::ParseHttpHead(ReadHead(plain), ph));
    EXPECT_EQ(ph.Field("icy-metaint"), "") << "no metadata unless asked";
}

TEST_F(OwnPortTest, ALongTitleIsCutAfterItsLastWholeCharacter) {
    StartServer(65536);
    TSocket s = Dial("GET / HTTP/1.0\r\nIcy-MetaData: 1\r\n\r\n");
    ReadHead(s);
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 3000));
    const std::size_t limit = 255 * 16 - 16; // the block's length byte counts 16-byte units
    struct Case {
        std::string title, kept;
    };
    const Case cases[] = {
        {std::string(limit - 2, 'a') + "\xC3\xA9" + "b",
         std::string(limit - 2, 'a') + "\xC3\xA9"},                              // ends at the limit
        {std::string(limit - 1, 'a') + "\xC3\xA9", std::string(limit - 1, 'a')}, // would cross it
        {std::string(limit - 2, 'a') + "\xF0\x9F\x8E\xB5", std::string(limit - 2, 'a')},
    };
    const std::size_t meta = TOwnPortServer::kMetaInterval;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.size());
        Server.SetTitle(c.title);
        Feed(meta, 'x');
        std::string data(meta + 1, '\0');
        ASSERT_TRUE(s.RecvExact(data.data(), data.size(), 3000));
        std::string block(static_cast<unsigned char>(data[meta]) * std::size_t{16}, '\0');
        ASSERT_TRUE(s.RecvExact(block.data(), block.size(), 3000));
        EXPECT_EQ(block.substr(0, block.find('\0')), "StreamTitle='" + c.kept + "';");
    }
}

TEST_F(OwnPortTest, SlowClientIsDroppedAndTheOthersGoOn) {
    StartServer(16384);
    TSocket slow = Dial("GET / HTTP/1.0\r\n\r\n");
    int small = 4096; // a small window: the slow listener's backlog fills soon
    ::setsockopt(slow.Fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    ReadHead(slow);
    TTempDir dir;
    TChildProcess curl;
    ASSERT_TRUE(curl.Start({"/usr/bin/curl", "-s", "-N", "-o", dir.File("out"), "--max-time", "30",
                            "http://127.0.0.1:" + std::to_string(Server.Port()) + "/"}));
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 2; }, 5000));
    // The slow client reads nothing: its queue fills and it is dropped; the stream goes on.
    std::size_t fed = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            Feed(65536, 'z');
            fed += 65536;
            return Count(false) == 1;
        },
        20000));
    EXPECT_EQ(Server.ClientCount(), 1);
    Feed(1000, 'q');
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(dir.File("out")).find('q') != std::string::npos; }, 5000));
}

TEST_F(OwnPortTest, PortInUseFailsAndStopGivesEveryListenerItsLeave) {
    StartServer();
    TOwnPortServer other;
    TOwnPortServer::TOptions o;
    o.BindAddress = "127.0.0.1";
    o.Port = Server.Port();
    int error = 0;
    EXPECT_FALSE(other.Start(
        o, [](bool, const std::string&, const std::string&) { return true; }, error));
    EXPECT_EQ(error, AE_ERROR_NONET);

    std::vector<TSocket> listeners;
    for (int i = 0; i < 5; ++i) {
        listeners.push_back(Dial("GET / HTTP/1.0\r\n\r\n"));
        ReadHead(listeners.back());
    }
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 5; }, 3000));
    Server.Stop();
    EXPECT_EQ(Count(true), 5);
    EXPECT_EQ(Count(false), 5);
    // Started again, nobody is counted.
    StartServer();
    EXPECT_EQ(Server.ClientCount(), 0);
}

TEST_F(OwnPortTest, ListenersThatLeaveCloseTheirDescriptors) {
    StartServer();
    const auto before = vd::testkit::OpenDescriptors();
    for (int visit = 0; visit < 20; ++visit) {
        TSocket s = Dial("GET / HTTP/1.0\r\n\r\n");
        ASSERT_EQ(ReadHead(s).rfind("HTTP/1.0 200", 0), 0u);
    } // each listener hangs up here, while no data flows
    ASSERT_TRUE(WaitUntil([&] { return Count(false) == 20; }, 5000)) << Count(false) << " leave calls";
    EXPECT_TRUE(WaitUntil([&] { return vd::testkit::NewDescriptors(before) == 0; }, 3000))
        << vd::testkit::NewDescriptors(before) << " descriptors held after every listener left";
}

namespace {

// Connections that say nothing: opened at once, without waiting for each.
struct TSilentCrowd {
    std::vector<int> Fds;
    ~TSilentCrowd() {
        for (int fd : Fds)
            ::close(fd);
    }
    // Opens n connections at once; how many are connected within waitMs.
    int Open(std::uint16_t port, int n, int waitMs) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < n; ++i) {
            int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (fd < 0) break;
            Fds.push_back(fd);
            ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        }
        std::vector<bool> done(Fds.size(), false);
        int connected = 0;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (connected < static_cast<int>(Fds.size()) && std::chrono::steady_clock::now() < deadline) {
            std::vector<pollfd> p;
            std::vector<std::size_t> which;
            for (std::size_t i = 0; i < Fds.size(); ++i)
                if (!done[i]) {
                    p.push_back({Fds[i], POLLOUT, 0});
                    which.push_back(i);
                }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (::poll(p.data(), p.size(), static_cast<int>(std::max<long>(0, left.count()))) <= 0) break;
            for (std::size_t k = 0; k < p.size(); ++k) {
                if (!p[k].revents) continue;
                int err = 0;
                socklen_t len = sizeof err;
                ::getsockopt(p[k].fd, SOL_SOCKET, SO_ERROR, &err, &len);
                done[which[k]] = true;
                connected += err == 0;
            }
        }
        return connected;
    }
};

} // namespace

// Only connections that sent their request head count against the listener limit, and a
// connection that sends none is closed after a few seconds.
TEST_F(OwnPortTest, SilentConnectionsDoNotKeepAListenerOut) {
    TOwnPortServer::TOptions o;
    o.MaxClients = 256; // as the engine's calls start it
    StartServer(o, 16384);
    TSilentCrowd crowd;
    ASSERT_EQ(crowd.Open(Server.Port(), 300, 5000), 300);
    TSocket real = Dial("GET / HTTP/1.0\r\n\r\n");
    std::string head; // (slow under the thread sanitizer: 300 accepts come first)
    vd::net::ReadHttpHeadText(real, head, 4096, 10000, nullptr);
    EXPECT_EQ(head.rfind("HTTP/1.0 200", 0), 0u) << head;
    EXPECT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 3000));
    // The last silent connection has not been pushed out by newer ones: it goes by its time-out.
    TSocket silent(::dup(crowd.Fds.back()));
    auto t0 = std::chrono::steady_clock::now();
    char c;
    vd::net::TNetError e = vd::net::TNetError::None;
    long n = silent.Recv(&c, 1, 8000, &e);
    EXPECT_TRUE(n == 0 || (n < 0 && e != vd::net::TNetError::Timeout)) << "still open after 8 s";
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(6));
}

// A burst of connections all reach the server at once: the listen queue is the system's.
TEST_F(OwnPortTest, ABurstOfConnectionsIsAcceptedWithoutDelay) {
    StartServer();
    TSilentCrowd crowd;
    // A connection the queue had no room for is retried by the client only after a second.
    EXPECT_EQ(crowd.Open(Server.Port(), 600, 900), 600);
}

// A listener that stops reading is dropped within seconds, with its leave call, even when
// its byte allowance (twice a large buffer) would last for minutes at the stream's rate.
TEST_F(OwnPortTest, AListenerThatStopsReadingIsDroppedWithinSeconds) {
    StartServer(1024 * 1024);
    TSocket stuck = Dial("GET / HTTP/1.0\r\n\r\n");
    ASSERT_EQ(ReadHead(stuck).rfind("HTTP/1.0 200", 0), 0u);
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 3000));
    auto t0 = std::chrono::steady_clock::now();
    // About 1 Mbit/s, fed at the pace of the polls; the listener reads nothing from here on.
    bool dropped = WaitUntil(
        [&] {
            Feed(1200, 's');
            return Count(false) == 1;
        },
        15000);
    EXPECT_TRUE(dropped) << "still listed after 15 s";
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(12));
    EXPECT_EQ(Server.ClientCount(), 0);
}

namespace {

int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& t : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

} // namespace

// Listeners are served by the engine's I/O loop: hundreds of them add no thread, each gets the
// live stream, and each gets its leave call when the server stops.
TEST_F(OwnPortTest, HundredsOfListenersAddNoThreadAndEachGetsTheStream) {
    StartServer();
    const int threads = ThreadCount();
    constexpr int N = 250;
    std::vector<TSocket> listeners;
    for (int i = 0; i < N; ++i)
        listeners.push_back(Dial("GET / HTTP/1.0\r\n\r\n"));
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == N; }, 10000)) << Server.ClientCount();
    EXPECT_EQ(ThreadCount(), threads);
    Feed(3000, 'm');
    for (auto& s : listeners) {
        ASSERT_EQ(ReadHead(s).rfind("HTTP/1.0 200", 0), 0u);
        std::string data(3000, '\0');
        ASSERT_TRUE(s.RecvExact(data.data(), data.size(), 3000));
        EXPECT_EQ(data, std::string(3000, 'm'));
    }
    Server.Stop();
    EXPECT_EQ(Count(true), N);
    EXPECT_EQ(Count(false), N);
}

// With no descriptor left in the process, a new connection is closed at once and counted (it
// neither waits for nothing nor keeps the server busy); the listener already there goes on,
// and once descriptors are free again a new listener gets in.
TEST_F(OwnPortTest, AConnectionWithoutADescriptorIsClosedAtOnceAndCounted) {
    StartServer();
    TSocket first = Dial("GET / HTTP/1.0\r\n\r\n");
    ASSERT_EQ(ReadHead(first).rfind("HTTP/1.0 200", 0), 0u);
    ASSERT_TRUE(WaitUntil([&] { return Server.ClientCount() == 1; }, 3000));
    // The refused client's socket exists before the limit falls; connecting needs no descriptor.
    TSocket refused(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    ASSERT_TRUE(refused.Valid());
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(lowestFree); // every number below it is taken
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(Server.Port());
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int connected = ::connect(refused.Fd(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    const bool counted = WaitUntil([&] { return Server.RefusedForDescriptors() == 1; }, 3000);
    char c;
    const long n = refused.Recv(&c, 1, 3000);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    ASSERT_EQ(connected, 0);
    EXPECT_TRUE(counted);
    EXPECT_LE(n, 0) << "closed at once";
    EXPECT_EQ(Server.ClientCount(), 1);
    Feed(500, 'k');
    std::string data(500, '\0');
    ASSERT_TRUE(first.RecvExact(data.data(), data.size(), 3000));
    EXPECT_EQ(data, std::string(500, 'k'));
    TSocket later = Dial("GET / HTTP/1.0\r\n\r\n");
    EXPECT_EQ(ReadHead(later).rfind("HTTP/1.0 200", 0), 0u);
    EXPECT_TRUE(WaitUntil([&] { return Server.ClientCount() == 2; }, 3000));
}
