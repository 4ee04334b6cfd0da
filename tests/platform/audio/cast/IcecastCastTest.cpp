// Casts against a real icecast2 on loopback: Icecast source (PUT) and, through its
// shoutcast-compat socket, a real Shoutcast v1 peer.
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioErrors.h"
#include "platform/audio/cast/Cast.h"
#include "platform/net/HttpClient.h"
#include "tests/platform/audio/cast/IcecastServer.h"

using namespace vd::audio;
using namespace vd::testkit;

namespace {

// Feeds the MP3 fixture at about its own rate from a thread of its own, as an encoder would.
class TPacedFeeder {
public:
    TPacedFeeder(TEncodedSink& sink, const std::string& mp3) : FSink(sink), FMp3(mp3) {
        FThread = std::thread([this] { Run(); });
    }
    ~TPacedFeeder() {
        FStop = true;
        FThread.join();
    }

private:
    void Run() {
        std::size_t at = 0;
        const std::size_t block = 4000; // a quarter second at 128 kbit/s
        while (!FStop) {
            if (at + block > FMp3.size()) at = 0;
            FSink.Deliver(reinterpret_cast<const std::uint8_t*>(FMp3.data() + at), block);
            at += block;
            std::this_thread::sleep_for(std::chrono::milliseconds(240));
        }
    }
    TEncodedSink& FSink;
    std::string FMp3;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

class IcecastCastTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Server = new TIcecastServer;
        ASSERT_TRUE(Server->Start());
        Mp3 = new std::string(MakeMp3Fixture(*FixtureDir(), 6));
        ASSERT_GT(CountMp3Frames(*Mp3), 100);
    }
    static void TearDownTestSuite() {
        delete Server;
        delete Mp3;
        Server = nullptr;
    }
    static TTempDir* FixtureDir() {
        static TTempDir dir;
        return &dir;
    }
    TCastParams Params(const std::string& suffix, const std::string& password = "hackme") {
        TCastParams p;
        p.Server = "127.0.0.1:" + std::to_string(Server->Port()) + suffix;
        p.Password = password;
        p.ContentType = "audio/mpeg";
        p.Name = "Test Radio";
        p.Genre = "Test";
        p.Description = "Loopback";
        p.Url = "http://example.org/";
        p.Bitrate = 128;
        return p;
    }
    // Reads from a mount for a while as a listener; the bytes read.
    std::string Listen(const std::string& mount, std::size_t bytes) {
        auto r =
            vd::net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(Server->Port()), mount, "", 8000, bytes);
        return r.Status == 200 ? r.Body : std::string();
    }
    static TIcecastServer* Server;
    static std::string* Mp3;
};

TIcecastServer* IcecastCastTest::Server = nullptr;
std::string* IcecastCastTest::Mp3 = nullptr;

} // namespace

TEST_F(IcecastCastTest, IcecastSourceReachesAListenerWithTitleAndCount) {
    int error = 0;
    auto cast = CreateCast(Params("/live.mp3"), error);
    ASSERT_TRUE(cast->Start(error)) << error;
    TPacedFeeder feeder(*cast, *Mp3);
    // The server fills a new mount's statistics a moment after it lists it.
    std::string status;
    EXPECT_TRUE(WaitUntil(
        [&] {
            status = Server->PublicGet("/status-json.xsl");
            return status.find("\"server_name\":\"Test Radio\"") != std::string::npos;
        },
        5000))
        << status;
    EXPECT_NE(status.find("\"genre\":\"Test\""), std::string::npos) << status;

    std::atomic<bool> listening{true};
    std::string heard;
    std::thread listener([&] {
        heard = Listen("/live.mp3", 24000);
        listening = false;
    });
    EXPECT_TRUE(WaitUntil(
        [&] { return cast->GetStats().find("<Listeners>1</Listeners>") != std::string::npos; }, 8000))
        << cast->GetStats();
    listener.join();
    EXPECT_GE(CountMp3Frames(heard), 20) << heard.size() << " bytes heard";

    const std::string title = "Artist - Song \xC3\xBC & more";
    ASSERT_TRUE(cast->SetTitle(title));
    EXPECT_TRUE(WaitUntil(
        [&] { return Server->PublicGet("/status-json.xsl").find(title) != std::string::npos; }, 3000))
        << Server->PublicGet("/status-json.xsl");
    EXPECT_GT(cast->BytesSent(), 0u);
}

TEST_F(IcecastCastTest, RefusalsAreTold) {
    int error = 0;
    auto wrong = CreateCast(Params("/refused.mp3", "nope"), error);
    EXPECT_FALSE(wrong->Start(error));
    EXPECT_EQ(error, AE_ERROR_ILLPARAM);

    auto first = CreateCast(Params("/busy.mp3"), error);
    ASSERT_TRUE(first->Start(error));
    auto second = CreateCast(Params("/busy.mp3"), error);
    EXPECT_FALSE(second->Start(error));
    EXPECT_EQ(error, AE_ERROR_FILEFORM) << "the mount is taken";

    auto v1 = CreateCast(Params("", "nope"), error);
    EXPECT_FALSE(v1->Start(error));
    EXPECT_EQ(error, AE_ERROR_ILLPARAM);
}

TEST_F(IcecastCastTest, ShoutcastV1SourceThroughCompatSocket) {
    auto p = Params("");
    p.Headers = "icy-irc:#radio\r\n";
    int error = 0;
    auto cast = CreateCast(p, error);
    ASSERT_TRUE(cast->Start(error)) << error;
    TPacedFeeder feeder(*cast, *Mp3);
    ASSERT_TRUE(WaitUntil(
        [&] { return Server->PublicGet("/status-json.xsl").find("/sc.mp3") != std::string::npos; }, 5000));
    EXPECT_GE(CountMp3Frames(Listen("/sc.mp3", 16000)), 10);
    ASSERT_TRUE(cast->SetTitle("V1 title"));
    EXPECT_TRUE(WaitUntil(
        [&] { return Server->PublicGet("/status-json.xsl").find("V1 title") != std::string::npos; }, 3000));
}

TEST_F(IcecastCastTest, ServerGoingAwayIsNoticedAndCastWorksAgainAfterItsReturn) {
    AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 2000);
    int error = 0;
    auto cast = CreateCast(Params("/again.mp3"), error);
    ASSERT_TRUE(cast->Start(error));
    std::atomic<unsigned> status{0};
    cast->SetNotify([&](unsigned s) { status = s; });
    {
        TPacedFeeder feeder(*cast, *Mp3);
        Server->Stop();
        EXPECT_TRUE(WaitUntil([&] { return status != 0; }, 8000));
    }
    EXPECT_TRUE(status == AE_ENCODE_NOTIFY_CAST || status == AE_ENCODE_NOTIFY_CAST_TIMEOUT) << status;
    auto down = CreateCast(Params("/again.mp3"), error);
    EXPECT_FALSE(down->Start(error));
    EXPECT_EQ(error, AE_ERROR_NONET);
    ASSERT_TRUE(Server->Start());
    auto back = CreateCast(Params("/again.mp3"), error);
    EXPECT_TRUE(back->Start(error)) << error;
    AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 10000);
}
