// End to end: fixture capture -> real lame -> our cast -> real icecast2 -> a listener that reads
// valid MP3 frames; and the same encoder output served on our own port to curl.
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/cast/CastApi.h"
#include "platform/net/HttpClient.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/cast/IcecastServer.h"

using namespace vd::audio;
using vd::testkit::CountMp3Frames;
using vd::testkit::WaitUntil;

namespace {

class CastEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        test::InstallAlsaFixture();
        // The whole fixture signal, then the capture ends by itself.
        Run.Limit =
            static_cast<std::uint64_t>(test::FixtureSignal().Rate * test::FixtureSignal().Seconds) * 4;
        ASSERT_TRUE(test::StartFixtureCapture(Run));
        Encoder = AE_Encode_Start(Run.Handle, "lame -r  -s 44100 --cbr -b 128 -", 0x40001, nullptr, nullptr);
        ASSERT_NE(Encoder, 0u) << AE_ErrorGetCode();
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
    test::TCaptureRun Run;
    HENCODE Encoder = 0;
};

} // namespace

TEST_F(CastEndToEnd, CaptureThroughLameAndIcecastToAListener) {
    vd::testkit::TIcecastServer server;
    ASSERT_TRUE(server.Start());
    std::string address = "127.0.0.1:" + std::to_string(server.Port()) + "/e2e.mp3";
    ASSERT_TRUE(AE_Encode_CastInit(Encoder, address.c_str(), "hackme", "audio/mpeg", "E2E", "", "Test",
                                   "Loop", nullptr, 128, false))
        << AE_ErrorGetCode();
    std::string heard;
    std::thread listener([&] {
        auto r = vd::net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(server.Port()), "/e2e.mp3", "",
                                  15000, 30000);
        heard = r.Body;
    });
    // Checked, not asserted, while the listener runs: an assertion here would leave its thread
    // running and end the whole program. It gives up by itself within its time-out.
    bool listening = WaitUntil(
        [&] {
            const char* stats = AE_Encode_CastGetStats(Encoder, AE_ENCODE_STATS_ICECAST, nullptr);
            return stats && std::string(stats).find("<Listeners>1</Listeners>") != std::string::npos;
        },
        10000);
    bool playing = listening && AE_ChannelPlay(Run.Handle, false);
    bool titled = playing && AE_Encode_CastSetTitle(Encoder, "End to end", nullptr);
    listener.join();
    ASSERT_TRUE(listening) << "the listener never showed in the server's statistics";
    ASSERT_TRUE(playing) << AE_ErrorGetCode();
    ASSERT_TRUE(titled);
    EXPECT_GE(CountMp3Frames(heard), 50) << heard.size() << " bytes heard";
    EXPECT_TRUE(WaitUntil(
        [&] { return server.PublicGet("/status-json.xsl").find("End to end") != std::string::npos; }, 5000));
}

TEST_F(CastEndToEnd, CaptureThroughLameToCurlOnTheOwnPort) {
    struct Counts {
        std::atomic<int> Joined{0}, Left{0};
    } counts;
    int port = vd::testkit::FreePort();
    auto proc = [](HENCODE, bool connect, const char* client, const char*, void* user) {
        auto* c = static_cast<Counts*>(user);
        if (connect && std::string(client).rfind("127.0.0.1:", 0) != 0) return false;
        ++(connect ? c->Joined : c->Left);
        return true;
    };
    std::string text = "127.0.0.1:" + std::to_string(port);
    ASSERT_NE(AE_Encode_ServerInit(Encoder, text.c_str(), 64 * 1024, 64 * 1024, AE_ENCODE_SERVER_META, proc,
                                   &counts),
              0u);
    vd::testkit::TTempDir dir;
    vd::testkit::TChildProcess curl;
    ASSERT_TRUE(curl.Start({"/usr/bin/curl", "-s", "-N", "-o", dir.File("out"), "-D", dir.File("head"),
                            "--max-time", "20", "http://" + text + "/"}));
    ASSERT_TRUE(WaitUntil([&] { return counts.Joined == 1; }, 5000));
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    EXPECT_TRUE(
        WaitUntil([&] { return CountMp3Frames(vd::testkit::ReadFile(dir.File("out"))) >= 50; }, 15000));
    EXPECT_NE(vd::testkit::ReadFile(dir.File("head")).find("audio/mpeg"), std::string::npos);
    AE_Encode_CastFree(Encoder);
    EXPECT_EQ(counts.Left, 1) << "the listener's leave comes with the server's end";
}
