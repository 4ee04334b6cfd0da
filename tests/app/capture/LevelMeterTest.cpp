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

} // namespace
} // namespace vd
