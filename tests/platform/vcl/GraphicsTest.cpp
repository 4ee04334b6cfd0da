#include "platform/vcl/Graphics.h"
#include "platform/gfx/GdiError.h"

#include <gtest/gtest.h>

#include <functional>

namespace vd::test {
namespace {

// A bitmap made with any size is either usable or refused with an error: a later resize or
// drawing must never meet a bitmap without pixels.
TEST(GraphicsTest, BitmapSizesOutOfRangeGiveAnEmptyBitmapOrAnError) {
    struct Case {
        int w, h;
        TSize expected;
    } cases[] = {{-3, 4, {0, 4}}, {5, -1, {5, 0}}, {-1, -1, {0, 0}}, {0, 0, {0, 0}}, {7, 2, {7, 2}}};
    for (const Case& c : cases) {
        TBitmap b(c.w, c.h);
        EXPECT_EQ((TSize{b.Width(), b.Height()}), c.expected) << c.w << "x" << c.h;
        b.SetSize(6, 3);
        b.Canvas().Brush().Color = clRed;
        b.Canvas().FillRect({0, 0, 6, 3});
        EXPECT_EQ(b.Canvas().Pixel(5, 2), clRed) << c.w << "x" << c.h;
    }
    EXPECT_THROW(TBitmap(kMaxBitmapSide + 1, 1), EOutOfResources);
    TBitmap b(2, 2);
    EXPECT_THROW(b.SetSize(1, kMaxBitmapSide + 1), EOutOfResources);
    EXPECT_EQ((TSize{b.Width(), b.Height()}), (TSize{2, 2})) << "a refused size leaves the bitmap as it was";
}

// The shapes fill with the brush inside the pen's outline and leave the surface outside alone.
TEST(GraphicsTest, CanvasShapesOutlineFillAndClip) {
    TBitmap b(21, 21);
    TCanvas& c = b.Canvas();
    const auto fresh = [&] {
        c.Brush().Color = clWhite;
        c.FillRect({0, 0, 21, 21});
        c.Brush().Color = clRed;
        c.Pen().Color = clBlue;
    };
    const TPoint triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    const struct {
        const char* Shape;
        std::function<void()> Draw;
        TPoint Inside, Edge, Outside;
    } cases[] = {
        {"ellipse", [&] { c.Ellipse(0, 0, 21, 21); }, {10, 10}, {10, 0}, {0, 0}},
        {"round rect", [&] { c.RoundRect(0, 0, 21, 21, 10, 10); }, {10, 10}, {10, 0}, {0, 0}},
        {"polygon", [&] { c.Polygon(triangle, 3); }, {5, 5}, {10, 0}, {18, 18}},
    };
    for (const auto& k : cases) {
        fresh();
        k.Draw();
        EXPECT_EQ(c.Pixel(k.Inside.X, k.Inside.Y), clRed) << k.Shape;
        EXPECT_EQ(c.Pixel(k.Edge.X, k.Edge.Y), clBlue) << k.Shape;
        EXPECT_EQ(c.Pixel(k.Outside.X, k.Outside.Y), clWhite) << k.Shape;
    }
    EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 21, 21}));
}

} // namespace
} // namespace vd::test
