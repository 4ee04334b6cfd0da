// The level meter drawn into the main window's image: segment colours by peak and range, the
// scale's black ground, and only changed segments reaching the screen.
#include "app/ui/console/MeterView.h"
#include "app/capture/LevelMeter.h"
#include "app/capture/PeakLevels.h"

#include "ConsoleFixture.h"

#include <cmath>

namespace vd {
namespace {

constexpr TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}

class MeterViewTest : public test::ConsoleTest {
protected:
    // Centre of segment v (whole dB) of a bar in the 250 x 40 picture at range r.
    static TPoint SegmentCentre(int r, int v, int bar) {
        const double px = 250.0 / (r + 1);
        const int x1 = static_cast<int>(std::trunc((r + v) * px)) + 1;
        const int x2 = static_cast<int>(std::trunc((r + v + 1) * px));
        const int h = 40 / 2 - 7;
        const int top = bar == 0 ? 1 : h + 12;
        return {(x1 + x2 - 1) / 2, top + h / 2};
    }
    TColor PicturePixel(TPoint p) { return Led->Picture().Canvas().Pixel(p.X, p.Y); }
    TColor ScreenPixel(TPoint p) {
        Pump();
        return TColor(GetWindowPixel(Form->Handle(), Led->Left() + p.X, Led->Top() + p.Y));
    }
};

TEST_F(MeterViewTest, SegmentColoursByPeakAndRange) {
    struct Case {
        int clicks; // LedClick count: 0 -> 24 dB, 1 -> 41 dB, 2 -> 60 dB
        int leftPeak, rightPeak;
        int v, bar;
        TColor expected;
    } cases[] = {
        // Full scale (a sample of -32768): the 0 dB segment clips white; the right bar is quiet.
        {0, 32767, 0, 0, 0, Rgb(255, 255, 255)},
        {0, 32767, 0, -24, 0, Rgb(0, 255, 0)},
        {0, 32767, 0, 0, 1, Rgb(128, 0, 0)},
        {0, 32767, 0, -24, 1, Rgb(0, 128, 0)},
        // Half scale, -6.02 dB (+0.3): -6 lit yellow, -5 unlit olive, -10 lit between lime and yellow.
        {0, 16384, 16384, -6, 1, Rgb(255, 255, 0)},
        {0, 16384, 16384, -5, 1, Rgb(128, 128, 0)},
        {0, 16384, 16384, -10, 0, Rgb(182, 255, 0)},
        {0, 16384, 0, -10, 1, Rgb(91, 128, 0)},
        // Just under clipping (-0.26 dB + 0.3 = 0.04): 0 dB lit red, -3 lit between yellow and red.
        {0, 31800, 31800, 0, 0, Rgb(255, 0, 0)},
        {0, 31800, 31800, -3, 0, Rgb(255, 127, 0)},
        // 60 dB range: -30.3 dB lights -31 and below only.
        {2, 1000, 1000, -31, 0, Rgb(0, 255, 0)},
        {2, 1000, 1000, -30, 0, Rgb(0, 128, 0)},
        {2, 1000, 1000, -60, 1, Rgb(0, 255, 0)},
        // 41 dB range, silence: everything unlit.
        {1, 0, 0, -41, 0, Rgb(0, 128, 0)},
        {1, 0, 0, 0, 1, Rgb(128, 0, 0)},
    };
    for (const Case& c : cases) {
        TLevelMeter meter;
        TMeterView view(Led);
        for (int i = 0; i < c.clicks; ++i)
            meter.NextRange();
        view.Paint(meter.DrawMeterScale(250, 40));
        view.Paint(meter.DrawMeterBars(250, 40, Get_Level(c.leftPeak), Get_Level(c.rightPeak)));
        const TPoint p = SegmentCentre(meter.Range(), c.v, c.bar);
        EXPECT_EQ(PicturePixel(p), c.expected) << "range " << meter.Range() << " peaks " << c.leftPeak << "/"
                                               << c.rightPeak << " v " << c.v << " bar " << c.bar;
        EXPECT_EQ(ScreenPixel(p), c.expected) << "on screen, v " << c.v;
    }
}

TEST_F(MeterViewTest, ScaleIsBlackBetweenSegmentsAndUnderTheBars) {
    TLevelMeter meter;
    TMeterView view(Led);
    EXPECT_EQ(view.Size().cx, 250); // an empty picture takes the image's size
    EXPECT_EQ(view.Size().cy, 40);
    view.Paint(meter.DrawMeterScale(250, 40));
    EXPECT_EQ(PicturePixel({0, 5}), clBlack);    // left of the first segment
    EXPECT_EQ(PicturePixel({125, 0}), clBlack);  // above bar 0
    EXPECT_EQ(PicturePixel({125, 39}), clBlack); // below bar 1
    // The labels sit between the bars: some lime pixels where "-24" is written.
    int lime = 0;
    for (int y = 14; y < 25; ++y)
        for (int x = 0; x < 20; ++x) {
            const TColor c = PicturePixel({x, y});
            lime += (c & 0xFF) < 64 && ((c >> 8) & 0xFF) > 128 && ((c >> 16) & 0xFF) < 64;
        }
    EXPECT_GT(lime, 3);
}

TEST_F(MeterViewTest, BarsFallByTheDecayStepPerTick) {
    TLevelMeter meter;
    TMeterView view(Led);
    TPeakLevels peaks;
    view.Paint(meter.DrawMeterScale(250, 40));
    peaks.Store(32767, 32767);
    // A full-scale block, then no more: white, then red (-0.28 dB), then dark (-0.56 dB).
    const TColor expected[] = {Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(128, 0, 0)};
    for (int tick = 0; tick < 3; ++tick) {
        int left = 0, right = 0;
        peaks.ReadAndDecay(left, right);
        EXPECT_EQ(left, 32767 - 1024 * tick);
        view.Paint(meter.DrawMeterBars(250, 40, Get_Level(left), Get_Level(right)));
        EXPECT_EQ(ScreenPixel(SegmentCentre(24, 0, 0)), expected[tick]) << "tick " << tick;
        EXPECT_EQ(ScreenPixel(SegmentCentre(24, -1, 1)), Rgb(255, 0, 0)) << "tick " << tick;
    }
}

TEST_F(MeterViewTest, ResizeGivesTheScaleTheNewWidth) {
    TLevelMeter meter;
    TMeterView view(Led);
    view.Paint(meter.DrawMeterScale(250, 40));
    EXPECT_EQ(PicturePixel({62, 7}), Rgb(0, 128, 0)); // -18 dB at 10 pixels per dB
    view.Resize(125, 40);
    view.Paint(meter.DrawMeterScale(view.Size().cx, view.Size().cy));
    EXPECT_EQ(Led->Picture().Width(), 125);
    EXPECT_EQ(PicturePixel({62, 7}), Rgb(54, 128, 0)); // -12 dB at 5 pixels per dB
    // A panel smaller than the image's offsets: an empty picture, and painting does nothing.
    view.Resize(-5, 40);
    EXPECT_EQ(view.Size().cx, 0);
    view.Paint(meter.DrawMeterScale(view.Size().cx, view.Size().cy));
    view.Paint(meter.DrawMeterBars(view.Size().cx, view.Size().cy, 0, 0));
    EXPECT_EQ(Led->Picture().Width(), 0);
}

} // namespace
} // namespace vd
