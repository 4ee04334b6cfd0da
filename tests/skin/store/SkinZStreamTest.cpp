#include "skin/store/SkinZStream.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

std::vector<Byte> Sample(size_t n) {
    std::vector<Byte> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = Byte((i * 7919) % 251);
    return v;
}

TEST(ZStream, RoundTripAtLevelNineWithAFullWindow) {
    for (size_t n : {size_t(0), size_t(1), size_t(4096), size_t(100000)}) {
        const std::vector<Byte> data = Sample(n);
        std::vector<Byte> packed{0x55};
        CompressMemoryStream(data, packed);
        ASSERT_GE(packed.size(), 3u);
        EXPECT_EQ(packed[0], 0x55); // appended at the end
        EXPECT_EQ(packed[1], 0x78);
        EXPECT_EQ(packed[2], 0xDA);
        std::vector<Byte> back{1, 2};
        DecompressMemoryStream(back, std::span<const Byte>(packed).subspan(1));
        ASSERT_EQ(back.size(), n + 2);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin() + 2));
    }
}

TEST(ZStream, BadStreamsRaiseAndKeepWhatWasInflated) {
    const std::vector<Byte> data = Sample(50000);
    std::vector<Byte> packed;
    CompressMemoryStream(data, packed);

    std::vector<Byte> out;
    EXPECT_THROW(DecompressMemoryStream(out, std::span<const Byte>(packed).first(packed.size() / 2)),
                 EZDecompressionError);
    EXPECT_LE(out.size(), data.size());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));

    std::vector<Byte> garbage = {0x12, 0x34, 0x56};
    out.clear();
    EXPECT_THROW(DecompressMemoryStream(out, garbage), EZDecompressionError);
    EXPECT_THROW(DecompressMemoryStream(out, {}), EZDecompressionError);

    std::vector<Byte> corrupt = packed;
    corrupt[corrupt.size() - 2] ^= 0xFF; // the Adler-32 check
    out.clear();
    EXPECT_THROW(DecompressMemoryStream(out, corrupt), EZDecompressionError);
}

TEST(ZStream, InflationIsBounded) {
    const std::vector<Byte> zeros(1 << 20, 0);
    std::vector<Byte> packed;
    CompressMemoryStream(zeros, packed);
    std::vector<Byte> out;
    EXPECT_THROW(DecompressMemoryStream(out, packed, 100000), EZDecompressionError);
    EXPECT_LE(out.size(), 100000u + 4096u);
}

} // namespace
} // namespace vd
