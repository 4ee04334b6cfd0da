#include "platform/gfx/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace vd {
namespace {

constexpr int kN = 40;
using Grid = std::vector<bool>;

Grid Paint(const std::vector<TRect>& rects) {
    Grid g(kN * kN, false);
    for (const TRect& r : rects)
        for (int y = std::max(0, r.Top); y < std::min(kN, r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(kN, r.Right); ++x)
                g[std::size_t(y * kN + x)] = true;
    return g;
}

Grid Sample(const GdiRegion& rgn) {
    Grid g(kN * kN, false);
    for (int y = 0; y < kN; ++y)
        for (int x = 0; x < kN; ++x)
            g[std::size_t(y * kN + x)] = rgn.Contains(x, y);
    return g;
}

// The band rules: sorted, one height per band, spans apart, no two equal bands touching.
void ExpectCanonical(const GdiRegion& rgn) {
    const auto& r = rgn.Rects();
    for (std::size_t i = 0; i < r.size(); ++i) {
        ASSERT_LT(r[i].Left, r[i].Right);
        ASSERT_LT(r[i].Top, r[i].Bottom);
        if (i == 0) continue;
        if (r[i].Top == r[i - 1].Top) {
            ASSERT_EQ(r[i].Bottom, r[i - 1].Bottom);
            ASSERT_GT(r[i].Left, r[i - 1].Right) << "spans must not touch";
        } else {
            ASSERT_GE(r[i].Top, r[i - 1].Bottom);
        }
    }
    GdiRegion copy = GdiRegion::FromRects(r.data(), r.size());
    EXPECT_EQ(copy.Rects(), r) << "rebuilding a canonical region changes nothing";
}

std::vector<TRect> RandomRects(std::mt19937& rng, int count) {
    std::uniform_int_distribution<int> pos(-3, kN + 3), len(0, 15);
    std::vector<TRect> rects;
    for (int i = 0; i < count; ++i) {
        const int x = pos(rng), y = pos(rng);
        rects.push_back({x, y, x + len(rng), y + len(rng)});
    }
    return rects;
}

TEST(Region, UnionOfRandomRectanglesMatchesPixelModel) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const auto rects = RandomRects(rng, 1 + round % 12);
        GdiRegion rgn = GdiRegion::FromRects(rects.data(), rects.size());
        ASSERT_EQ(Sample(rgn), Paint(rects)) << "round " << round;
        ExpectCanonical(rgn);
    }
}

TEST(Region, CombineModesMatchPixelModel) {
    std::mt19937 rng(11);
    struct Mode {
        int mode;
        bool (*f)(bool, bool);
    };
    const Mode modes[] = {{RGN_AND, [](bool a, bool b) { return a && b; }},
                          {RGN_OR, [](bool a, bool b) { return a || b; }},
                          {RGN_XOR, [](bool a, bool b) { return a != b; }},
                          {RGN_DIFF, [](bool a, bool b) { return a && !b; }},
                          {RGN_COPY, [](bool a, bool) { return a; }}};
    for (int round = 0; round < 150; ++round) {
        const auto ra = RandomRects(rng, 1 + round % 7), rb = RandomRects(rng, 1 + round % 5);
        const GdiRegion a = GdiRegion::FromRects(ra.data(), ra.size());
        const GdiRegion b = GdiRegion::FromRects(rb.data(), rb.size());
        const Grid ga = Paint(ra), gb = Paint(rb);
        for (const Mode& m : modes) {
            UniqueRegion dest(CreateRectRgn(0, 0, 0, 0));
            UniqueRegion ha(new GdiRegion(a)), hb(new GdiRegion(b));
            const int kind = CombineRgn(dest.Get(), ha.Get(), hb.Get(), m.mode);
            Grid want(kN * kN);
            for (std::size_t i = 0; i < want.size(); ++i)
                want[i] = m.f(ga[i], gb[i]);
            ASSERT_EQ(Sample(*dest.Get()), want) << "round " << round << " mode " << m.mode;
            ExpectCanonical(*dest.Get());
            EXPECT_EQ(kind, dest->Complexity());
        }
    }
}

TEST(Region, CombineIntoOneOfItsOperands) {
    UniqueRegion a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 15, 15));
    EXPECT_EQ(CombineRgn(a.Get(), a.Get(), b.Get(), RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(a.Get(), 14, 14));
    EXPECT_TRUE(PtInRegion(a.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(a.Get(), 14, 0));
}

TEST(Region, RegionDataComesInBandOrderAndRoundTrips) {
    // An L shape and a separate block: three bands.
    const TRect rects[] = {{0, 0, 4, 2}, {0, 2, 2, 6}, {6, 4, 8, 6}};
    UniqueRegion rgn(new GdiRegion(GdiRegion::FromRects(rects, 3)));
    const DWord need = GetRegionData(rgn.Get(), 0, nullptr);
    ASSERT_EQ(need, 32u + 16u * 4u);
    std::vector<Byte> buf(need);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    ASSERT_EQ(GetRegionData(rgn.Get(), need, data), need);
    EXPECT_EQ(data->rdh.nCount, 4u);
    EXPECT_EQ(data->rdh.rcBound, (TRect{0, 0, 8, 6}));
    const TRect* out = reinterpret_cast<const TRect*>(buf.data() + 32);
    const TRect want[] = {{0, 0, 4, 2}, {0, 2, 2, 4}, {0, 4, 2, 6}, {6, 4, 8, 6}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], want[i]) << i;
    UniqueRegion back(ExtCreateRegion(nullptr, need, data));
    ASSERT_TRUE(back);
    EXPECT_TRUE(EqualRgn(back.Get(), rgn.Get()));
}

TEST(Region, ExtCreateRegionRejectsLyingHeaders) {
    std::vector<Byte> buf(32 + 16, 0);
    RGNDATAHEADER h;
    h.nCount = 2; // only room for one rectangle
    std::memcpy(buf.data(), &h, sizeof h);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWord(buf.size()), reinterpret_cast<RGNDATA*>(buf.data())), nullptr);
    h.nCount = 1;
    h.iType = 2;
    std::memcpy(buf.data(), &h, sizeof h);
    EXPECT_EQ(ExtCreateRegion(nullptr, DWord(buf.size()), reinterpret_cast<RGNDATA*>(buf.data())), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 10, reinterpret_cast<RGNDATA*>(buf.data())), nullptr);
}

TEST(Region, EmptyMaskDataGivesEmptyRegion) {
    RGNDATAHEADER h;
    h.rcBound = {0, 0, 10, 10};
    UniqueRegion rgn(ExtCreateRegion(nullptr, sizeof h, reinterpret_cast<const RGNDATA*>(&h)));
    ASSERT_TRUE(rgn);
    TRect box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(rgn.Get(), &box), NULLREGION);
    EXPECT_EQ(box, TRect{});
}

TEST(Region, OffsetBoxAndEquality) {
    UniqueRegion a(CreateRectRgn(0, 0, 10, 5)), b(CreateRectRgn(3, 4, 13, 9));
    EXPECT_FALSE(EqualRgn(a.Get(), b.Get()));
    EXPECT_EQ(OffsetRgn(a.Get(), 3, 4), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(a.Get(), b.Get()));
    TRect box;
    GetRgnBox(a.Get(), &box);
    EXPECT_EQ(box, (TRect{3, 4, 13, 9}));
    EXPECT_TRUE(PtInRegion(a.Get(), 3, 4));
    EXPECT_FALSE(PtInRegion(a.Get(), 13, 4)) << "right edge is outside";
    EXPECT_FALSE(PtInRegion(a.Get(), 3, 9)) << "bottom edge is outside";
}

TEST(Region, InvertedRectangleIsNormalised) {
    UniqueRegion a(CreateRectRgn(10, 10, 0, 0));
    EXPECT_TRUE(PtInRegion(a.Get(), 5, 5));
}

} // namespace
} // namespace vd
