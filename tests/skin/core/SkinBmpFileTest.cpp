#include "SkinTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vd {
namespace {

using test::CoordBitmap;

void Put32At(std::vector<Byte>& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = Byte(v >> (8 * i));
}

// A BMP image with the given header fields and raw palette and pixel bytes.
std::vector<Byte> MakeBmp(int w, int h, int bpp, std::vector<Byte> palette, std::vector<Byte> pixels) {
    std::vector<Byte> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32At(b, 2, std::uint32_t(54 + palette.size() + pixels.size()));
    Put32At(b, 10, std::uint32_t(54 + palette.size()));
    Put32At(b, 14, 40);
    Put32At(b, 18, std::uint32_t(w));
    Put32At(b, 22, std::uint32_t(h));
    b[26] = 1;
    b[28] = Byte(bpp);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

TEST(BmpFile, RoundTripsAtEveryWrittenDepth) {
    TskBitmap src = CoordBitmap(5, 3);
    for (int bpp : {24, 32}) {
        std::vector<Byte> bytes = WriteBmpImage(src, bpp);
        bytes.push_back(0xAB); // the next item of a container
        TskBitmap back;
        TskBmpReadResult r = ReadBmpImage(bytes, back);
        ASSERT_TRUE(r.Ok) << r.Error;
        EXPECT_EQ(r.Consumed, bytes.size() - 1);
        EXPECT_EQ(back, src) << bpp;
    }
    TskBitmap mask(9, 2);
    mask.Fill(skRGB(255, 255, 255));
    mask.SetPixel(0, 0, 0);
    mask.SetPixel(8, 1, 0);
    TskBitmap back;
    ASSERT_TRUE(ReadBmpImage(WriteBmpImage(mask, 1), back).Ok);
    EXPECT_EQ(back, mask);
    // An empty picture has no image: a container stores it as its flag alone.
    EXPECT_TRUE(WriteBmpImage(TskBitmap()).empty());
}

TEST(BmpFile, PalettedDepthsAndTopDownRows) {
    // 4 bits: 3 x 1, indexes 1, 2, 0; palette entries are B, G, R, 0.
    std::vector<Byte> palette4 = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    palette4.resize(16 * 4, 0);
    TskBitmap b4;
    ASSERT_TRUE(ReadBmpImage(MakeBmp(3, 1, 4, palette4, {0x12, 0x00, 0, 0}), b4).Ok);
    EXPECT_EQ(b4.Pixel(0, 0), skRGB(255, 0, 0));
    EXPECT_EQ(b4.Pixel(1, 0), skRGB(0, 255, 0));
    EXPECT_EQ(b4.Pixel(2, 0), 0);

    // 8 bits, two rows top-down (negative height), with a short palette (biClrUsed = 2).
    std::vector<Byte> bytes = MakeBmp(1, -2, 8, {10, 20, 30, 0, 40, 50, 60, 0}, {0, 0, 0, 0, 1, 0, 0, 0});
    Put32At(bytes, 46, 2);
    TskBitmap b8;
    ASSERT_TRUE(ReadBmpImage(bytes, b8).Ok);
    EXPECT_EQ(b8.Pixel(0, 0), skRGB(30, 20, 10));
    EXPECT_EQ(b8.Pixel(0, 1), skRGB(60, 50, 40));
}

TEST(BmpFile, RejectsLyingHeadersWithoutReadingPastTheBuffer) {
    const std::vector<Byte> good = WriteBmpImage(CoordBitmap(4, 4));
    struct Case {
        const char* Name;
        size_t At;
        std::uint32_t Value;
    } cases[] = {
        {"width 0", 18, 0},
        {"width above 16384", 18, 16385},
        {"negative width", 18, 0xFFFFFFFF},
        {"height 0", 22, 0},
        {"height above 16384", 22, 16385},
        {"height below -16384", 22, std::uint32_t(-16385)},
        {"huge height", 22, 0x7FFFFFFF},
        {"depth 16", 28, 16},
        {"compressed", 30, 1},
        {"offset past end", 10, 100000},
        {"offset into header", 10, 20},
        {"info size", 14, 0xFFFFFFF0},
        {"huge palette", 46, 300},
    };
    for (const Case& c : cases) {
        std::vector<Byte> bad = good;
        if (std::strcmp(c.Name, "huge palette") == 0) bad[28] = 8;
        Put32At(bad, c.At, c.Value);
        TskBitmap out;
        TskBmpReadResult r = ReadBmpImage(bad, out);
        EXPECT_FALSE(r.Ok) << c.Name;
        EXPECT_FALSE(r.Error.empty()) << c.Name;
        EXPECT_TRUE(out.Empty()) << c.Name;
    }
    for (size_t cut : {size_t(0), size_t(2), size_t(53), good.size() - 1}) {
        TskBitmap out;
        EXPECT_FALSE(ReadBmpImage(std::span<const Byte>(good.data(), cut), out).Ok) << cut;
    }
    std::vector<Byte> notBmp = good;
    notBmp[0] = 'X';
    TskBitmap out;
    EXPECT_FALSE(ReadBmpImage(notBmp, out).Ok);
}

} // namespace
} // namespace vd
