// Encoder processes on the fixture capture: start failures, the process's life and death,
// the bounded queue, sinks, and no callbacks after a stop. Plain programs (cat, head, sleep)
// stand in for encoders where only the process matters.
#include "platform/audio/Encoder.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/EncodedSink.h"
#include "platform/audio/IoLoop.h"
#include "tests/platform/audio/AudioFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

namespace vd::audio {
namespace {

using test::TCaptureRun;

struct TOutput {
    std::mutex Lock;
    std::vector<std::uint8_t> Bytes;
    std::atomic<std::size_t> Size{0};
    std::atomic<bool> Stopped{false};
    std::atomic<int> AfterStop{0};
};

void CollectOutput(HENCODE, HRECORD, const void* buffer, std::uint32_t length, void* user) {
    auto& out = *static_cast<TOutput*>(user);
    if (out.Stopped.load()) out.AfterStop.fetch_add(1);
    std::lock_guard lock(out.Lock);
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    out.Bytes.insert(out.Bytes.end(), p, p + length);
    out.Size.store(out.Bytes.size());
}

struct TNotifyLog {
    std::mutex Lock;
    std::vector<std::uint32_t> Statuses;
    std::atomic<int> Count{0};
    std::vector<std::uint32_t> Get() {
        std::lock_guard lock(Lock);
        return Statuses;
    }
};

void LogNotify(HENCODE, std::uint32_t status, void* user) {
    auto& log = *static_cast<TNotifyLog*>(user);
    std::lock_guard lock(log.Lock);
    log.Statuses.push_back(status);
    log.Count.fetch_add(1);
}

// Counts only: for programs whose output never ends.
void CountOutput(HENCODE, HRECORD, const void*, std::uint32_t length, void* user) {
    auto& out = *static_cast<TOutput*>(user);
    if (out.Stopped.load()) out.AfterStop.fetch_add(1);
    out.Size.fetch_add(length);
}

int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& t : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

class TRecordingSink : public TEncodedSink {
public:
    void Deliver(const std::uint8_t*, std::size_t size) override { Size.fetch_add(size); }
    std::atomic<std::size_t> Size{0};
};

bool Reaped(int pid) {
    return ::kill(pid, 0) == -1 && errno == ESRCH;
}

class EncoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Run.Limit = ~0ull;
        ASSERT_TRUE(test::StartFixtureCapture(Run));
        AE_SetConfig(AE_CONFIG_ENCODE_QUEUE, 4000);
        AE_SetConfig(AE_CONFIG_ENCODE_STOP_WAIT, 200);
    }
    void TearDown() override { test::EndFixtureCapture(Run); }
    TCaptureRun Run;
};

TEST_F(EncoderTest, ProgramsThatCannotStartFailAtOnceWithACode) {
    struct Case {
        const char* line;
        int code;
    } cases[] = {
        {"enc_aacPlus - - --lc --br 128000 --silent --rawpcm 44100 2 16", AE_ERROR_FILEOPEN},
        {"/nonexistent/folder/lame -r -s 44100 --cbr -b 128 -", AE_ERROR_FILEOPEN},
        {"/etc/hostname", AE_ERROR_FILEOPEN}, // not executable
        {"", AE_ERROR_ILLPARAM},
        {"   ", AE_ERROR_ILLPARAM},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AE_Encode_Start(Run.Handle, c.line, 0x40001, nullptr, nullptr), 0u) << c.line;
        EXPECT_EQ(AE_ErrorGetCode(), c.code) << c.line;
    }
    EXPECT_EQ(AE_Encode_Start(Run.Handle + 1000, "cat", 0x40001, nullptr, nullptr), 0u);
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_HANDLE);
    EXPECT_EQ(AE_Encode_Start(Run.Handle, nullptr, 0x40001, nullptr, nullptr), 0u);
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_ILLPARAM);
}

TEST_F(EncoderTest, WithoutTheNoHeaderFlagTheProgramGetsAWavHeaderFirst) {
    TOutput out;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "cat", AE_ENCODE_AUTOFREE, CollectOutput, &out);
    ASSERT_NE(enc, 0u);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return out.Size.load() >= 44 + 400; }));
    AE_Encode_Stop(enc);
    std::lock_guard lock(out.Lock);
    const std::uint8_t* h = out.Bytes.data();
    EXPECT_EQ(0, std::memcmp(h, "RIFF", 4));
    EXPECT_EQ(0, std::memcmp(h + 8, "WAVEfmt ", 8));
    std::uint16_t channels, bits;
    std::uint32_t rate;
    std::memcpy(&channels, h + 22, 2);
    std::memcpy(&rate, h + 24, 4);
    std::memcpy(&bits, h + 34, 2);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(rate, 44100u);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(0, std::memcmp(h + 36, "data", 4));
    const auto fixture = test::FixtureSamples();
    EXPECT_EQ(0, std::memcmp(h + 44, fixture.data(), 400));
}

TEST_F(EncoderTest, AProgramThatDiesRaisesStatusOneOnceAndTheProgramSurvivesTheBrokenPipe) {
    test::EndFixtureCapture(Run);
    Run.Limit = 200000; // below the queue: the only event is the death
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    TOutput out;
    TNotifyLog log;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "head -c 1000", 0x40001, CollectOutput, &out);
    ASSERT_NE(enc, 0u);
    ASSERT_TRUE(AE_Encode_SetNotify(enc, LogNotify, &log));
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return log.Count.load() >= 1; }));
    EXPECT_EQ(log.Get(), std::vector<std::uint32_t>{AE_ENCODE_NOTIFY_ENCODER});
    EXPECT_EQ(out.Size.load(), 1000u);
    EXPECT_FALSE(AE_Encode_IsActive(enc));
    EXPECT_TRUE(AE_Encode_Stop(enc));
    EXPECT_EQ(log.Count.load(), 1);
}

TEST_F(EncoderTest, ADeathBeforeTheNotifyCallbackIsSetIsDeliveredAfterwards) {
    // The program fails at once, while the caller is still opening its cast.
    const HENCODE early = AE_Encode_Start(Run.Handle, "false", 0x40001, nullptr, nullptr);
    const HENCODE stopped = AE_Encode_Start(Run.Handle, "false", 0x40001, nullptr, nullptr);
    ASSERT_TRUE(early && stopped);
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(early) && !AE_Encode_IsActive(stopped); }));
    TNotifyLog log, none;
    ASSERT_TRUE(AE_Encode_SetNotify(early, LogNotify, &log));
    ASSERT_TRUE(AE_Encode_SetNotify(stopped, LogNotify, &none));
    ASSERT_TRUE(AE_Encode_Stop(stopped)); // stopped before the delivery: nothing comes
    ASSERT_TRUE(test::WaitUntil([&] { return log.Count.load() == 1; }));
    EXPECT_EQ(log.Get(), std::vector<std::uint32_t>{AE_ENCODE_NOTIFY_ENCODER});
    AE_Encode_Stop(early);
    EXPECT_EQ(none.Count.load(), 0);
}

// A stop waits for nothing: the program gets its time to end after the stop has returned. The
// wait is long here, so that neither a loaded machine nor a sanitizer blurs "at once".
constexpr unsigned LongStopWaitMs = 3000;

TEST_F(EncoderTest, StopReturnsAtOnceLeavesNoZombieAndEndsTheHandle) {
    AE_SetConfig(AE_CONFIG_ENCODE_STOP_WAIT, LongStopWaitMs);
    // sleep never reads its input and ignores the end of it: the stop must end it by signal.
    const HENCODE enc = AE_Encode_Start(Run.Handle, "sleep 30", 0x40001, nullptr, nullptr);
    ASSERT_NE(enc, 0u);
    const int pid = AE_Encode_GetPid(enc);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(AE_Encode_Stop(enc));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(LongStopWaitMs));
    EXPECT_FALSE(Reaped(pid)) << "the stop waited for the program's end";
    EXPECT_TRUE(test::WaitUntil([&] { return Reaped(pid); }, 20000));
    EXPECT_FALSE(AE_Encode_Stop(enc));
    EXPECT_EQ(AE_ErrorGetCode(), AE_ERROR_HANDLE);
    EXPECT_FALSE(AE_Encode_RaiseNotify(enc, AE_ENCODE_NOTIFY_CAST));
}

TEST_F(EncoderTest, AFullQueueDropsBlocksAndReportsQueueOutOfSpaceOncePerRun) {
    AE_SetConfig(AE_CONFIG_ENCODE_QUEUE, 100);
    TNotifyLog log;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "sleep 30", 0x40001, nullptr, nullptr);
    ASSERT_NE(enc, 0u);
    AE_Encode_SetNotify(enc, LogNotify, &log);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return log.Count.load() >= 1; }));
    // While the 64 KiB pipe still takes bytes the 64 KiB queue may drain below half (the end
    // of a run) at most twice more; after that nothing moves, and thousands of dropped blocks
    // must not turn into thousands of reports.
    const std::uint64_t blocks = Run.Blocks.load();
    ASSERT_TRUE(test::WaitUntil([&] { return Run.Blocks.load() > blocks + 2000; }));
    EXPECT_LE(log.Count.load(), 3);
    for (auto status : log.Get())
        EXPECT_EQ(status, AE_ENCODE_NOTIFY_SERVER_SPACE);
    EXPECT_LE(AE_Encode_GetQueued(enc), 65536u);
    AE_Encode_Stop(enc);
}

TEST_F(EncoderTest, SinksGetEveryBlockUntilDetachedAndAreReleasedAfterStop) {
    TOutput out;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "cat", 0x40001, CollectOutput, &out);
    ASSERT_NE(enc, 0u);
    auto first = std::make_shared<TRecordingSink>();
    auto second = std::make_shared<TRecordingSink>();
    std::weak_ptr<TRecordingSink> secondAlive = second;
    ASSERT_TRUE(AE_Encode_AttachSink(enc, first));
    ASSERT_TRUE(AE_Encode_AttachSink(enc, second));
    EXPECT_FALSE(AE_Encode_DetachSink(enc, nullptr));
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return first->Size.load() > 100000; }));
    ASSERT_TRUE(AE_Encode_DetachSink(enc, first.get()));
    const std::size_t atDetach = first->Size.load();
    const std::size_t outAtDetach = out.Size.load();
    ASSERT_TRUE(test::WaitUntil([&] { return out.Size.load() > outAtDetach + 100000; }));
    EXPECT_EQ(first->Size.load(), atDetach);
    second.reset();
    ASSERT_TRUE(AE_Encode_Stop(enc));
    EXPECT_TRUE(test::WaitUntil([&] { return secondAlive.expired(); }));
    EXPECT_FALSE(AE_Encode_AttachSink(enc, first));
}

TEST_F(EncoderTest, NoCallbackAfterStopReturnsEvenWhileDataFlows) {
    TOutput out;
    TNotifyLog log;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "cat", 0x40001, CollectOutput, &out);
    ASSERT_NE(enc, 0u);
    AE_Encode_SetNotify(enc, LogNotify, &log);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return out.Size.load() > 200000; }));
    ASSERT_TRUE(AE_Encode_Stop(enc));
    out.Stopped.store(true);
    const int notifies = log.Count.load(); // the unpaced fixture may have overrun the queue
    const std::uint64_t blocks = Run.Blocks.load();
    ASSERT_TRUE(test::WaitUntil([&] { return Run.Blocks.load() > blocks + 200; }));
    EXPECT_EQ(out.AfterStop.load(), 0);
    EXPECT_EQ(log.Count.load(), notifies); // the death that follows a stop is no failure
}

TEST_F(EncoderTest, AnEncoderInheritsOnlyItsOwnStdinStdoutAndStderr) {
    const HENCODE other = AE_Encode_Start(Run.Handle, "cat", 0x40001, nullptr, nullptr);
    TOutput out;
    // ls lists its own descriptors: 0, 1, 2 and the one it reads the folder with.
    const HENCODE ls = AE_Encode_Start(Run.Handle, "ls /proc/self/fd", 0x40001, CollectOutput, &out);
    ASSERT_TRUE(other && ls);
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(ls); }));
    AE_Encode_Stop(ls);
    AE_Encode_Stop(other);
    std::lock_guard lock(out.Lock);
    EXPECT_EQ(std::string(out.Bytes.begin(), out.Bytes.end()), "0\n1\n2\n3\n");
}

TEST_F(EncoderTest, ManyEncodersOnOneCaptureEachGetTheWholeStream) {
    test::EndFixtureCapture(Run);
    Run.Limit = 44100 * 4;
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    constexpr int N = 8;
    TOutput outs[N];
    HENCODE encs[N];
    for (int i = 0; i < N; ++i) {
        encs[i] = AE_Encode_Start(Run.Handle, "cat", 0x40001, CollectOutput, &outs[i]);
        ASSERT_NE(encs[i], 0u);
    }
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(Run.Handle); }));
    const std::size_t total = Run.Bytes.load();
    for (int i = 0; i < N; ++i) {
        ASSERT_TRUE(AE_Encode_EndInput(encs[i]));
        ASSERT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(encs[i]); })) << i;
        EXPECT_EQ(outs[i].Size.load(), total) << i;
        AE_Encode_Stop(encs[i]);
    }
}

// One program that never reads (its pipe full, its queue overflowing) costs the other fifteen
// nothing: each gets every block, and no encoder adds a thread.
TEST_F(EncoderTest, OneStalledEncoderAmongSixteenKeepsNoOtherFromItsBlocks) {
    test::EndFixtureCapture(Run);
    Run.Limit = 44100 * 4 * 2;
    ASSERT_TRUE(test::StartFixtureCapture(Run));
    constexpr int N = 16;
    TOutput outs[N];
    TNotifyLog logs[N];
    HENCODE encs[N];
    AE_SetConfig(AE_CONFIG_ENCODE_QUEUE, 100); // the stalled one overflows soon
    encs[0] = AE_Encode_Start(Run.Handle, "sleep 30", 0x40001, nullptr, nullptr);
    ASSERT_NE(encs[0], 0u);
    const int threads = ThreadCount();
    AE_SetConfig(AE_CONFIG_ENCODE_QUEUE, 4000);
    for (int i = 1; i < N; ++i) {
        encs[i] = AE_Encode_Start(Run.Handle, "cat", 0x40001, CollectOutput, &outs[i]);
        ASSERT_NE(encs[i], 0u);
    }
    for (int i = 0; i < N; ++i)
        ASSERT_TRUE(AE_Encode_SetNotify(encs[i], LogNotify, &logs[i]));
    EXPECT_EQ(ThreadCount(), threads) << "the encoders' pipes are served by the loop";
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_ChannelIsActive(Run.Handle); }));
    const std::size_t total = Run.Bytes.load();
    ASSERT_GT(total, 0u);
    for (int i = 1; i < N; ++i) {
        ASSERT_TRUE(AE_Encode_EndInput(encs[i]));
        ASSERT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(encs[i]); })) << i;
        EXPECT_EQ(outs[i].Size.load(), total) << i;
        EXPECT_EQ(logs[i].Count.load(), 0) << i;
    }
    ASSERT_TRUE(test::WaitUntil([&] { return logs[0].Count.load() >= 1; }));
    for (auto status : logs[0].Get())
        EXPECT_EQ(status, AE_ENCODE_NOTIFY_SERVER_SPACE);
    EXPECT_TRUE(AE_Encode_IsActive(encs[0]));
    const int pid = AE_Encode_GetPid(encs[0]);
    for (HENCODE e : encs)
        AE_Encode_Stop(e);
    EXPECT_TRUE(test::WaitUntil([&] { return Reaped(pid); }));
}

// Killed while the loop keeps its pipe busy: the broken pipe costs the loop nothing, the death
// is reported once, and the other encoder goes on.
TEST_F(EncoderTest, AnEncoderKilledWhileItsInputFlowsIsReportedOnceAndTheOtherGoesOn) {
    TOutput killedOut, otherOut;
    TNotifyLog killedLog, otherLog;
    const HENCODE killed = AE_Encode_Start(Run.Handle, "cat", 0x40001, CountOutput, &killedOut);
    const HENCODE other = AE_Encode_Start(Run.Handle, "cat", 0x40001, CountOutput, &otherOut);
    ASSERT_TRUE(killed && other);
    AE_Encode_SetNotify(killed, LogNotify, &killedLog);
    AE_Encode_SetNotify(other, LogNotify, &otherLog);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return killedOut.Size.load() > 200000; }));
    const int pid = AE_Encode_GetPid(killed);
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !AE_Encode_IsActive(killed); }));
    ASSERT_TRUE(test::WaitUntil([&] {
        auto statuses = killedLog.Get();
        return std::count(statuses.begin(), statuses.end(), AE_ENCODE_NOTIFY_ENCODER) == 1;
    }));
    const std::size_t otherAt = otherOut.Size.load();
    ASSERT_TRUE(test::WaitUntil([&] { return otherOut.Size.load() > otherAt + 400000; }));
    auto statuses = killedLog.Get();
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), AE_ENCODE_NOTIFY_ENCODER), 1);
    EXPECT_TRUE(AE_Encode_IsActive(other));
    for (auto status : otherLog.Get()) // the unpaced fixture may overrun the queue, nothing else
        EXPECT_EQ(status, AE_ENCODE_NOTIFY_SERVER_SPACE);
    EXPECT_TRUE(Reaped(pid));
    AE_Encode_Stop(killed);
    AE_Encode_Stop(other);
}

// A program that floods its output (it ignores its input): the stop returns at once and
// neither the callback nor a sink hears from it again; the program is ended and reaped.
TEST_F(EncoderTest, AStopDuringABurstOfOutputEndsEveryDeliveryAtOnce) {
    AE_SetConfig(AE_CONFIG_ENCODE_STOP_WAIT, LongStopWaitMs);
    TOutput out;
    TNotifyLog log;
    const HENCODE enc = AE_Encode_Start(Run.Handle, "cat /dev/zero", 0x40001, CountOutput, &out);
    ASSERT_NE(enc, 0u);
    auto sink = std::make_shared<TRecordingSink>();
    ASSERT_TRUE(AE_Encode_AttachSink(enc, sink));
    AE_Encode_SetNotify(enc, LogNotify, &log);
    ASSERT_TRUE(AE_ChannelPlay(Run.Handle, false));
    ASSERT_TRUE(test::WaitUntil([&] { return sink->Size.load() > 4000000; }));
    const int pid = AE_Encode_GetPid(enc);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(AE_Encode_Stop(enc));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(LongStopWaitMs));
    out.Stopped.store(true);
    const std::size_t sinkAtStop = sink->Size.load();
    EXPECT_TRUE(test::WaitUntil([&] { return Reaped(pid); }, 20000));
    EXPECT_EQ(out.AfterStop.load(), 0);
    EXPECT_EQ(sink->Size.load(), sinkAtStop);
    for (auto status : log.Get())
        EXPECT_EQ(status, AE_ENCODE_NOTIFY_SERVER_SPACE);
}

// A stop that overtakes a start (the console restarting its device while a stream connects):
// the encoder is refused with the handle error or goes with the channel; it is never left on a
// stopped channel that no audio reaches again.
TEST_F(EncoderTest, AnEncoderStartedWhileItsChannelStopsNeverOutlivesIt) {
    int refused = 0, freed = 0, stranded = 0;
    for (int i = 0; i < 40; ++i) {
        if (!Run.Handle) {
            ASSERT_TRUE(test::StartFixtureCapture(Run));
        }
        const HRECORD channel = Run.Handle;
        std::atomic<bool> ready{false}, go{false};
        HENCODE encoder = 0;
        int code = AE_OK;
        std::thread starter([&] {
            ready = true;
            while (!go.load()) {
            }
            encoder = AE_Encode_Start(channel, "cat", 0x40001, nullptr, nullptr);
            code = AE_ErrorGetCode();
        });
        while (!ready.load()) {
        }
        go = true;
        // Stops at varying points of the start (the program's spawn takes about a millisecond).
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(100 * (i % 20));
        while (std::chrono::steady_clock::now() < until) {
        }
        test::EndFixtureCapture(Run);
        starter.join();
        if (encoder == 0) {
            EXPECT_EQ(code, AE_ERROR_HANDLE);
            ++refused;
        } else if (AE_Encode_IsActive(encoder)) {
            ++stranded;
            AE_Encode_Stop(encoder);
        } else {
            ++freed;
        }
    }
    EXPECT_EQ(stranded, 0) << refused << " refused, " << freed << " freed with the channel";
}

// While blocks flow, the encoders' output is read on the blocks' own wake-ups: the loop runs
// about once per block, not once more for every encoder that answered. Once the blocks stop,
// what the programs still write reaches the callback all the same.
TEST(EncoderLoop, OutputIsReadOnTheBlocksWakeUpsAndStillArrivesAfterTheLastBlock) {
    TIoLoop loop("vd-test-io");
    constexpr int N = 8, Blocks = 40;
    constexpr std::size_t BlockSize = 4096;
    TOutput outs[N];
    std::vector<std::unique_ptr<TEncoder>> encs;
    for (int i = 0; i < N; ++i) {
        TEncoder::TParams p;
        p.Flags = AE_ENCODE_NOHEAD;
        p.Proc = CountOutput;
        p.User = &outs[i];
        p.QueueBytes = 1 << 20;
        p.Loop = &loop;
        encs.push_back(std::make_unique<TEncoder>(p));
        ASSERT_EQ(encs.back()->Start("cat"), AE_OK);
    }
    const auto allWritten = [&] {
        return std::all_of(encs.begin(), encs.end(), [](const auto& e) { return e->Queued() == 0; });
    };
    ASSERT_TRUE(test::WaitUntil(allWritten));
    const std::vector<std::uint8_t> block(BlockSize, 0x5a);
    const std::uint64_t rounds0 = loop.Rounds();
    for (int b = 0; b < Blocks; ++b) {
        for (auto& e : encs)
            e->PushBlock(block.data(), block.size(), TEncoder::TClock::now());
        loop.Wake();
        ASSERT_TRUE(test::WaitUntil(allWritten)) << b;
    }
    const std::uint64_t rounds = loop.Rounds() - rounds0;
    for (int i = 0; i < N; ++i)
        EXPECT_TRUE(test::WaitUntil([&] { return outs[i].Size.load() == Blocks * BlockSize; }))
            << i << ": " << outs[i].Size.load();
    // Room for a wake that comes while a round runs and for a stalled machine's idle timer;
    // an extra round per answering encoder would be some N times Blocks.
    EXPECT_LE(rounds, Blocks * 3 / 2 + 4u);
    for (auto& e : encs) {
        e->EndInput();
        e->MarkStopped();
        e->Finish();
    }
}

} // namespace
} // namespace vd::audio
