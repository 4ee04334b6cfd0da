// The engine's cast calls on a real encoder process over the fixture capture ("cat" stands in
// for an encoder: only the process matters). The servers are FAKES for failure injection: one
// that never answers, one that answers and hangs up at once.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <thread>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/CastApi.h"
#include "platform/net/HttpClient.h"
#include "platform/net/TcpServer.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/cast/Descriptors.h"
#include "tests/platform/audio/cast/StallPeer.h"
#include "tests/platform/net/TestKit.h"

using namespace vd::audio;
using vd::testkit::NewDescriptors;
using vd::testkit::OpenDescriptors;
using vd::testkit::TStallPeer;
using vd::testkit::WaitUntil;

namespace {

// Accepts a source, answers 200 OK and hangs up: the cast dies soon after it started.
class THangUpServer {
public:
    THangUpServer() {
        std::string error;
        FServer.Start(
            {"127.0.0.1", 0, 16, 4},
            [](vd::net::TSocket& s) {
                std::string head;
                if (vd::net::ReadHttpHeadText(s, head, 8192, 5000, nullptr))
                    s.SendAll("HTTP/1.0 200 OK\r\n\r\n", 1000);
            },
            error);
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(FServer.Port()) + "/m"; }

private:
    vd::net::TTcpServer FServer;
};

class CastApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        Run.Limit = ~0ull;
        ASSERT_TRUE(test::StartFixtureCapture(Run));
        AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 10000);
        AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 10000);
    }
    void TearDown() override {
        if (Encoder) {
            AE_Encode_CastFree(Encoder);
            AE_Encode_Stop(Encoder);
        }
        test::EndFixtureCapture(Run);
    }
    HENCODE StartEncoder() {
        Encoder = AE_Encode_Start(Run.Handle, "cat", AE_ENCODE_NOHEAD, nullptr, nullptr);
        EXPECT_NE(Encoder, 0u) << AE_ErrorGetCode();
        return Encoder;
    }
    static bool CastInit(HENCODE encoder, const std::string& server) {
        return AE_Encode_CastInit(encoder, server.c_str(), "pw", "audio/mpeg", nullptr, "", nullptr, nullptr,
                                  nullptr, 128, false);
    }
    test::TCaptureRun Run;
    HENCODE Encoder = 0;
};

} // namespace

// The Stop button frees the cast, then stops the encoder. When its CastFree comes just before
// the connector registers the cast, it finds nothing: the encoder's stop must end the attempt.
TEST_F(CastApiTest, StoppingTheEncoderEndsACastAttemptThatCastFreeMissed) {
    ASSERT_NE(StartEncoder(), 0u);
    TStallPeer peer("", TStallPeer::TThen::Stall); // accepts, never answers
    std::string server = "127.0.0.1:" + std::to_string(peer.Port()) + "/m";
    EXPECT_FALSE(AE_Encode_CastFree(Encoder)) << "nothing to free yet";
    std::atomic<bool> done{false};
    bool started = true;
    std::thread attempt([&, encoder = Encoder] {
        started = CastInit(encoder, server);
        done = true;
    });
    bool underWay = WaitUntil([&] { return peer.Accepted(); }, 5000);
    auto t0 = std::chrono::steady_clock::now();
    AE_Encode_Stop(Encoder);
    Encoder = 0;
    bool ended = WaitUntil([&] { return done.load(); }, 2000);
    auto took = std::chrono::steady_clock::now() - t0;
    attempt.join(); // checked first, joined before any assertion: it ends within its time-out
    EXPECT_TRUE(underWay);
    EXPECT_TRUE(ended) << "the attempt waited out the network time-out";
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_FALSE(started);
}

// The same race at every point of the attempt: a Stop (CastFree, then AE_Encode_Stop) while
// the connector's thread starts the cast. Whatever the order, the attempt ends at once.
TEST_F(CastApiTest, StopRacingACastStartNeverLeavesItWaiting) {
    TStallPeer peer("", TStallPeer::TThen::Stall);
    std::string server = "127.0.0.1:" + std::to_string(peer.Port()) + "/m";
    for (int round = 0; round < 12; ++round) {
        HENCODE encoder = StartEncoder();
        ASSERT_NE(encoder, 0u);
        std::atomic<bool> done{false};
        std::thread attempt([&] {
            CastInit(encoder, server);
            done = true;
        });
        for (int i = 0; i < round * 40; ++i) // a different moment each round
            std::this_thread::yield();
        AE_Encode_CastFree(encoder);
        AE_Encode_Stop(encoder);
        Encoder = 0;
        bool ended = WaitUntil([&] { return done.load(); }, 2000);
        attempt.join();
        EXPECT_TRUE(ended) << "round " << round;
    }
}

TEST_F(CastApiTest, ACastSetUpAgainOrFreedLeavesNoDescriptorsBehind) {
    ASSERT_NE(StartEncoder(), 0u);
    THangUpServer server;
    const auto before = OpenDescriptors();
    ASSERT_TRUE(CastInit(Encoder, server.Address())) << AE_ErrorGetCode();
    // One cast holds its socket and its cancel pipe; the server's side closes by itself.
    ASSERT_TRUE(WaitUntil([&] { return NewDescriptors(before) == 3; }, 3000)) << NewDescriptors(before);
    for (int again = 0; again < 4; ++again) {
        ASSERT_TRUE(CastInit(Encoder, server.Address())) << AE_ErrorGetCode();
        EXPECT_TRUE(WaitUntil([&] { return NewDescriptors(before) == 3; }, 3000))
            << "set up again " << again + 1 << " times: " << NewDescriptors(before) << " held";
    }
    EXPECT_TRUE(AE_Encode_CastFree(Encoder));
    EXPECT_TRUE(WaitUntil([&] { return NewDescriptors(before) == 0; }, 3000))
        << NewDescriptors(before) << " held after the free";
}

// The own port set up again on the same encoder: the old server goes first (its port and
// descriptors with it), so the new one can take the same port.
TEST_F(CastApiTest, AnOwnPortSetUpAgainReplacesTheOldServer) {
    ASSERT_NE(StartEncoder(), 0u);
    std::string port = "127.0.0.1:" + std::to_string(vd::testkit::FreePort());
    const auto before = OpenDescriptors();
    for (int again = 0; again < 3; ++again)
        ASSERT_NE(AE_Encode_ServerInit(Encoder, port.c_str(), 65536, 65536, 0, nullptr, nullptr), 0u)
            << "set up " << again + 1 << " times: " << AE_ErrorGetCode();
    EXPECT_EQ(NewDescriptors(before), 4) << "one listening socket, its wake pipe and its spare descriptor";
    EXPECT_TRUE(AE_Encode_CastFree(Encoder));
    EXPECT_EQ(NewDescriptors(before), 0);
}
