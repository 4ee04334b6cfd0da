#include "app/capture/PeakLevels.h"

#include <algorithm>

namespace vd {

namespace {

constexpr std::uint64_t PeakMask = 0xFFFF;
constexpr int ShownShift = 20, CountShift = 16, StampShift = 24;

int Field(std::uint64_t slot, int shift) {
    return static_cast<int>(slot >> shift & 0xF);
}

} // namespace

void TPeakLevels::StoreSlices(const int* left, const int* right, int count) {
    count = std::clamp(count, 1, MaxSlices);
    const std::uint64_t stores = ++FStores;
    const int* peaks[2] = {left, right};
    for (int ch = 0; ch < 2; ++ch) {
        auto& set = FSlices[ch][stores & 1];
        for (int i = 0; i < count; ++i)
            set[i].store(static_cast<std::uint16_t>(peaks[ch][i]), std::memory_order_relaxed);
        // Release: a tick that sees this slot sees the slices written above.
        FSlot[ch].store(stores << StampShift | static_cast<std::uint64_t>(count) << CountShift |
                            static_cast<std::uint16_t>(peaks[ch][0]),
                        std::memory_order_release);
    }
}

void TPeakLevels::ReadAndDecay(int& left, int& right) {
    int* out[2] = {&left, &right};
    for (int ch = 0; ch < 2; ++ch) {
        std::uint64_t slot = FSlot[ch].load(std::memory_order_acquire);
        const int peak = static_cast<int>(slot & PeakMask);
        *out[ch] = peak;
        const int shown = Field(slot, ShownShift), count = Field(slot, CountShift);
        int next;
        std::uint64_t nextShown = static_cast<std::uint64_t>(shown);
        if (shown + 1 < count) {
            next = FSlices[ch][(slot >> StampShift) & 1][shown + 1].load(std::memory_order_relaxed);
            ++nextShown;
        } else {
            next = peak <= DecayStep ? 0 : peak - DecayStep;
        }
        const std::uint64_t kept = slot & ~((std::uint64_t{1} << StampShift) - 1);
        // Fails only when the capture thread stored a new block: that one stays.
        FSlot[ch].compare_exchange_strong(slot,
                                          kept | nextShown << ShownShift |
                                              static_cast<std::uint64_t>(count) << CountShift |
                                              static_cast<std::uint64_t>(next),
                                          std::memory_order_acq_rel);
    }
}

void BlockPeaks(const std::int16_t* samples, std::size_t count, int& left, int& right) {
    int peak[2] = {0, 0};
    for (std::size_t k = 0; k < count; ++k) {
        const int s = samples[k];
        const int magnitude = s < 0 ? -s - 1 : s;
        if (magnitude > peak[k & 1]) peak[k & 1] = magnitude;
    }
    left = peak[0];
    right = peak[1];
}

int SlicePeaks(const std::int16_t* samples, std::size_t frames, unsigned rate, int* left, int* right) {
    const std::size_t tick = std::max<std::size_t>(1, std::size_t{rate} * TPeakLevels::TickMs / 1000);
    // Rounded to the nearest whole number of ticks: a block of 1.4 ticks is one slice.
    const int count =
        static_cast<int>(std::clamp<std::size_t>((frames + tick / 2) / tick, 1, TPeakLevels::MaxSlices));
    for (int i = 0; i < count; ++i) {
        const std::size_t from = frames * static_cast<std::size_t>(i) / static_cast<std::size_t>(count);
        const std::size_t to = frames * static_cast<std::size_t>(i + 1) / static_cast<std::size_t>(count);
        BlockPeaks(samples + 2 * from, 2 * (to - from), left[i], right[i]);
    }
    return count;
}

} // namespace vd
