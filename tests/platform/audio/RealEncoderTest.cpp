// The real encoder programs (lame, oggenc) run with the console's command lines on the fixture
// capture; their output is checked frame by frame and by the Ogg tools.
#include "platform/audio/AudioEngine.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/EncodedOutput.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vd::audio {
namespace {

using test::TCaptureRun;

// Captures one second at `rate` into one encoder run with `line`, ended cleanly.
std::vector<std::uint8_t> EncodeOneSecond(const std::string& line, unsigned rate) {
    TCaptureRun run;
    run.Limit = rate * 4;
    EXPECT_TRUE(test::StartFixtureCapture(run, rate));
    test::TEncodedOutput out;
    const HENCODE enc = AE_Encode_Start(run.Handle, line.c_str(), 0x40001, test::CollectEncoded, &out);
    EXPECT_NE(enc, 0u) << line << ": code " << AE_ErrorGetCode();
    if (enc) {
        EXPECT_TRUE(AE_ChannelPlay(run.Handle, false));
        EXPECT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(run.Handle); }));
        EXPECT_TRUE(AE_Encode_EndInput(enc));
        EXPECT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(enc); }, 20000)) << line;
        AE_Encode_Stop(enc);
    }
    test::EndFixtureCapture(run);
    return out.Take();
}

TEST(RealEncoder, LameWritesFramesWithTheAskedBitRateSampleRateAndMode) {
    struct Case {
        const char* line;
        unsigned rate;
        int kbps;
        bool mono;
    } cases[] = {
        {"lame -r  -s 44100 --cbr -b 128 -", 44100, 128, false},
        {"lame -r -a -m m -s 44100 --cbr -b 64 -", 44100, 64, true},
        {"lame -r -a -m m --resample 44100 -s 44100 --cbr -b 96 -", 44100, 96, true},
        {"lame -r  -s 48000 --cbr -b 192 -", 48000, 192, false},
        // Without the locked rate lame would pick 16000 Hz for 32 kbit/s.
        {"lame -r --resample 22050 -s 22050 --cbr -b 32 -", 22050, 32, false},
    };
    for (const auto& c : cases) {
        const auto mp3 = EncodeOneSecond(c.line, c.rate);
        const test::TMp3Scan scan = test::ScanMp3(mp3);
        EXPECT_TRUE(scan.Error.empty()) << c.line << ": " << scan.Error;
        // One second is 38 frames at 44100 Hz (1152 samples each), 76 at 22050 (576 each).
        EXPECT_GE(scan.Frames, c.rate * 9 / 10 / (c.rate >= 32000 ? 1152 : 576)) << c.line;
        EXPECT_EQ(scan.Kbps, c.kbps) << c.line;
        EXPECT_EQ(scan.SampleRate, c.rate) << c.line;
        EXPECT_EQ(scan.Mono, c.mono) << c.line;
    }
}

TEST(RealEncoder, OggencOutputIsAcceptedByOgginfo) {
    struct Case {
        const char* line;
        const char* channels;
    } cases[] = {
        {"oggenc -r -R 44100 -b 128   -", "Channels: 2"},
        {"oggenc -r -R 44100 -b 64 --downmix  -", "Channels: 1"},
        {"oggenc -r -R 44100 -b 128  --utf8 -", "Channels: 2"},
    };
    const std::string dir = test::TempDir();
    for (const auto& c : cases) {
        const auto ogg = EncodeOneSecond(c.line, 44100);
        ASSERT_GT(ogg.size(), 1000u) << c.line;
        test::WriteFile(dir + "/out.ogg", ogg.data(), ogg.size());
        EXPECT_EQ(test::RunProgram({"ogginfo", dir + "/out.ogg"}, {}, dir + "/info.txt"), 0) << c.line;
        std::ifstream in(dir + "/info.txt");
        std::stringstream info;
        info << in.rdbuf();
        EXPECT_NE(info.str().find(c.channels), std::string::npos) << info.str();
        EXPECT_NE(info.str().find("Rate: 44100"), std::string::npos) << info.str();
    }
    // And a stream cut short is not: the check has teeth.
    const auto ogg = EncodeOneSecond("oggenc -r -R 44100 -b 128   -", 44100);
    test::WriteFile(dir + "/cut.ogg", ogg.data(), ogg.size() / 2);
    EXPECT_NE(test::RunProgram({"ogginfo", dir + "/cut.ogg"}), 0);
}

} // namespace
} // namespace vd::audio
