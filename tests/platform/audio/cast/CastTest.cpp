#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioErrors.h"
#include "platform/audio/IoLoop.h"
#include "platform/audio/cast/Cast.h"
#include "platform/audio/cast/IcecastCast.h"
#include "platform/audio/cast/Shoutcast1Cast.h"
#include "platform/audio/cast/Ultravox.h"
#include "tests/platform/audio/cast/StallPeer.h"
#include "tests/platform/audio/cast/TricklePeer.h"
#include "tests/platform/audio/cast/XteaReference.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::audio;
using vd::testkit::TStallPeer;
using vd::testkit::WaitUntil;

TEST(ServerAddress, FormSaysTheProtocol) {
    struct Case {
        const char* text;
        bool ok;
        TCastProtocol protocol;
        const char* host;
        int port;
        const char* extra;
    } cases[] = {
        {"radio.example.org:8000", true, TCastProtocol::Shoutcast1, "radio.example.org", 8000, ""},
        {"10.0.0.1:8000/live.mp3", true, TCastProtocol::Icecast, "10.0.0.1", 8000, "/live.mp3"},
        {"h:8000,3", true, TCastProtocol::Shoutcast2, "h", 8000, "3"},
        {"h:65535", false, TCastProtocol::Shoutcast1, "", 0, ""}, // no room for the v1 source port
        {"h:65535/m", true, TCastProtocol::Icecast, "h", 65535, "/m"},
        {"h:0", false, {}, "", 0, ""},
        {"h:99999", false, {}, "", 0, ""},
        {":8000", false, {}, "", 0, ""},
        {"h", false, {}, "", 0, ""},
        {"h:8000/", false, {}, "", 0, ""},
        {"h:8000/a b", false, {}, "", 0, ""},
        {"h:8000,", false, {}, "", 0, ""},
        {"h:8000,x1", false, {}, "", 0, ""},
        {"h:8000x", false, {}, "", 0, ""},
    };
    for (const auto& c : cases) {
        TServerAddress a;
        ASSERT_EQ(ParseServerAddress(c.text, a), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(a.Protocol, c.protocol) << c.text;
        EXPECT_EQ(a.Host, c.host);
        EXPECT_EQ(a.Port, c.port);
        EXPECT_EQ(a.Protocol == TCastProtocol::Icecast ? a.Mount : a.StreamId, c.extra);
    }
    int error = 0;
    TCastParams p;
    p.Server = "nonsense";
    EXPECT_EQ(CreateCast(p, error), nullptr);
    EXPECT_EQ(error, AE_ERROR_ILLPARAM);
}

TEST(Ultravox, FramesParseBackAndXteaRoundTrips) {
    std::string msg = uvox::Message(uvox::kAuthenticate, "2.1:1:abc");
    ASSERT_EQ(msg.size(), 7u + 9u);
    EXPECT_EQ(static_cast<unsigned char>(msg[0]), 0x5A);
    EXPECT_EQ(msg[2], 0x10);
    EXPECT_EQ(msg[3], 0x01);
    std::string buffer = msg + uvox::Message(uvox::kDataMp3, std::string(3, '\xFF'));
    uvox::TMessage m;
    ASSERT_EQ(uvox::Parse(buffer, m), 1);
    EXPECT_EQ(m.Payload, "2.1:1:abc");
    ASSERT_EQ(uvox::Parse(buffer, m), 1);
    EXPECT_EQ(m.Type, uvox::kDataMp3);
    EXPECT_TRUE(buffer.empty());
    std::string partial = msg.substr(0, 8);
    EXPECT_EQ(uvox::Parse(partial, m), 0);
    std::string bad = "\x5B" + msg.substr(1);
    EXPECT_EQ(uvox::Parse(bad, m), -1);
    std::string badEnd = msg;
    badEnd.back() = 'x';
    EXPECT_EQ(uvox::Parse(badEnd, m), -1);
    for (const char* text : {"", "u", "password", "a longer password!"}) {
        std::string hex = uvox::XteaEncryptHex(text, "0123456789abcdef");
        EXPECT_EQ(hex.size() % 16, 0u);
        EXPECT_EQ(uvox::XteaDecryptHex(hex, "0123456789abcdef"), text);
    }
    EXPECT_NE(uvox::XteaEncryptHex("secret", "k1"), uvox::XteaEncryptHex("secret", "k2"));
}

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

} // namespace

// The cipher's published test vectors (big-endian words): the program's cipher and the tests'
// own reference, which the fake v2 server deciphers with, must both give them.
TEST(Ultravox, XteaGivesThePublishedVectors) {
    const std::string counting = Bytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    const std::string zeros(16, '\0');
    struct Case {
        std::string key, plain;
        const char* cipher;
    } cases[] = {
        {counting, "ABCDEFGH", "497df3d072612cb5"},
        {counting, "AAAAAAAA", "e78f2d13744341d8"},
        {counting, Bytes({0x5a, 0x5b, 0x6e, 0x27, 0x89, 0x48, 0xd7, 0x7f}), "4141414141414141"},
        {zeros, "ABCDEFGH", "a0390589f8b8efa5"},
        {zeros, "AAAAAAAA", "ed23375a821a8c2d"},
        {zeros, Bytes({0x70, 0xe1, 0x22, 0x5d, 0x6e, 0x4e, 0x76, 0x55}), "4141414141414141"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(uvox::XteaEncryptHex(c.plain, c.key), c.cipher);
        EXPECT_EQ(uvox::XteaDecryptHex(c.cipher, c.key), c.plain) << c.cipher;
        EXPECT_EQ(vd::testkit::XteaReferenceDecryptHex(c.cipher, c.key), c.plain) << c.cipher;
    }
    // A text longer than a block: each block on its own, the last one padded with zeros.
    EXPECT_EQ(uvox::XteaEncryptHex("ABCDEFGHAAAAAAAA", counting), "497df3d072612cb5e78f2d13744341d8");
    EXPECT_EQ(vd::testkit::XteaReferenceDecryptHex(uvox::XteaEncryptHex("dj", "FakeKey012345678"),
                                                   "FakeKey012345678"),
              "dj");
}

TEST(CastHeads, StationTextsAndExtraHeaders) {
    TCastParams p;
    p.Server = "h:8000/live";
    p.Password = "pw";
    p.ContentType = "audio/mpeg";
    p.Name = "My\r\nRadio";
    p.Url = "";
    p.Bitrate = 128;
    p.Public = true;
    TServerAddress a;
    ASSERT_TRUE(ParseServerAddress(p.Server, a));
    std::string head = TIcecastCast(p, a).RequestHead("PUT");
    EXPECT_EQ(head.rfind("PUT /live HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(head.find("Authorization: Basic c291cmNlOnB3\r\n"), std::string::npos); // source:pw
    EXPECT_NE(head.find("ice-name: MyRadio\r\n"), std::string::npos);
    EXPECT_NE(head.find("ice-url: \r\n"), std::string::npos) << "the URL always goes, even empty";
    EXPECT_EQ(head.find("ice-genre"), std::string::npos) << "absent texts are not announced";
    EXPECT_NE(head.find("ice-public: 1\r\n"), std::string::npos);
    EXPECT_NE(head.find("ice-bitrate: 128\r\n"), std::string::npos);

    p.Server = "h:8000";
    p.Headers = "icy-icq:123\r\n\r\nicy-aim:x\r\n";
    ASSERT_TRUE(ParseServerAddress(p.Server, a));
    std::string block = TShoutcast1Cast(p, a).HeaderBlock();
    EXPECT_NE(block.find("icy-br:128\r\nicy-icq:123\r\nicy-aim:x\r\n\r\n"), std::string::npos) << block;
    EXPECT_EQ(block.find("\r\n\r\n"), block.size() - 4) << "one blank line, at the end";
}

namespace {

class CastFailures : public ::testing::Test {
protected:
    void SetUp() override {
        AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 2000);
        AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 300);
    }
    void TearDown() override {
        AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 10000);
        AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 10000);
    }
    std::unique_ptr<TCast> StartIcecast(int port, int bitrate) {
        TCastParams p;
        p.Server = "127.0.0.1:" + std::to_string(port) + "/m";
        p.ContentType = "audio/mpeg";
        p.Bitrate = bitrate;
        int error = 0;
        auto cast = CreateCast(p, error);
        EXPECT_TRUE(cast->Start(error)) << error;
        cast->SetNotify([this](unsigned s) { Status = s; });
        return cast;
    }
    std::atomic<unsigned> Status{0};
};

} // namespace

TEST_F(CastFailures, StalledServerTimesOutWithoutBlockingTheEncoder) {
    // A stall long beside what a loaded machine adds to a call that does not wait.
    constexpr int StallMs = 3000;
    AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, StallMs);
    TStallPeer peer("HTTP/1.0 200 OK\r\n\r\n", TStallPeer::TThen::Stall);
    auto cast = StartIcecast(peer.Port(), 60000); // a queue that outlasts the time-out
    std::string block(16 * 1024, 'x');
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::chrono::steady_clock::duration slowest{};
    while (Status == 0 && std::chrono::steady_clock::now() < deadline) {
        auto t0 = std::chrono::steady_clock::now();
        cast->Deliver(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
        slowest = std::max(slowest, std::chrono::steady_clock::now() - t0);
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the encoder's pace
    }
    // A Deliver that waited for the network would take the whole stall.
    EXPECT_LT(slowest, std::chrono::milliseconds(StallMs / 2));
    EXPECT_EQ(Status, AE_ENCODE_NOTIFY_CAST_TIMEOUT);
    EXPECT_FALSE(cast->Alive());
}

// Casts are served by the engine's I/O loop: they add no thread, and a server that hangs up is
// noticed while no data flows, without costing the other casts theirs.
TEST_F(CastFailures, CastsAddNoThreadAndAHangUpIsNoticedWhileIdle) {
    std::vector<std::unique_ptr<TStallPeer>> peers;
    for (int i = 0; i < 4; ++i)
        peers.push_back(std::make_unique<TStallPeer>(
            "HTTP/1.0 200 OK\r\n\r\n", i == 0 ? TStallPeer::TThen::Close : TStallPeer::TThen::Stall));
    TIoLoop::Shared();
    auto threads = [] {
        int n = 0;
        for ([[maybe_unused]] const auto& t : std::filesystem::directory_iterator("/proc/self/task"))
            ++n;
        return n;
    };
    const int before = threads();
    std::vector<std::unique_ptr<TCast>> casts;
    for (auto& peer : peers)
        casts.push_back(StartIcecast(peer->Port(), 128));
    EXPECT_EQ(threads(), before);
    ASSERT_TRUE(WaitUntil([&] { return Status != 0; }, 3000));
    EXPECT_EQ(Status, AE_ENCODE_NOTIFY_CAST);
    EXPECT_FALSE(casts[0]->Alive());
    for (std::size_t i = 1; i < casts.size(); ++i)
        EXPECT_TRUE(casts[i]->Alive()) << i;
}

TEST_F(CastFailures, FloodOverrunsTheQueue) {
    TStallPeer peer("HTTP/1.0 200 OK\r\n\r\n", TStallPeer::TThen::Stall);
    auto cast = StartIcecast(peer.Port(), 128);
    std::string block(64 * 1024, 'x');
    for (int i = 0; i < 200 && Status == 0; ++i)
        cast->Deliver(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
    ASSERT_TRUE(WaitUntil([&] { return Status != 0; }, 5000));
    EXPECT_EQ(Status, AE_ENCODE_NOTIFY_SERVER_SPACE);
}

TEST_F(CastFailures, DeathBeforeTheNotifyIsReportedWhenItIsSet) {
    TStallPeer peer("HTTP/1.0 200 OK\r\n\r\n", TStallPeer::TThen::Close);
    TCastParams p;
    p.Server = "127.0.0.1:" + std::to_string(peer.Port()) + "/m";
    int error = 0;
    auto cast = CreateCast(p, error);
    ASSERT_TRUE(cast->Start(error));
    std::string block(4096, 'x');
    ASSERT_TRUE(WaitUntil(
        [&] {
            cast->Deliver(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
            return !cast->Alive();
        },
        5000));
    cast->SetNotify([this](unsigned s) { Status = s; });
    EXPECT_EQ(Status, AE_ENCODE_NOTIFY_CAST);
}

TEST_F(CastFailures, StopEndsAStalledSendQuietly) {
    AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 60000);
    TStallPeer peer("HTTP/1.0 200 OK\r\n\r\n", TStallPeer::TThen::Stall);
    auto cast = StartIcecast(peer.Port(), 20000);
    std::string block(256 * 1024, 'x');
    for (int i = 0; i < 40; ++i)
        cast->Deliver(reinterpret_cast<const std::uint8_t*>(block.data()), block.size());
    auto t0 = std::chrono::steady_clock::now();
    cast->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(15)) << "far below the time-out";
    EXPECT_EQ(Status, 0u);
}

TEST_F(CastFailures, HandshakeAnswersGiveTheirCodes) {
    struct Case {
        const char* server; // %d: the peer's port
        const char* answer;
        int code;
    } cases[] = {
        {"127.0.0.1:%d/m", "HTTP/1.0 401 Authentication Required\r\n\r\n", AE_ERROR_ILLPARAM},
        {"127.0.0.1:%d/m", "HTTP/1.0 403 Mountpoint in use\r\n\r\n", AE_ERROR_FILEFORM},
        {"127.0.0.1:%d/m", "garbage\r\n\r\n", AE_ERROR_FILEFORM},
        {"127.0.0.1:%d/m", "", AE_ERROR_TIMEOUT},
    };
    AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 500);
    for (const auto& c : cases) {
        TStallPeer peer(c.answer, TStallPeer::TThen::Stall);
        char server[64];
        std::snprintf(server, sizeof server, c.server, peer.Port());
        TCastParams p;
        p.Server = server;
        int error = 0;
        auto cast = CreateCast(p, error);
        EXPECT_FALSE(cast->Start(error)) << c.answer;
        EXPECT_EQ(error, c.code) << c.answer;
    }
    TCastParams p;
    p.Server = "127.0.0.1:" + std::to_string(vd::testkit::FreePort()) + "/m";
    int error = 0;
    EXPECT_FALSE(CreateCast(p, error)->Start(error));
    EXPECT_EQ(error, AE_ERROR_NONET);
}

TEST_F(CastFailures, StopEndsAConnectionAttemptUnderWay) {
    AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 30000);
    TStallPeer peer("", TStallPeer::TThen::Stall); // accepts, never answers
    TCastParams p;
    p.Server = "127.0.0.1:" + std::to_string(peer.Port()) + "/m";
    int error = 0;
    auto cast = CreateCast(p, error);
    std::atomic<bool> started{true}, done{false};
    std::thread attempt([&] {
        int e = 0;
        started = cast->Start(e);
        done = true;
    });
    auto t0 = std::chrono::steady_clock::now();
    cast->Stop(); // before or during the handshake's wait: either way the attempt ends
    attempt.join();
    EXPECT_FALSE(started);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    EXPECT_FALSE(cast->Alive());
}

// One connector thread starts every stream's attempt: a server that answers slowly enough to
// pass every read's own time-out must still not hold it longer than the network time-out.
TEST_F(CastFailures, HandshakeEndsWithinTheNetworkTimeOutInTotal) {
    const int timeoutMs = 2000;
    AE_SetConfig(AE_CONFIG_NET_TIMEOUT, timeoutMs);
    struct Case {
        const char* what;
        const char* server; // %d: the peer's port (Shoutcast v1: the server port is one below)
        int portOffset;
        std::string answer;
        int delayMs, gapMs;
    } cases[] = {
        {"Shoutcast v2 trickling its cipher key", "127.0.0.1:%d,1", 0,
         uvox::Message(uvox::kCipherKey, "ACK:0123456789abcdef"), 0, 1000},
        {"Icecast: a late 100 Continue, then nothing", "127.0.0.1:%d/m", 0, "HTTP/1.1 100 Continue\r\n\r\n",
         1500, 0},
        {"Shoutcast v1 trickling its OK2", "127.0.0.1:%d", -1, "OK2\r\n", 0, 1000},
    };
    for (const auto& c : cases) {
        vd::testkit::TTricklePeer peer(c.answer, c.delayMs, c.gapMs);
        char server[64];
        std::snprintf(server, sizeof server, c.server, peer.Port() + c.portOffset);
        TCastParams p;
        p.Server = server;
        p.Password = "pw";
        int error = 0;
        auto cast = CreateCast(p, error);
        ASSERT_NE(cast, nullptr) << server;
        auto t0 = std::chrono::steady_clock::now();
        EXPECT_FALSE(cast->Start(error)) << c.what;
        auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
        EXPECT_EQ(error, AE_ERROR_TIMEOUT) << c.what;
        EXPECT_LT(took.count(), timeoutMs + 900) << c.what;
    }
}
