#include "skin/core/SkinPlatform.h"
#include "skin/core/SkinGeometry.h"

#include "platform/win/Windows.h"
#include "platform/win/headless/HeadlessBackend.h"

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
        {"Hello", 10, "..."},   {"", 0, ""},           {"Hello world", 40, "Hello..."},
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

// On the window system's headless screen.
class SkinPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        hb = Headless();
        ASSERT_NE(hb, nullptr);
        hb->SetMonitors(
            {{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}, {{1280, 0, 2560, 1024}, {1280, 30, 2560, 1024}}});
        WNDCLASS wc;
        wc.lpszClassName = "SkinPlatformTest";
        RegisterClass(wc);
    }
    void TearDown() override {
        if (window && IsWindow(window)) DestroyWindow(window);
        hb->SetLayeredAvailable(true);
    }
    HeadlessBackend* hb = nullptr;
    HWND window = nullptr;
};

TEST_F(SkinPlatformTest, WorkAreasFollowTheNearestMonitor) {
    window = CreateWindowEx(WS_EX_LAYERED, "SkinPlatformTest", "w", WS_POPUP, 1500, 100, 200, 100, nullptr);
    TRect r;
    DesktopWorkArea(true, r);
    EXPECT_EQ(r, (TRect{0, 0, 1280, 984}));
    DesktopWorkArea(false, r);
    EXPECT_EQ(r, (TRect{0, 0, 1280, 1024}));
    WindowWorkArea(window, true, r);
    EXPECT_EQ(r, (TRect{1280, 30, 2560, 1024}));
    WindowWorkArea(window, false, r);
    EXPECT_EQ(r, (TRect{1280, 0, 2560, 1024}));
}

TEST_F(SkinPlatformTest, WindowAlpha) {
    window = CreateWindowEx(WS_EX_LAYERED, "SkinPlatformTest", "w", WS_POPUP, 0, 0, 20, 20, nullptr);
    SetWindowAlpha(window, 300);
    Byte alpha = 0;
    ASSERT_TRUE(GetLayeredAlpha(window, alpha));
    EXPECT_EQ(alpha, 300 & 255);
    hb->SetLayeredAvailable(false);
    EXPECT_FALSE(IsLayeredWindowOS());
    EXPECT_TRUE(IsWindowsXPVersion());
}

} // namespace
} // namespace vd
