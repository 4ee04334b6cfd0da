// The peaks cross threads: the capture thread stores, the GUI tick reads and decays.
#include "app/capture/PeakLevels.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace vd {
namespace {

bool IsStoredOrDecayed(int value) {
    for (int stored : {30000, 12000})
        if (value <= stored && (stored - value) % TPeakLevels::DecayStep == 0) return true;
    return value == 0;
}

TEST(PeakLevelsThreads, ReadsSeeStoredOrDecayedPeaksOnlyAndTheLastStoreSurvives) {
    TPeakLevels peaks;
    std::atomic<bool> stop{false};
    std::thread capture([&] {
        for (int i = 0; !stop.load(); ++i)
            peaks.Store(i % 2 ? 30000 : 12000, i % 2 ? 12000 : 30000);
        peaks.Store(30000, 12000);
    });
    int bad = 0;
    for (int tick = 0; tick < 20000; ++tick) {
        int left = 0, right = 0;
        peaks.ReadAndDecay(left, right);
        if (!IsStoredOrDecayed(left) || !IsStoredOrDecayed(right)) ++bad;
    }
    stop.store(true);
    capture.join();
    EXPECT_EQ(bad, 0);
    int left = 0, right = 0;
    peaks.ReadAndDecay(left, right);
    EXPECT_EQ(left, 30000);
    EXPECT_EQ(right, 12000);
}

// Every block's peak is shown by a tick however the decay of the value before it interleaves.
// Each peak stays alone until two ticks have started after its store, so the second of them
// shows it unless a tick wrote back the decay of an older value over it: the lost update a
// plain store in place of the compare-and-swap makes. Stored peaks lie within DecayStep above
// Fresh, so every decayed value is below it and a fresh one names its block.
TEST(PeakLevelsThreads, ADecayRacingANewPeakNeverLosesIt) {
    constexpr int Blocks = 4000, Fresh = 20000, Span = 1000;
    static_assert(Span <= TPeakLevels::DecayStep);
    TPeakLevels peaks;
    std::atomic<int> ticks{0}, lastLeft{-1}, lastRight{-1};
    std::atomic<bool> done{false};
    int lost = 0, blocks = 0;
    std::thread capture([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (; blocks < Blocks && std::chrono::steady_clock::now() < deadline; ++blocks) {
            const int left = Fresh + blocks % Span, right = Fresh + Span - 1 - blocks % Span;
            peaks.Store(left, right);
            // A read-modify-write, not a load: a load may overtake the store above, so that two
            // ticks could pass before the store shows. Ticks counted after this one see it.
            const int after = ticks.fetch_add(0);
            while (ticks.load() < after + 2 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
            lost += lastLeft.load() != left || lastRight.load() != right;
        }
        done = true;
    });
    while (!done.load()) {
        int left = 0, right = 0;
        peaks.ReadAndDecay(left, right);
        if (left >= Fresh) lastLeft = left;
        if (right >= Fresh) lastRight = right;
        ticks.fetch_add(1);
    }
    capture.join();
    EXPECT_EQ(blocks, Blocks) << "the ticks did not keep up within a minute";
    EXPECT_EQ(lost, 0) << "of " << blocks << " blocks, a newer peak overwritten by an older one's decay";
}

} // namespace
} // namespace vd
