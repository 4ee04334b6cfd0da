#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"

#include "SkinTestUtil.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(Geometry, RectangleTests) {
    EXPECT_TRUE(IsEmptySkinRect({5, 5, 5, 20}));
    EXPECT_FALSE(IsEmptySkinRect({0, 0, 1, 1}));
    EXPECT_TRUE(IsEmptySkinRect({5, 5, 4, 20}));
    EXPECT_EQ(WidthOfRect({10, 0, 4, 0}), -6);
    EXPECT_TRUE(IsZeroPoint({0, 5}));
    EXPECT_FALSE(IsZeroPoint({1, 5}));
    EXPECT_TRUE(PointInRectIncl({0, 0, 10, 10}, {10, 10}));
    EXPECT_FALSE(PointInRectIncl({0, 0, 10, 10}, {11, 10}));
    EXPECT_FALSE(RectInsideRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_TRUE(RectInsideRect({0, 0, 9, 9}, {0, 0, 10, 10}));
    TRect r{0, 0, 10, 10}, out;
    CenterRectIn(r, {100, 100, 121, 121}, out);
    EXPECT_EQ(out, (TRect{105, 105, 115, 115}));
    EXPECT_EQ(r, out);
    EXPECT_EQ(IntMax(3, -4), 3);
    EXPECT_EQ(IntMin(3, -4), -4);
}

TEST(TextFitting, CutsWholeCharactersAndAppendsDots) {
    // Every byte 5 pixels wide: "..." is 15.
    const TskTextMeasure measure = [](const String& s) { return int(s.size()) * 5; };
    struct Case {
        const char* Text;
        int Max;
        const char* Expected;
    } cases[] = {
        {"Hello", 25, "Hello"}, {"Hello", 24, "H..."}, {"Hello", 30, "Hello"},
        {"Hello", 10, "..."},   {"", 0, ""},          {"Hello", 35, "Hello"},
        {"Hello world", 40, "Hello..."},
    };
    for (const Case& c : cases) {
        String text = c.Text;
        FitTextToWidth(measure, text, c.Max);
        EXPECT_EQ(text, c.Expected) << c.Text << " " << c.Max;
    }
    String utf8 = "ab\xC3\xA9\xC3\xA9zzz";
    FitTextToWidth(measure, utf8, 40); // a cut byte would leave half a character that fits
    EXPECT_EQ(utf8, "ab\xC3\xA9...");
}

TEST(PlatformHelpers, AskTheWindowSystem) {
    EXPECT_FALSE(IsLayeredWindowOS()); // nothing bound
    TRect r;
    DesktopWorkArea(true, r);
    EXPECT_EQ(r.Width(), 1024);
    {
        test::MessageSpy spy;
        EXPECT_FALSE(IsLayeredWindowOS());
        spy.Compositor = true;
        EXPECT_TRUE(IsLayeredWindowOS());
        SetWindowAlpha(42, 300);
        EXPECT_EQ(spy.Alphas[42], 300 & 255);

        WindowWorkArea(7, true, r);
        EXPECT_EQ(r, (TRect{0, 0, 1920, 1040}));
        EXPECT_FALSE(IsMultiMonitor());
        spy.Monitors = 2;
        WindowWorkArea(7, false, r);
        EXPECT_EQ(r, (TRect{1920, 0, 3840, 1080}));
        spy.MonitorKnown = false;
        r = {1, 2, 3, 4};
        WindowWorkArea(7, true, r);
        EXPECT_EQ(r, (TRect{1, 2, 3, 4}));
    }
    EXPECT_EQ(SkinWindowSystem(), nullptr);
}

} // namespace
} // namespace vd
