#include "skin/core/SkinMaskRegion.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinFBitmap.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

// '#' is black (inside), '.' white.
TskBitmap Mask(const std::vector<std::string>& rows) {
    TskBitmap m(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x)
            m.SetPixel(x, y, rows[size_t(y)][size_t(x)] == '#' ? 0 : skRGB(255, 255, 255));
    return m;
}

std::vector<TRect> DataRects(const std::vector<Byte>& d) {
    std::vector<TRect> out;
    auto at = [&](size_t i) {
        return int(std::uint32_t(d[i]) | std::uint32_t(d[i + 1]) << 8 | std::uint32_t(d[i + 2]) << 16 |
                   std::uint32_t(d[i + 3]) << 24);
    };
    for (size_t i = 32; i + 16 <= d.size(); i += 16)
        out.push_back({at(i), at(i + 4), at(i + 8), at(i + 12)});
    return out;
}

TEST(FastBitmap, RowStrideAndTopRow) {
    for (auto [w, stride] : {std::pair{1, 4}, {4, 12}, {5, 16}, {2, 8}}) {
        TskFBitmap f(TskBitmap(w, 3));
        EXPECT_EQ(f.RowStride(), stride) << w;
        EXPECT_EQ(f.ByteSize(), size_t(stride) * 3);
    }
    TskBitmap b(2, 2);
    b.SetPixel(1, 0, skRGB(1, 2, 3));
    TskFBitmap f(b);
    EXPECT_EQ(f.Row(0)[3], 3); // blue first
    EXPECT_EQ(f.Row(0)[5], 1);
}

TEST(MaskScan, RunsHeaderAndBounds) {
    std::vector<Byte> data;
    EXPECT_EQ(ScanMaskRegionData(TskBitmap(), 0, 0, data), 0);
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(RegionFromMaskBitmap(TskBitmap()).has_value());

    const TskBitmap white = Mask({"...", "..."});
    ASSERT_EQ(ScanMaskRegionData(white, 2, 3, data), 32);
    EXPECT_EQ(data[0], 32);
    EXPECT_EQ(data[4], 1);
    EXPECT_EQ(data[8], 0);
    EXPECT_EQ(data[16], 2);
    EXPECT_EQ(data[20], 3);
    EXPECT_EQ(data[24], 5);
    EXPECT_EQ(data[28], 5);
    auto none = RegionFromMaskBitmap(white);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->Empty());

    ASSERT_EQ(ScanMaskRegionData(Mask({"#..", "..."}), 5, 7, data), 48);
    EXPECT_EQ(DataRects(data), (std::vector<TRect>{{5, 7, 6, 8}}));

    const TskBitmap art = Mask({
        "####",
        "#..#",
        "#.##",
        "....",
    });
    ScanMaskRegionData(art, 0, 0, data);
    EXPECT_EQ(DataRects(data),
              (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {0, 2, 1, 3}, {2, 2, 4, 3}}));
    auto region = RegionFromMaskBitmap(art);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->Rects(),
              (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {0, 2, 1, 3}, {2, 2, 4, 3}}));
}

TEST(MaskScan, GrowsPastTenThousandRuns) {
    TskBitmap checker(300, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x)
            checker.SetPixel(x, y, (x + y) % 2 ? skRGB(255, 255, 255) : 0);
    std::vector<Byte> data;
    EXPECT_EQ(ScanMaskRegionData(checker, 0, 0, data), 32 + 16 * 15000);
    auto region = RegionFromRegionData(data);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains(299, 99));
    EXPECT_FALSE(region->Contains(298, 99));
}

TEST(RegionData, LyingHeadersGiveNoRegion) {
    std::vector<Byte> data;
    ScanMaskRegionData(Mask({"##"}), 0, 0, data);
    std::vector<Byte> lying = data;
    lying[8] = 9; // nine rectangles claimed, one present
    EXPECT_FALSE(RegionFromRegionData(lying));
    EXPECT_FALSE(RegionFromRegionData(std::span<const Byte>(data).first(20)));
    lying = data;
    lying[4] = 2;
    EXPECT_FALSE(RegionFromRegionData(lying));
}

// A 6 x 6 mask: rounded corners, borders 1 wide, corner points at 2 and 4.
const std::vector<std::string> kFrame = {
    ".####.", "######", "##..##", "##..##", "######", ".####.",
};
const TskSkinCorners kOld{{2, 2}, {4, 2}, {2, 4}, {4, 4}, {1, 1, 5, 5}};

TEST(SkinRegion, BuildsTheBordersAroundTheClient) {
    const TskBitmap mask = Mask(kFrame);
    const TskSkinCorners same = kOld;
    auto r = BuildSkinRegion(kOld, same, 6, mask);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Rects(), (std::vector<TRect>{{1, 0, 5, 1}, {0, 1, 6, 5}, {1, 5, 5, 6}}));

    const TskSkinCorners big = FitSkinCorners(kOld, {0, 0, 6, 6}, 9, 8);
    auto grown = BuildSkinRegion(kOld, big, 9, mask);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->Rects(), (std::vector<TRect>{{1, 0, 8, 1}, {0, 1, 9, 7}, {1, 7, 8, 8}}));
}

TEST(SkinRegion, WithoutTopBorderAndDegenerateSizes) {
    const TskBitmap mask = Mask({
        "#....#",
        "#....#",
        "######",
    });
    const TskSkinCorners old{{1, 0}, {5, 0}, {1, 2}, {5, 2}, {1, 0, 5, 2}};
    auto r = BuildSkinRegion(old, old, 6, mask);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Rects(), (std::vector<TRect>{{0, 0, 6, 3}}));

    TskSkinCorners narrow = kOld;
    narrow.RightTop.X = 1;
    EXPECT_FALSE(BuildSkinRegion(kOld, narrow, 6, Mask(kFrame)));
    TskSkinCorners noClient = kOld;
    noClient.Client = {1, 1, 1, 5};
    EXPECT_FALSE(BuildSkinRegion(kOld, noClient, 6, Mask(kFrame)));
}

TEST(SkinMask, BordersAreTiledNeverStretched) {
    TskBitmap top, bottom, left, right;
    const TskBitmap mask = Mask({
        "#.#.#.",
        "......",
        "......",
        "......",
        "......",
        "......",
    });
    const TskSkinCorners old{{1, 1}, {3, 1}, {1, 5}, {3, 5}, {1, 1, 5, 5}};
    const TskSkinCorners neu = FitSkinCorners(old, {0, 0, 6, 6}, 11, 6);
    ComposeSkinMask(old, neu, 11, mask, top, bottom, left, right);
    ASSERT_EQ(top.Width(), 11);
    std::string row;
    for (int x = 0; x < 11; ++x)
        row += top.Pixel(x, 0) == 0 ? '#' : '.';
    // Fixed start "#", tiles of ".#" from x = 1 cut at NRT.X = 8, then the fixed end ".#.".
    EXPECT_EQ(row, "#.#.#.#..#.");
}

} // namespace
} // namespace vd
