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
    static constexpr int TickMs = 30;
    static constexpr int MaxSlices = 8;

    // Capture thread: replaces both peaks (0..32767).
    void Store(int left, int right) { StoreSlices(&left, &right, 1); }
    // Capture thread: replaces both peaks with those of a block's consecutive slices, oldest
    // first (1..MaxSlices; more are left out). A block longer than a tick shows one slice per
    // tick, so the bars move on every tick however long the capture's blocks are.
    void StoreSlices(const int* left, const int* right, int count);
    // GUI thread: the peaks as they are, then the stored values move on to the block's next
    // slice or, after its last, decay by DecayStep (to 0 at or below it), unless a new block
    // has replaced them meanwhile.
    void ReadAndDecay(int& left, int& right);
    int Peak(int channel) const {
        return static_cast<int>(FSlot[channel].load(std::memory_order_acquire) & 0xFFFF);
    }

private:
    // store count << 24 | slice shown << 20 | slices << 16 | peak
    std::atomic<std::uint64_t> FSlot[2] = {0, 0};
    // The slices' peaks, in two sets by the store count's parity: the set a tick reads is never
    // the one the capture thread writes next, and a tick that read a set being rewritten (two
    // stores later) fails its compare-and-swap, since its slot has changed.
    std::atomic<std::uint16_t> FSlices[2][2][MaxSlices] = {};
    std::uint64_t FStores = 0; // capture thread only
};

// Peak magnitude per channel of 16-bit interleaved stereo (sample k is channel k mod 2); a
// negative sample s counts as -s - 1, so -32768 gives 32767. No whole sample gives 0 and 0.
void BlockPeaks(const std::int16_t* samples, std::size_t count, int& left, int& right);

// The block of `frames` stereo frames cut into as many equal slices as it holds ticks at `rate`
// (at least one, at most TPeakLevels::MaxSlices), each slice's peaks as BlockPeaks gives them;
// the number of slices.
int SlicePeaks(const std::int16_t* samples, std::size_t frames, unsigned rate, int* left, int* right);

} // namespace vd
