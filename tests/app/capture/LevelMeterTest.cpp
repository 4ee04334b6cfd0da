// The level meter's numbers: dB, colours, the scale and the bars with their colour cache.
#include "app/capture/LevelMeter.h"
#include "app/capture/PeakLevels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vd {
namespace {

TEST(LevelMeter, GetLevelMapsPeaksToDecibels) {
    struct Case {
        int peak;
        double db;
    } cases[] = {{0, -90.0},
                 {-5, -90.0},
                 {1, 20 * std::log10(1 / 32768.0)},
                 {16384, 20 * std::log10(0.5)},
                 {32767, 20 * std::log10(32767 / 32768.0)},
                 {32768, 0.0},
                 {40000, 0.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Get_Level(c.peak), c.db) << c.peak;
}

TEST(LevelMeter, BlendColorTruncatesEachComponent) {
    struct Case {
        TMeterColor from, to;
        int position, steps;
        TMeterColor result;
    } cases[] = {
        {mcLime, mcYellow, 0, 7, mcLime},
        {mcLime, mcYellow, 7, 7, mcYellow},
        {mcLime, mcYellow, 1, 7, 0x00FF24},              // red 255/7 = 36.4 -> 36
        {mcYellow, mcRed, 1, 4, 0x00BFFF},               // green 255 - 63.75 = 191.25 -> 191
        {mcOlive, mcMaroon, 3, 4, 0x000080 | (32 << 8)}, // green 128 - 96 = 32
        {mcWhite, mcBlack, 5, 0, mcWhite},               // no steps: from
        {mcWhite, mcBlack, 5, -2, mcWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendColor(c.from, c.to, c.position, c.steps), c.result) << c.position << "/" << c.steps;
}

TEST(LevelMeter, SegmentColoursFollowTheBands) {
    struct Case {
        int v;
        double level; // with the +0.3 already added
        TMeterColor color;
    } cases[] = {
        {-60, -59.7, mcLime},
        {-60, -89.7, mcGreen},
        {-15, 0.3, mcLime},
        {-15, -15.5, mcGreen},
        {-14, 0.3, BlendColor(mcLime, mcYellow, 1, 7)},
        {-8, -20, BlendColor(mcGreen, mcOlive, 7, 7)},
        {-7, 0.3, mcYellow},
        {-6, -6.5, mcOlive},
        {-5, 0.3, mcYellow},
        {-1, 0.3, BlendColor(mcYellow, mcRed, 4, 4)},
        {-3, -4, BlendColor(mcOlive, mcMaroon, 2, 4)},
        {0, 0.29, mcRed},
        {0, 0.0, mcRed},
        {0, 0.2997, mcWhite},
        {0, -0.1, mcMaroon},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MeterSegmentColor(c.v, c.level), c.color) << c.v << " at " << c.level;
    // A block holding -32768 reads as peak 32767: just under 0 dB, the 0 dB segment clips white.
    int left = 0, right = 0;
    const std::int16_t block[] = {-32768, 0};
    BlockPeaks(block, 2, left, right);
    EXPECT_EQ(MeterSegmentColor(0, Get_Level(left) + 0.3), mcWhite);
}

TEST(LevelMeter, ScaleLabelsDependOnTheRange) {
    struct Case {
        int clicks;
        std::vector<std::string> labels;
    } cases[] = {{0, {"-24", "-20", "-12", "-3"}},
                 {1, {"-41", "-20", "-12", "-3"}},
                 {2, {"-60", "-41", "-20", "-12", "-3"}},
                 {3, {"-24", "-20", "-12", "-3"}}};
    for (const auto& c : cases) {
        TLevelMeter meter;
        for (int i = 0; i < c.clicks; ++i)
            meter.NextRange();
        const TMeterPaint paint = meter.DrawMeterScale(610, 40);
        std::vector<std::string> texts;
        for (const auto& l : paint.Labels)
            texts.push_back(l.Text);
        EXPECT_EQ(texts, c.labels) << c.clicks;
        EXPECT_TRUE(paint.ClearBlack);
        EXPECT_EQ(paint.Rects.size(), 2u * (meter.Range() + 1)); // every segment, unlit
        EXPECT_EQ(paint.Labels.back().Color, mcRed);
        EXPECT_EQ(paint.Labels.back().X, static_cast<int>((meter.Range() - 2) * 610.0 / (meter.Range() + 1)));
        EXPECT_EQ(paint.Labels.front().Y, 40 / 2 - 7);
    }
}

TEST(LevelMeter, BarsRepaintOnlySegmentsWhoseColourChanged) {
    TLevelMeter meter; // range 24: px = 250 / 25 = 10
    meter.DrawMeterScale(250, 40);
    EXPECT_TRUE(meter.DrawMeterBars(250, 40, -90.3, -90.3).Rects.empty());
    // The left bar rises to -10 dB: segments -24..-10 light up, nothing on the right.
    const TMeterPaint paint = meter.DrawMeterBars(250, 40, -10.2, -90.3);
    ASSERT_EQ(paint.Rects.size(), 15u);
    EXPECT_EQ(paint.Rects[0].Rect, (TRect{1, 1, 10, 1 + 13}));     // v = -24
    EXPECT_EQ(paint.Rects[14].Rect, (TRect{141, 1, 150, 1 + 13})); // v = -10
    EXPECT_TRUE(meter.DrawMeterBars(250, 40, -10.2, -90.3).Rects.empty());
    // The right bar spans its own rows.
    const TMeterPaint right = meter.DrawMeterBars(250, 40, -10.2, -23.5);
    ASSERT_EQ(right.Rects.size(), 1u);
    EXPECT_EQ(right.Rects[0].Rect, (TRect{1, 13 + 12, 10, 2 * 13 + 12}));
}

TEST(PeakLevels, BlockPeaksPerChannel) {
    struct Case {
        std::vector<std::int16_t> block;
        int left, right;
    } cases[] = {
        {{}, 0, 0},
        {{5}, 5, 0},
        {{-32768, 100, 32767, -101}, 32767, 100},
        {{-1, -1}, 0, 0},
        {{1000, -2000, -3000, 1500}, 2999, 1999},
    };
    for (const auto& c : cases) {
        int left = -1, right = -1;
        BlockPeaks(c.block.data(), c.block.size(), left, right);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(right, c.right);
    }
}

TEST(PeakLevels, ATickShowsTheNewPeakThenTheBarFallsBy1024PerTick) {
    TPeakLevels peaks;
    peaks.Store(32767, 1500);
    std::vector<int> seen;
    int left, right;
    for (int tick = 0; tick < 4; ++tick) {
        peaks.ReadAndDecay(left, right);
        seen.push_back(left);
    }
    EXPECT_EQ(seen, (std::vector<int>{32767, 31743, 30719, 29695}));
    EXPECT_EQ(right, 0); // 1500 -> 476 -> 0
    peaks.Store(200, 0); // a quiet block replaces the value, it is not merged
    peaks.ReadAndDecay(left, right);
    EXPECT_EQ(left, 200);
    peaks.ReadAndDecay(left, right);
    EXPECT_EQ(left, 0);
}

// A block three ticks long moves the bars on each of its ticks: one slice's peak per tick, then
// the fall from the last. A block that comes before its predecessor's slices were all shown
// replaces them.
TEST(PeakLevels, ABlockLongerThanATickShowsOneSlicePerTick) {
    TPeakLevels peaks;
    const int left[] = {30000, 12000, 20000}, right[] = {5000, 6000, 7000};
    peaks.StoreSlices(left, right, 3);
    std::vector<int> seenLeft, seenRight;
    int l, r;
    for (int tick = 0; tick < 5; ++tick) {
        peaks.ReadAndDecay(l, r);
        seenLeft.push_back(l);
        seenRight.push_back(r);
    }
    EXPECT_EQ(seenLeft, (std::vector<int>{30000, 12000, 20000, 18976, 17952}));
    EXPECT_EQ(seenRight, (std::vector<int>{5000, 6000, 7000, 5976, 4952}));
    peaks.StoreSlices(left, right, 3);
    peaks.ReadAndDecay(l, r);
    const int next[] = {100, 200}, nextRight[] = {300, 400};
    peaks.StoreSlices(next, nextRight, 2);
    peaks.ReadAndDecay(l, r);
    EXPECT_EQ(l, 100) << "the new block's first slice, not the old block's second";
    peaks.ReadAndDecay(l, r);
    EXPECT_EQ(r, 400);
    peaks.ReadAndDecay(l, r);
    EXPECT_EQ(l, 0);
}

TEST(PeakLevels, SlicePeaksCutsABlockIntoTicks) {
    struct Case {
        std::size_t Frames;
        unsigned Rate;
        int Slices;
    } cases[] = {
        {882, 44100, 1},   // 20 ms
        {1323, 44100, 1},  // one tick
        {1900, 44100, 1},  // 1.4 ticks
        {2646, 44100, 2},  // 60 ms
        {3969, 44100, 3},  // 90 ms
        {4096, 48000, 3},  // 85 ms
        {44100, 44100, 8}, // a second: no more than MaxSlices
        {0, 44100, 1},     // nothing: one silent slice
        {10, 0, 8},        // no rate: every frame a tick, capped
    };
    for (const Case& c : cases) {
        std::vector<std::int16_t> block(2 * c.Frames, 0);
        int left[TPeakLevels::MaxSlices], right[TPeakLevels::MaxSlices];
        EXPECT_EQ(SlicePeaks(block.data(), c.Frames, c.Rate, left, right), c.Slices)
            << c.Frames << " " << c.Rate;
    }
    // Each slice's own peaks, from its own frames: 3969 frames in slices of 1323.
    std::vector<std::int16_t> block(2 * 3969, 0);
    block[2 * 0] = 1000;         // first frame, left
    block[2 * 1322 + 1] = -2001; // last frame of the first slice, right
    block[2 * 1323] = 3000;      // first frame of the second slice
    block[2 * 3968 + 1] = 4000;  // very last frame, right
    int left[TPeakLevels::MaxSlices], right[TPeakLevels::MaxSlices];
    ASSERT_EQ(SlicePeaks(block.data(), 3969, 44100, left, right), 3);
    EXPECT_EQ((std::vector<int>{left[0], left[1], left[2]}), (std::vector<int>{1000, 3000, 0}));
    EXPECT_EQ((std::vector<int>{right[0], right[1], right[2]}), (std::vector<int>{2000, 0, 4000}));
}

} // namespace
} // namespace vd
