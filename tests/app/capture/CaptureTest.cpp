// The console's capture on the fixture device: device choice, start and stop, peaks, and the
// way from the device through two real plug-ins into two real encoders.
#include "app/capture/Capture.h"
#include "app/core/AppSettings.h"
#include "app/plugins/VDPlugIns.h"
#include "platform/audio/AudioErrors.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/EncodedOutput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <thread>

namespace vd {
namespace {

using audio::test::TCaptureRun;
const String FixtureName = "Vendrill Test Capture";

TEST(ChooseDevice, FollowsTheSettings) {
    const std::vector<String> names = {"Built-in Mic", "USB Audio", "Line In"};
    using K = TDeviceChoice;
    struct Case {
        const char* what;
        int device;
        String name;
        bool wait;
        TDeviceChoice::TKind kind;
        int index;
    } cases[] = {
        {"nothing configured", 0, "", false, K::dcMessage, -1},
        {"device 0 with a name opens device 0", 0, "Line In", false, K::dcOpen, 0},
        {"index in range", 2, "", false, K::dcOpen, 2},
        {"index beyond the list falls back to the name", 7, "usb audio", false, K::dcOpen, 1},
        {"negative index falls back to the name", -1, "LINE IN", false, K::dcOpen, 2},
        {"index beyond the list without a name", 7, "", false, K::dcMessage, -1},
        {"wait mode goes by name", 2, "Built-in Mic", true, K::dcOpen, 0},
        {"wait mode without a name", 2, "", true, K::dcMessage, -1},
        {"wait mode, name absent: wait", 0, "Headset", true, K::dcWait, -1},
        {"name absent, index out of range: wait", 9, "Headset", false, K::dcWait, -1},
    };
    for (const auto& c : cases) {
        const TDeviceChoice choice = ChooseDevice(c.device, c.name, c.wait, names);
        EXPECT_EQ(choice.Kind, c.kind) << c.what;
        EXPECT_EQ(choice.Index, c.index) << c.what;
    }
}

// The main window's side, recorded (the window itself is another area's).
class TRecordingView : public TCaptureView {
public:
    void SetDeviceLabel(const String& text) override { Label = text; }
    void WriteMainLog(const String& text) override { Log.push_back(text); }
    bool ShowWaitMessage(const String& text) override {
        WaitText = text;
        return WaitWindowUp;
    }
    void CloseWaitMessage() override { ++WaitClosed; }
    TSize MeterSize() override { return {250, 40}; }
    void PaintMeter(const TMeterPaint& paint) override { Paints.push_back(paint); }

    String Label, WaitText;
    std::vector<String> Log;
    std::vector<TMeterPaint> Paints;
    bool WaitWindowUp = true;
    int WaitClosed = 0;
};

class ConsoleCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        audio::test::InstallAlsaFixture();
        AssignAppSettings(TAppSettings{});
    }
    void TearDown() override {
        Capture.StopRecord();
        AssignAppSettings(TAppSettings{});
    }
    static void Configure(int device, const String& name, bool wait, int sample = 44100) {
        TAppSettings s;
        s.Device = device;
        s.DeviceName = name;
        s.WaitMode = wait;
        s.Sample = sample;
        AssignAppSettings(s);
    }
    TRecordingView View;
    TCapture Capture{View};
};

TEST_F(ConsoleCaptureTest, StartDeviceByNameCapturesAndMeasuresPeaksUntilStopped) {
    Configure(0, "vendrill test capture", true);
    ASSERT_EQ(Capture.StartDevice(), TStartDeviceResult::sdStarted);
    EXPECT_NE(CaptureChannel.load(), 0u);
    EXPECT_TRUE(Capture.HasDsp());
    EXPECT_EQ(View.Label, FixtureName);
    EXPECT_EQ(View.Log.back(), "Device started");
    EXPECT_EQ(View.WaitClosed, 1);
    // The fixture's left channel peaks at 16000, the right at 8000.
    ASSERT_TRUE(audio::test::WaitUntil([&] { return Capture.Peaks().Peak(0) >= 15990; }));
    EXPECT_NEAR(Capture.Peaks().Peak(1), 8000, 10);
    Capture.ShowIndicator();
    ASSERT_FALSE(View.Paints.empty());
    EXPECT_FALSE(View.Paints.back().Rects.empty());
    Capture.StopRecord();
    EXPECT_EQ(CaptureChannel.load(), 0u);
    EXPECT_TRUE(View.Paints.back().ClearBlack); // the scale is drawn afresh
}

// The connector reads the channel on its own thread: while the device stops, the handle it reads
// is either 0 or one the engine still knows.
TEST_F(ConsoleCaptureTest, AStoppingDeviceIsUnpublishedBeforeTheEngineForgetsIt) {
    Configure(0, "vendrill test capture", true);
    ASSERT_EQ(Capture.StartDevice(), TStartDeviceResult::sdStarted);
    const bool capturing = audio::test::WaitUntil([&] { return Capture.Peaks().Peak(0) > 0; });
    std::atomic<bool> done{false};
    std::atomic<int> reads{0}, stale{0};
    std::thread connector([&] {
        while (!done.load()) {
            const audio::HRECORD channel = CaptureChannel.load();
            if (channel == 0) continue;
            ++reads;
            if (!audio::AE_ChannelIsActive(channel) && audio::AE_ErrorGetCode() == audio::AE_ERROR_HANDLE &&
                CaptureChannel.load() == channel)
                ++stale; // published, yet the engine no longer knows it
        }
    });
    EXPECT_TRUE(audio::test::WaitUntil([&] { return reads.load() > 100; }));
    Capture.StopRecord();
    done = true;
    connector.join();
    EXPECT_TRUE(capturing);
    EXPECT_EQ(CaptureChannel.load(), 0u);
    EXPECT_EQ(stale.load(), 0);
}

TEST_F(ConsoleCaptureTest, StartDeviceShowsWhyItDoesNotCapture) {
    struct Case {
        const char* what;
        int device;
        String name;
        bool wait;
        bool waitWindowUp;
        TStartDeviceResult result;
        String label;
    } cases[] = {
        {"nothing configured", 0, "", false, true, TStartDeviceResult::sdMessage,
         "Please enter input device ->"},
        {"named device absent", 0, "Headset", true, true, TStartDeviceResult::sdWaiting, ""},
        {"wait window closed", 0, "Headset", true, false, TStartDeviceResult::sdMessage,
         "Please enter input device ->"},
        {"device cannot be opened", 0, "Vendrill Broken Device", true, true, TStartDeviceResult::sdFailed,
         "Can't init device"},
        {"capture cannot start", 0, FixtureName, true, true, TStartDeviceResult::sdFailed,
         "Error start record device. Change settings"},
    };
    for (const auto& c : cases) {
        View = TRecordingView{};
        View.WaitWindowUp = c.waitWindowUp;
        Configure(c.device, c.name, c.wait, String(c.what) == "capture cannot start" ? 1 : 44100);
        EXPECT_EQ(Capture.StartDevice(), c.result) << c.what;
        EXPECT_EQ(View.Label, c.label) << c.what;
        EXPECT_EQ(CaptureChannel.load(), 0u) << c.what;
        EXPECT_EQ(View.WaitText, c.name == "Headset" ? "Waiting for the device Headset" : "") << c.what;
    }
}

TEST_F(ConsoleCaptureTest, StartPluginsLogsMissingAndFailingFiles) {
    TAppSettings s;
    s.Path = VD_TEST_DSP_DIR;
    AssignAppSettings(s);
    PluginFiles = {"dsp_half.so", "dsp_gone.so", "dsp_failinit.so"};
    InitPlugins();
    Capture.StartPlugins();
    const String folder = String(VD_TEST_DSP_DIR) + "/";
    EXPECT_EQ(View.Log, (std::vector<String>{"Plug-in file does not exist " + folder + "dsp_gone.so",
                                             "Error loading plug-in " + folder + "dsp_failinit.so"}));
    EXPECT_EQ(PluginHost().LoadedCount(), 2);
    DonePlugins();
    PluginFiles.clear();
}

// From the fixture device through dsp_half and dsp_swap (and the failing plug-in, skipped) into
// real lame and oggenc; the decoded streams carry the changed levels.
TEST_F(ConsoleCaptureTest, EndToEndPluginsChangeWhatTheEncodersDeliver) {
    InitPlugins();
    ASSERT_TRUE(LoadPlugin(VD_TEST_DSP_DIR, "dsp_half.so"));
    ASSERT_FALSE(LoadPlugin(VD_TEST_DSP_DIR, "dsp_failinit.so"));
    ASSERT_TRUE(LoadPlugin(VD_TEST_DSP_DIR, "dsp_swap.so"));

    TCaptureRun run;
    run.Limit = static_cast<std::uint64_t>(44100 * 4 * audio::test::FixtureSignal().Seconds);
    ASSERT_TRUE(audio::test::StartFixtureCapture(run));
    ASSERT_NE(audio::AE_ChannelSetDSP(run.Handle, DspCallback, nullptr, 0), 0u);
    audio::test::TEncodedOutput mp3, ogg;
    const auto lame = audio::AE_Encode_Start(run.Handle, "lame -r  -s 44100 --cbr -b 128 -", 0x40001,
                                             audio::test::CollectEncoded, &mp3);
    const auto oggenc = audio::AE_Encode_Start(run.Handle, "oggenc -r -R 44100 -b 128   -", 0x40001,
                                               audio::test::CollectEncoded, &ogg);
    ASSERT_TRUE(lame && oggenc);
    ASSERT_TRUE(audio::AE_ChannelPlay(run.Handle, false));
    ASSERT_TRUE(audio::test::WaitUntil([&] { return !audio::AE_ChannelIsActive(run.Handle); }));
    for (auto enc : {lame, oggenc}) {
        audio::AE_Encode_EndInput(enc);
        ASSERT_TRUE(audio::test::WaitUntil([&] { return !audio::AE_Encode_IsActive(enc); }, 30000));
        audio::AE_Encode_Stop(enc);
    }
    audio::test::EndFixtureCapture(run);
    DonePlugins();

    // Left 16000 and right 8000 before; halved and swapped: left 4000, right 8000.
    const double sineRms = 1.0 / std::sqrt(2.0);
    const double expectLeft = 4000 * sineRms, expectRight = 8000 * sineRms;
    const auto decodedMp3 = audio::test::DecodeMp3(mp3.Take());
    const auto decodedOgg = audio::test::DecodeOgg(ogg.Take());
    for (const auto* d : {&decodedMp3, &decodedOgg}) {
        ASSERT_EQ(d->Channels, 2u);
        ASSERT_EQ(d->Rate, 44100u);
        ASSERT_GT(d->Samples.size(), 44100u * 2 * 2); // more than two of the three seconds
        // lame itself decodes about 5 % quieter; the ratio of the channels is exact.
        const double left = audio::test::Rms(d->Samples, 0, 2, 8820);
        const double right = audio::test::Rms(d->Samples, 1, 2, 8820);
        EXPECT_NEAR(left, expectLeft, expectLeft * 0.08);
        EXPECT_NEAR(right, expectRight, expectRight * 0.08);
        EXPECT_NEAR(left / right, 0.5, 0.01);
    }
}

} // namespace
} // namespace vd
