#include "platform/audio/ByteRing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace vd::audio {
namespace {

std::vector<std::uint8_t> PopAll(TByteRing& ring) {
    std::vector<std::uint8_t> out;
    const std::uint8_t* p = nullptr;
    while (std::size_t n = ring.Front(&p)) {
        out.insert(out.end(), p, p + n);
        ring.Pop(n);
    }
    return out;
}

TEST(ByteRing, BlocksGoInWholeOrNotAtAllAndComeOutInOrderAcrossTheWrap) {
    TByteRing ring(10);
    std::vector<std::uint8_t> block(4);
    std::iota(block.begin(), block.end(), 1);
    EXPECT_TRUE(ring.Push(block.data(), 4));
    EXPECT_TRUE(ring.Push(block.data(), 4));
    EXPECT_FALSE(ring.Push(block.data(), 4)); // 8 of 10 used: nothing of it is queued
    EXPECT_EQ(ring.Size(), 8u);
    EXPECT_EQ(PopAll(ring), (std::vector<std::uint8_t>{1, 2, 3, 4, 1, 2, 3, 4}));
    // Now the data wraps around the end of the storage.
    EXPECT_TRUE(ring.Push(block.data(), 4));
    EXPECT_TRUE(ring.Push(block.data(), 4));
    const std::uint8_t* p = nullptr;
    EXPECT_EQ(ring.Front(&p), 2u); // only the run up to the end is contiguous
    const std::uint8_t *first = nullptr, *second = nullptr;
    std::size_t firstSize = 0, secondSize = 0;
    ASSERT_EQ(ring.Peek(&first, &firstSize, &second, &secondSize), 8u); // both runs, for one writev
    EXPECT_EQ(firstSize, 2u);
    EXPECT_EQ(secondSize, 6u);
    EXPECT_EQ(std::vector<std::uint8_t>(first, first + 2), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(std::vector<std::uint8_t>(second, second + 6), (std::vector<std::uint8_t>{3, 4, 1, 2, 3, 4}));
    EXPECT_EQ(PopAll(ring), (std::vector<std::uint8_t>{1, 2, 3, 4, 1, 2, 3, 4}));
    EXPECT_FALSE(ring.Push(block.data(), 11));
    EXPECT_EQ(ring.Pushed(), 16u);
    EXPECT_EQ(ring.Popped(), 16u);
}

} // namespace
} // namespace vd::audio
