// The peaks cross threads: the capture thread stores, the GUI tick reads and decays.
#include "app/capture/PeakLevels.h"

#include <gtest/gtest.h>

#include <atomic>
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

} // namespace
} // namespace vd
