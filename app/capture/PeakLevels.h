#pragma once
// The two peak levels: written by the capture thread for every block, read and decayed by the
// GUI tick. Each slot holds the peak with a store count, so that the decay of an old value
// never overwrites the peak of a block that arrived in between.
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vd {

class TPeakLevels {
public:
    static constexpr int DecayStep = 1024; // per 30 ms tick

    // Capture thread: replaces both peaks (0..32767).
    void Store(int left, int right);
    // GUI thread: the peaks as they are, then the stored values decay by DecayStep (to 0 at or
    // below it) unless a new block has replaced them meanwhile.
    void ReadAndDecay(int& left, int& right);
    int Peak(int channel) const {
        return static_cast<int>(FSlot[channel].load(std::memory_order_acquire) & 0xFFFF);
    }

private:
    std::atomic<std::uint64_t> FSlot[2] = {0, 0}; // store count << 16 | peak
    std::uint64_t FStores = 0;                    // capture thread only
};

// Peak magnitude per channel of 16-bit interleaved stereo (sample k is channel k mod 2); a
// negative sample s counts as -s - 1, so -32768 gives 32767. No whole sample gives 0 and 0.
void BlockPeaks(const std::int16_t* samples, std::size_t count, int& left, int& right);

} // namespace vd
