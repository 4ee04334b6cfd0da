#include "app/capture/PeakLevels.h"

namespace vd {

void TPeakLevels::Store(int left, int right) {
    const std::uint64_t stamp = ++FStores << 16;
    FSlot[0].store(stamp | static_cast<std::uint16_t>(left), std::memory_order_release);
    FSlot[1].store(stamp | static_cast<std::uint16_t>(right), std::memory_order_release);
}

void TPeakLevels::ReadAndDecay(int& left, int& right) {
    int* out[2] = {&left, &right};
    for (int ch = 0; ch < 2; ++ch) {
        std::uint64_t slot = FSlot[ch].load(std::memory_order_acquire);
        const int peak = static_cast<int>(slot & 0xFFFF);
        *out[ch] = peak;
        const int decayed = peak <= DecayStep ? 0 : peak - DecayStep;
        // Fails only when the capture thread stored a new peak: that one stays.
        FSlot[ch].compare_exchange_strong(
            slot, (slot & ~std::uint64_t{0xFFFF}) | static_cast<std::uint64_t>(decayed),
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

} // namespace vd
