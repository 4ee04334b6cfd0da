// Capture from a real ALSA device (the fixture PCM), the record callback and the DSP hooks.
#include "platform/audio/AudioEngine.h"
#include "tests/platform/audio/AudioFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace vd::audio {
namespace {

using test::TCaptureRun;

const char* FixtureName = "Vendrill Test Capture";

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override { test::InstallAlsaFixture(); }
    void TearDown() override { test::EndFixtureCapture(Run); }
    TCaptureRun Run;
};

TEST_F(CaptureTest, DeviceListShowsTheFixtureByDescriptionAndPcmName) {
    AE_DEVICEINFO info{};
    const int index = test::FindDevice(FixtureName);
    ASSERT_GE(index, 0);
    ASSERT_TRUE(AE_RecordGetDeviceInfo(index, &info));
    EXPECT_STREQ(info.driver, "vdfixture");
    EXPECT_TRUE(info.flags & AE_DEVICE_ENABLED);
    EXPECT_GE(test::FindDevice("Vendrill Broken Device"), 0);

    std::uint32_t count = 0;
    while (AE_RecordGetDeviceInfo(count, &info))
        ++count;
    EXPECT_FALSE(AE_RecordGetDeviceInfo(count, &info));
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_DEVICE);
    // Texts stay valid after the list is refreshed.
    const char* name = nullptr;
    ASSERT_TRUE(AE_RecordGetDeviceInfo(index, &info));
    name = info.name;
    ASSERT_TRUE(AE_RecordGetDeviceInfo(0, &info));
    EXPECT_STREQ(name, FixtureName);
}

TEST_F(CaptureTest, FailedCallsLeaveTheCodeThatSaysWhatHappened) {
    AE_DEVICEINFO info{};
    std::uint32_t count = 0;
    while (AE_RecordGetDeviceInfo(count, &info))
        ++count;
    const int broken = test::FindDevice("Vendrill Broken Device");

    struct Case {
        const char* what;
        std::function<bool()> call;
        int code;
    } cases[] = {
        {"negative device", [] { return AE_RecordInit(-1); }, AE_ERROR_DEVICE},
        {"device past the end", [&] { return AE_RecordInit(static_cast<int>(count)); }, AE_ERROR_DEVICE},
        {"device that cannot open", [&] { return AE_RecordInit(broken); }, AE_ERROR_DEVICE},
        {"set device past the end", [&] { return AE_RecordSetDevice(count + 3); }, AE_ERROR_DEVICE},
        {"set device not initialised", [&] { return AE_RecordSetDevice(broken); }, AE_ERROR_INIT},
        {"start without device", [] { return AE_RecordStart(44100, 2, 0, nullptr, nullptr) != 0; },
         AE_ERROR_INIT},
        {"play a bad handle", [] { return AE_ChannelPlay(987654, false); }, AE_ERROR_HANDLE},
        {"stop a bad handle", [] { return AE_ChannelStop(987654); }, AE_ERROR_HANDLE},
        {"DSP on a bad handle",
         [] {
             return AE_ChannelSetDSP(
                        987654, [](HDSP, HRECORD, void*, std::uint32_t, void*) {}, nullptr, 0) != 0;
         },
         AE_ERROR_HANDLE},
        {"unknown option", [] { return AE_SetConfig(0x7777, 1); }, AE_ERROR_ILLPARAM},
        {"a capture period of no time", [] { return AE_SetConfig(AE_CONFIG_RECORD_PERIOD, 0); },
         AE_ERROR_ILLPARAM},
        {"a capture period of minutes", [] { return AE_SetConfig(AE_CONFIG_RECORD_PERIOD, 600000); },
         AE_ERROR_ILLPARAM},
        {"info without a record", [] { return AE_RecordGetDeviceInfo(0, nullptr); }, AE_ERROR_ILLPARAM},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(AE_ErrorGetCode(), c.code) << c.what;
    }
}

TEST_F(CaptureTest, BadFormatsAreRefusedBeforeTheDeviceIsTouched) {
    const int device = test::FindDevice(FixtureName);
    ASSERT_TRUE(AE_RecordInit(device));
    struct Case {
        unsigned rate, chans;
        int code;
    } cases[] = {{0, 2, AE_ERROR_FREQ},
                 {500000, 2, AE_ERROR_FREQ},
                 {44100, 0, AE_ERROR_FORMAT},
                 {44100, 3, AE_ERROR_FORMAT}};
    for (const auto& c : cases) {
        EXPECT_EQ(AE_RecordStart(c.rate, c.chans, 0, nullptr, nullptr), 0u) << c.rate << "/" << c.chans;
        EXPECT_EQ(AE_ErrorGetCode(), c.code) << c.rate << "/" << c.chans;
    }
    // Opening the same device again is not an error: it stays the current device.
    EXPECT_TRUE(AE_RecordInit(device));
    EXPECT_TRUE(AE_RecordFree());
    EXPECT_FALSE(AE_RecordFree());
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_INIT);
}

TEST_F(CaptureTest, ErrorCodesAreKeptPerThread) {
    EXPECT_FALSE(AE_RecordInit(-1));
    std::thread([] {
        EXPECT_EQ(AE_ErrorGetCode(), AE_OK);
        EXPECT_FALSE(AE_ChannelStop(424242));
        EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_HANDLE);
    }).join();
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_DEVICE);
}

TEST_F(CaptureTest, RecordCallbackGetsTheDeviceDataInOrderUntilItSaysStop) {
    const auto fixture = test::FixtureSamples();
    Run.Limit = fixture.size() * 2;
    Run.Keep = true;
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    // Started paused: a second start on the same device is refused while it exists.
    EXPECT_EQ(AE_RecordStart(44100, 2, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_ALREADY);
    EXPECT_FALSE(AE_ChannelIsActive(Run.Handle));
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(Run.Handle); }));
    ASSERT_GT(Run.Seen.size(), fixture.size() / 2);
    EXPECT_EQ(0, std::memcmp(Run.Seen.data(), fixture.data(), Run.Seen.size() * 2));
}

struct TSelfStop {
    std::atomic<HRECORD> Handle{0};
    std::atomic<int> Result{-1}, Code{-1}, DspResult{-1};
};

bool StopFromInside(HRECORD handle, const void*, std::uint32_t, void* user) {
    auto& s = *static_cast<TSelfStop*>(user);
    s.Result = AE_ChannelStop(handle) ? 1 : 0;
    s.Code = AE_ErrorGetCode();
    s.DspResult = AE_ChannelSetDSP(
                      handle, [](HDSP, HRECORD, void*, std::uint32_t, void*) {}, nullptr, 0)
                      ? 1
                      : 0;
    return false;
}

TEST_F(CaptureTest, CallsThatWouldJoinOrLockTheCaptureThreadFailInsideItsCallback) {
    ASSERT_TRUE(AE_RecordInit(test::FindDevice(FixtureName)));
    TSelfStop self;
    Run.Handle = AE_RecordStart(44100, 2, 0, StopFromInside, &self);
    ASSERT_NE(Run.Handle, 0u);
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(Run.Handle); }));
    EXPECT_EQ(self.Result.load(), 0);
    EXPECT_EQ(self.Code.load(), AE_ERROR_BUSY);
    EXPECT_EQ(self.DspResult.load(), 0);
    EXPECT_TRUE(AE_ChannelStop(Run.Handle)); // from outside it works
    Run.Handle = 0;
}

struct TDspLog {
    std::atomic<int> Calls{0};
    int Multiply = 1;
    int Add = 0;
};

void ScaleDsp(HDSP, HRECORD, void* buffer, std::uint32_t length, void* user) {
    auto& log = *static_cast<TDspLog*>(user);
    auto* s = static_cast<std::int16_t*>(buffer);
    for (std::uint32_t i = 0; i < length / 2; ++i)
        s[i] = static_cast<std::int16_t>(s[i] * log.Multiply + log.Add);
    log.Calls.fetch_add(1);
}

struct TOutput {
    std::mutex Lock;
    std::vector<std::uint8_t> Bytes;
    std::atomic<std::size_t> Size{0};
};

void CollectOutput(HENCODE, HRECORD, const void* buffer, std::uint32_t length, void* user) {
    auto& out = *static_cast<TOutput*>(user);
    std::lock_guard lock(out.Lock);
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    out.Bytes.insert(out.Bytes.end(), p, p + length);
    out.Size.store(out.Bytes.size());
}

TEST_F(CaptureTest, DspHooksRunByPriorityBeforeEncodersSeeTheBlock) {
    const auto fixture = test::FixtureSamples();
    Run.Limit = 44100 * 4; // one second
    Run.Keep = true;
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    // (x + 10) * 2 when "add" runs first (higher priority), x * 2 + 10 otherwise.
    TDspLog addTen, doubler;
    addTen.Add = 10;
    doubler.Multiply = 2;
    const HDSP low = AE_ChannelSetDSP(Run.Handle, ScaleDsp, &doubler, 1);
    const HDSP high = AE_ChannelSetDSP(Run.Handle, ScaleDsp, &addTen, 5);
    ASSERT_NE(low, 0u);
    ASSERT_NE(high, 0u);

    TOutput out;
    const HENCODE cat = AE_Encode_Start(Run.Handle, "cat", AE_ENCODE_NOHEAD, CollectOutput, &out);
    ASSERT_NE(cat, 0u) << AE_ErrorGetCode();
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(Run.Handle); }));
    const std::size_t expected = Run.Seen.size() * 2;
    ASSERT_TRUE(test::WaitUntil([&] { return out.Size.load() >= expected; }));
    EXPECT_TRUE(AE_Encode_Stop(cat));

    std::lock_guard lock(out.Lock);
    ASSERT_EQ(out.Bytes.size(), expected);
    const auto* encoded = reinterpret_cast<const std::int16_t*>(out.Bytes.data());
    for (std::size_t i = 0; i < Run.Seen.size(); ++i) {
        // The record callback saw the device's data; the encoder got it after the hooks.
        ASSERT_EQ(Run.Seen[i], fixture[i]) << i;
        ASSERT_EQ(encoded[i], static_cast<std::int16_t>((fixture[i] + 10) * 2)) << i;
    }
    EXPECT_TRUE(AE_ChannelRemoveDSP(Run.Handle, low));
    EXPECT_FALSE(AE_ChannelRemoveDSP(Run.Handle, low));
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_HANDLE);
}

TEST_F(CaptureTest, RemovedHookIsNeverCalledAgain) {
    Run.Limit = ~0ull; // runs until stopped
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    TDspLog log;
    const HDSP dsp = AE_ChannelSetDSP(Run.Handle, ScaleDsp, &log, 0);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return log.Calls.load() > 20; }));
    ASSERT_TRUE(AE_ChannelRemoveDSP(Run.Handle, dsp));
    const int calls = log.Calls.load();
    const std::uint64_t blocks = Run.Blocks.load();
    ASSERT_TRUE(test::WaitUntil([&] { return Run.Blocks.load() > blocks + 50; }));
    EXPECT_EQ(log.Calls.load(), calls);
}

struct TNotifyLog {
    std::mutex Lock;
    std::vector<std::uint32_t> Statuses;
    std::atomic<int> Count{0};
};

void LogNotify(HENCODE, std::uint32_t status, void* user) {
    auto& log = *static_cast<TNotifyLog*>(user);
    std::lock_guard lock(log.Lock);
    log.Statuses.push_back(status);
    log.Count.fetch_add(1);
}

TEST_F(CaptureTest, StoppingTheChannelFreesOnlyAutoFreeEncoders) {
    Run.Limit = ~0ull;
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    TNotifyLog freed, kept;
    const HENCODE autoFree = AE_Encode_Start(Run.Handle, "cat", 0x40001, nullptr, nullptr);
    const HENCODE plain = AE_Encode_Start(Run.Handle, "cat", AE_ENCODE_NOHEAD, nullptr, nullptr);
    ASSERT_TRUE(autoFree && plain);
    AE_Encode_SetNotify(autoFree, LogNotify, &freed);
    AE_Encode_SetNotify(plain, LogNotify, &kept);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(AE_ChannelStop(Run.Handle));
    Run.Handle = 0;
    EXPECT_FALSE(AE_Encode_IsActive(autoFree));
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_HANDLE);
    {
        std::lock_guard lock(freed.Lock);
        EXPECT_EQ(freed.Statuses, std::vector<std::uint32_t>{AE_ENCODE_NOTIFY_FREE});
    }
    EXPECT_TRUE(AE_Encode_IsActive(plain));
    EXPECT_TRUE(AE_Encode_Stop(plain));
    EXPECT_EQ(kept.Count.load(), 0);
}

} // namespace
} // namespace vd::audio
